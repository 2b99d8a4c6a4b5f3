// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands of mk38c. Each returns the process exit code (CliIo.h); main reports a failed
// write of standard output for all of them.

#include <QStringList>
#include <QTextStream>

// mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE
int runCompile(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c decompile [--] FILE
int runDecompile(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c send FILE --port PORT [--id N] [--run] [--mode 0|1|2]
int runSend(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c run --port PORT [--mode 0|1|2]
int runRun(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c stop --port PORT [--outputs-off]
int runStop(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c receive --port PORT [--id N | --all] [--password HEX] [-o OUT.obj] [--dump] [--ignore-checksum]
int runReceive(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c verify FILE --port PORT [--id N] [--password HEX]
int runVerify(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c presets --port PORT [--id N] [--write V0,...,V9 | --factory]
int runPresets(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c monitor --port PORT [--id N] [--from V] [--count N]
int runMonitor(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c scan --port PORT [--from N] [--to M]
int runScan(const QStringList& args, QTextStream& out, QTextStream& err);
// mk38c ports
int runPorts(const QStringList& args, QTextStream& out, QTextStream& err);
