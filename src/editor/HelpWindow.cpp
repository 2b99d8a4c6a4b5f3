#include "HelpWindow.h"

void showHelp(QWidget*, const QString&) {}
