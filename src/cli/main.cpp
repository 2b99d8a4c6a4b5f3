#include "CliIo.h"
#include "Commands.h"

#include <QCoreApplication>

namespace {

const char kUsage[] = "Usage:\n"
                      "  mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE\n"
                      "  mk38c decompile [--] FILE\n"
                      "  mk38c --version\n"
                      "  mk38c --help\n";

using Command = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

const struct
{
    const char* name;
    Command run;
} kCommands[] = {
    {"compile", runCompile},
    {"decompile", runDecompile},
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
