// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual of the editor and the instruction set, with contents and links.

#include <QString>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QTextBrowser;

// The manual's page, with the version filled in.
QString manualHtml(const QString& versionText);

// The help window: contents list lstContenido beside the manual in txtManual.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(const QString& versionText, QWidget* parent = nullptr);

private:
    void goTo(QListWidgetItem* item);

    QListWidget* m_contents;
    QTextBrowser* m_browser;
};

// Shows the help window (one at a time, without blocking the editor).
void showHelp(QWidget* parent, const QString& versionText);
