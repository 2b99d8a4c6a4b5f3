// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliIo.h"
#include "Commands.h"
#include "Programs.h"

#include <QCoreApplication>

namespace {

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

// What each exit code means; the PLC commands use them all.
const struct
{
    int code;
    const char* meaning;
} kExitStatuses[] = {
    {cli::kExitOk, QT_TRANSLATE_NOOP("mk38c", "hecho")},
    {cli::kExitRefused,
     QT_TRANSLATE_NOOP("mk38c", "el programa fuente no compila, o ARCHIVO no contiene un programa")},
    {cli::kExitTrouble,
     QT_TRANSLATE_NOOP("mk38c", "uso incorrecto, un archivo que no se puede leer o escribir, un "
                                "puerto que no se puede abrir")},
    {cli::kExitReceivedWrong, QT_TRANSLATE_NOOP("mk38c", "el PLC recibió mal el programa")},
    {cli::kExitNoAnswer, QT_TRANSLATE_NOOP("mk38c", "sin respuesta, o una respuesta de longitud equivocada")},
    {cli::kExitChecksum,
     QT_TRANSLATE_NOOP("mk38c", "el programa leído no coincide con la suma de control del PLC")},
    {cli::kExitDifferent, QT_TRANSLATE_NOOP("mk38c", "verify encontró diferencias")},
};

// A synopsis on lines of at most 80 columns, broken before an option group and continued under
// the first word after the command.
QString wrapped(const QString& synopsis)
{
    constexpr int kWidth = 80;
    const QStringList words = synopsis.split(u' ', Qt::SkipEmptyParts);
    const QString indent(2 + words.value(0).size() + 1 + words.value(1).size() + 1, u' ');
    QString text = QStringLiteral("  ") + words.mid(0, 2).join(u' ');
    qsizetype lineStart = 0;
    for (qsizetype i = 2; i < words.size();) {
        // an option group ("[--id N | --all]", "--port PORT") stays on one line
        qsizetype j = i + 1;
        if (words[i].startsWith(u'['))
            while (j < words.size() && !words[j - 1].endsWith(u']'))
                ++j;
        else if (words[i].startsWith(u'-') && j < words.size() && !words[j].startsWith(u'[') &&
                 !words[j].startsWith(u'-'))
            ++j;
        const QString group = words.mid(i, j - i).join(u' ');
        if (text.size() - lineStart + 1 + group.size() > kWidth) {
            text += u'\n';
            lineStart = text.size();
            text += indent.chopped(1);
        }
        text += u' ' + group;
        i = j;
    }
    return text + u'\n';
}

// The synopsis of every command, taken from the command's own --help, so that the two agree.
QString usage()
{
    QString text = cli::Text::tr("Uso:") + u'\n';
    for (const auto& c : kCommands) {
        QString own;
        QTextStream stream(&own);
        c.run({QStringLiteral("--help")}, stream, stream);
        stream.flush();
        // the synopsis after its "Usage: " in whatever language
        const QString first = own.section(u'\n', 0, 0);
        text += wrapped(first.mid(first.indexOf(QLatin1String("mk38c "))));
    }
    text +=
        QStringLiteral("  mk38c --help | --version\n") +
        cli::Text::tr("PUERTO es la ruta de un dispositivo o COM1..COM6 (sección \"Puertos\" del dmk38.ini\n"
                      "del editor; si no, /dev/ttyS0../dev/ttyS5). mk38c ORDEN --help explica más de una\n"
                      "orden.\n"
                      "Estado de salida:\n");
    for (const auto& e : kExitStatuses)
        text += QStringLiteral("  %1  %2\n").arg(e.code).arg(cli::Text::tr(e.meaning));
    return text;
}

int dispatch(QStringList args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty()) {
        err << usage();
        return cli::kExitTrouble;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << usage();
        return cli::kExitOk;
    }
    if (command == QLatin1String("--version")) {
        out << "mk38c " << WMK38_VERSION << "\n";
        return cli::kExitOk;
    }
    for (const auto& c : kCommands)
        if (command == QLatin1String(c.name))
            return c.run(args, out, err);
    err << cli::Text::tr("mk38c: orden desconocida \"%1\"").arg(cli::shownName(command)) << "\n" << usage();
    return cli::kExitTrouble;
}

} // namespace

int main(int argc, char** argv)
{
    cli::guardStandardDescriptors();
    QCoreApplication app(argc, argv);
    cli::useLanguage();
    cli::Console console;
    const int exitCode = dispatch(cli::arguments(argc, argv), console.out, console.err);
    return cli::finish(exitCode, console.out, console.err);
}
