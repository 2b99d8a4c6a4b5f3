#include "Commands.h"

int runCompile(const QStringList&, QTextStream&, QTextStream& err)
{
    err << "mk38c compile: not built yet\n";
    return 2;
}
