// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliIo.h"
#include "Commands.h"

#include <QCoreApplication>

namespace {

const char kUsage[] = "Usage:\n"
                      "  mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE\n"
                      "  mk38c decompile [--] FILE\n"
                      "  mk38c send FILE --port PORT [--id N] [--run] [--mode 0|1|2]\n"
                      "  mk38c run --port PORT [--mode 0|1|2]\n"
                      "  mk38c stop --port PORT [--outputs-off]\n"
                      "  mk38c receive --port PORT [--id N | --all] [--password HEX] [-o OUT.obj] [--dump]\n"
                      "                [--ignore-checksum]\n"
                      "  mk38c verify FILE --port PORT [--id N] [--password HEX]\n"
                      "  mk38c presets --port PORT [--id N] [--write V0,...,V9 | --factory]\n"
                      "  mk38c monitor --port PORT [--id N] [--from V] [--count N]\n"
                      "  mk38c scan --port PORT [--from N] [--to M]\n"
                      "  mk38c ports\n"
                      "  mk38c --version\n"
                      "  mk38c --help\n"
                      "PORT is a device path or COM1..COM6 (section \"Puertos\" of the editor's dmk38.ini,\n"
                      "else /dev/ttyS0../dev/ttyS5).\n";

using Command = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

const struct
{
    const char* name;
    Command run;
} kCommands[] = {
    {"compile", runCompile},
    {"decompile", runDecompile},
    {"send", runSend},
    {"run", runRun},
    {"stop", runStop},
    {"receive", runReceive},
    {"verify", runVerify},
    {"presets", runPresets},
    {"monitor", runMonitor},
    {"scan", runScan},
    {"ports", runPorts},
};

int dispatch(QStringList args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty()) {
        err << kUsage;
        return cli::kExitTrouble;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << kUsage;
        return cli::kExitOk;
    }
    if (command == QLatin1String("--version")) {
        out << "mk38c " << WMK38_VERSION << "\n";
        return cli::kExitOk;
    }
    for (const auto& c : kCommands)
        if (command == QLatin1String(c.name))
            return c.run(args, out, err);
    err << "mk38c: unknown command \"" << cli::shownName(command) << "\"\n" << kUsage;
    return cli::kExitTrouble;
}

} // namespace

int main(int argc, char** argv)
{
    cli::guardStandardDescriptors();
    QCoreApplication app(argc, argv);
    cli::Console console;
    const int exitCode = dispatch(cli::arguments(argc, argv), console.out, console.err);
    return cli::finish(exitCode, console.out, console.err);
}
