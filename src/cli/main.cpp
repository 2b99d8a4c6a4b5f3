#include "Commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {
const char kUsage[] = "Usage:\n"
                      "  mk38c compile [--defs FILE] [--hex] [-o OUT] SOURCE\n"
                      "  mk38c decompile FILE\n"
                      "  mk38c send FILE --port PORT [--id N] [--run] [--mode 0|1|2]\n"
                      "  mk38c run --port PORT [--mode 0|1|2]\n"
                      "  mk38c stop --port PORT [--outputs-off]\n"
                      "  mk38c receive --port PORT [--id N | --all] [--password HEX] [-o OUT.obj] [--dump]\n"
                      "                [--ignore-checksum]\n"
                      "  mk38c verify FILE --port PORT [--id N] [--password HEX]\n"
                      "  mk38c presets --port PORT [--id N] [--write V0,...,V9 | --factory]\n"
                      "  mk38c monitor --port PORT [--id N] [--from V] [--count N]\n"
                      "PORT is a device path or COM1..COM6 (section \"Puertos\" of dmk38.ini beside the tool,\n"
                      "else /dev/ttyS0../dev/ttyS5).\n"
                      "  mk38c --version\n"
                      "  mk38c --help\n";
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString command = args.takeFirst();
    int rc = 2;
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << kUsage;
        rc = 0;
    } else if (command == QLatin1String("--version")) {
        out << "mk38c " << WMK38_VERSION << "\n";
        rc = 0;
    } else if (command == QLatin1String("compile")) {
        rc = runCompile(args, out, err);
    } else if (command == QLatin1String("decompile")) {
        rc = runDecompile(args, out, err);
    } else if (command == QLatin1String("send")) {
        rc = runSend(args, out, err);
    } else if (command == QLatin1String("run")) {
        rc = runRun(args, out, err);
    } else if (command == QLatin1String("stop")) {
        rc = runStop(args, out, err);
    } else if (command == QLatin1String("receive")) {
        rc = runReceive(args, out, err);
    } else if (command == QLatin1String("verify")) {
        rc = runVerify(args, out, err);
    } else if (command == QLatin1String("presets")) {
        rc = runPresets(args, out, err);
    } else if (command == QLatin1String("monitor")) {
        rc = runMonitor(args, out, err);
    } else {
        err << "mk38c: unknown command \"" << command << "\"\n" << kUsage;
    }
    out.flush();
    err.flush();
    return rc;
}
