#pragma once
// The subcommands of mk38c. Each returns the process exit code (CliIo.h); main reports a failed
// write of standard output for all of them.

#include <QStringList>
#include <QTextStream>

// mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE
int runCompile(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c decompile [--] FILE
int runDecompile(const QStringList& args, QTextStream& out, QTextStream& err);
