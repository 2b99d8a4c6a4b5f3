// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Quick help: qhelp.ayd (or its translation) from the data folder, shown unchanged in the window Ayuda.

#include <QDialog>
#include <QString>

class OrvLib;
class QPlainTextEdit;
class QWidget;

// The quick-help window: one read-only text box, txtAyuda; Esc closes it.
class Ayuda : public QDialog
{
    Q_OBJECT
public:
    explicit Ayuda(QWidget* parent = nullptr);
    void setText(const QString& text);

private:
    QPlainTextEdit* m_text;
};

// The quick reference of the language in use: qhelp_<code>.ayd where it exists, else qhelp.ayd.
QString quickHelpFile(const QString& dataFolder);

// Shows the window modally; a missing file is reported through Prompts instead.
void showQuickHelp(QWidget* parent, const QString& appPath, OrvLib& lib);
