#include "Commands.h"

int runDecompile(const QStringList&, QTextStream&, QTextStream& err)
{
    err << "mk38c decompile: not built yet\n";
    return 2;
}
