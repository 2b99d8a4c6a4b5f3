// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Quick help: qhelp.ayd from the program folder, shown unchanged in the window Ayuda.

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

// Shows the window modally; a missing file is reported through Prompts instead.
void showQuickHelp(QWidget* parent, const QString& appPath, OrvLib& lib);
