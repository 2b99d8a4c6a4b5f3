#include "Ayuda.h"

void showQuickHelp(QWidget*, const QString&, OrvLib&) {}
