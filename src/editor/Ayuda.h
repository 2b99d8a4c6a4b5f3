#pragma once
// Quick help: qhelp.ayd from the program folder, shown unchanged in the window Ayuda.

#include <QString>

class OrvLib;
class QWidget;

// Shows the window modally; a missing file is reported through Prompts instead.
void showQuickHelp(QWidget* parent, const QString& appPath, OrvLib& lib);
