// SPDX-License-Identifier: GPL-3.0-or-later
// mk38sim: an MK38 PLC on a pseudo-terminal, for trying the link without a PLC and for the tests.

#include "Simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: mk38sim [--link PATH] [--id N] [--password HEX] [--pace] [--log FILE]\n"
    "               [--fault KIND[:RATE]] [--late-ms MS] [--gap-bytes N] [--program FILE.obj]\n"
    "               [--help] [--version]\n"
    "\n"
    "A simulated MK38 PLC on a pseudo-terminal. The first line of standard output is the\n"
    "device path (for example /dev/pts/5); point the PC's serial port at it.\n"
    "\n"
    "Options:\n"
    "  --link PATH          also make a symbolic link PATH to the device (removed at exit)\n"
    "  --id N               station 1..255 (default 1); frames to station 0 or N are served\n"
    "  --password HEX       program password, 1 to 4 hex digits (default 4B7E = no password)\n"
    "  --pace               the line runs at 2400 baud both ways, 4.17 ms a byte: a byte\n"
    "                       from the PC counts as arrived only after its line time (the\n"
    "                       program's 258 bytes take 1.075 s), and answers reach the PC\n"
    "                       one byte every 4.17 ms once the request has arrived\n"
    "  --log FILE           one line per frame received and answer sent:\n"
    "                       HH:MM:SS.zzz rx|tx XX XX ... (upper-case hex); rx when the\n"
    "                       frame's last byte arrived, tx when the answer starts to leave\n"
    "  --fault KIND[:RATE]  fault the answers; RATE 0..1 (default 1) is applied with an\n"
    "                       accumulator, so 0.5 faults every second answer, the same every run\n"
    "  --late-ms MS         how long a late answer is held back (default 3000)\n"
    "  --gap-bytes N        the pause inside a gap answer, in byte times of 4.17 ms\n"
    "                       (default 6, 25 ms)\n"
    "  --program FILE.obj   start with the program of an object file (its last 256 bytes)\n"
    "  -h, --help           this text\n"
    "  --version            the version\n"
    "\n"
    "Faults (they touch only frames that get an answer):\n"
    "  silence    no answer\n"
    "  short      the answer without its last byte (6 bytes; the program answer 257)\n"
    "  long       one byte 00 appended (8 bytes; the program answer 259)\n"
    "  badxor     the check byte changed (the program answer: program byte 0 changed,\n"
    "             so it no longer matches the checksum at address 3)\n"
    "  badresult  the download answer carries 55 instead of AA (other answers untouched,\n"
    "             and not counted by RATE)\n"
    "  late       the answer leaves --late-ms later\n"
    "  garbage    FF 00 55 before the answer\n"
    "  gap        the answer's first half, then --gap-bytes of silence, then the rest\n"
    "  hangup     the line is closed at that answer, the link removed, exit 0\n"
    "\n"
    "Commands on standard input (each prints one line, \"ok\" or \"error: ...\";\n"
    "show prints several and ends with a line \".\"):\n"
    "  in N 0|1             input N (0..7) off or on: bit N of address 218\n"
    "  out N 0|1            output N (0..5) off or on: bit N of address 220, 0 = on\n"
    "  var N VALUE          variable N (0..255) = VALUE (0..255, decimal or 0x hex)\n"
    "  show                 the state: run, inputs, outputs, presets, program, variables, fault\n"
    "  fault KIND[:RATE]    change the fault; fault none ends it\n"
    "  help                 the commands\n"
    "The end of standard input does not end the simulator; SIGTERM or SIGINT do.\n"
    "\n"
    "The PLC:\n"
    "  Frames are 7 bytes that XOR to 0; other bytes are skipped one at a time, a partial\n"
    "  frame is dropped after 100 ms without bytes, frames for other stations are ignored.\n"
    "  P     the next 258 bytes are the program and the date (dropped after 1 s of\n"
    "        silence); answer id 50 AA 00 00 00 check when the XOR of the 256 program\n"
    "        bytes equals header byte 6 (program, date and address 3 are then kept),\n"
    "        else id 50 55 00 00 00 check and nothing changes\n"
    "  R     the 256 program bytes and 2 date bytes, when the password is 4B7E or equals\n"
    "        bytes 3 + 256 * byte 4; else no answer\n"
    "  8     id 08 then the bytes at address, address + 1 of each pair, check; area 0 =\n"
    "        system memory (3 checksum, 54..73 presets, 218 inputs, 220 outputs), area 1 =\n"
    "        variables; other areas and addresses past 255 read 0\n"
    "  9     a word (low byte first) for any area-0 address, held until G; other areas ignored\n"
    "  G     writes the held words in order\n"
    "  C     run: mode 0 clears variables and switches outputs off, 1 clears variables,\n"
    "        2 keeps them; other modes are ignored\n"
    "  D     stop; byte 3 = 1 switches all outputs off\n"
    "  At start: presets 1 1 1 1 10 10 10 10 100 100, outputs off (220 = 3F), program,\n"
    "  date, checksum, inputs and variables 0. Only P, R and 8 are answered.\n"
    "\n"
    "Exit status:\n"
    "  0  ended by a signal or a hangup fault\n"
    "  1  the pseudo-terminal, link, log or program file cannot be set up\n"
    "  2  bad usage\n";

int usageError(const QString& message)
{
    std::fprintf(stderr, "mk38sim: %s\nTry mk38sim --help.\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption link(QStringLiteral("link"), {}, QStringLiteral("PATH"));
    const QCommandLineOption id(QStringLiteral("id"), {}, QStringLiteral("N"));
    const QCommandLineOption password(QStringLiteral("password"), {}, QStringLiteral("HEX"));
    const QCommandLineOption pace(QStringLiteral("pace"));
    const QCommandLineOption logFile(QStringLiteral("log"), {}, QStringLiteral("FILE"));
    const QCommandLineOption fault(QStringLiteral("fault"), {}, QStringLiteral("KIND"));
    const QCommandLineOption lateMs(QStringLiteral("late-ms"), {}, QStringLiteral("MS"));
    const QCommandLineOption gapBytes(QStringLiteral("gap-bytes"), {}, QStringLiteral("N"));
    const QCommandLineOption program(QStringLiteral("program"), {}, QStringLiteral("FILE"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({link, id, password, pace, logFile, fault, lateMs, gapBytes, program, help, version});
    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("mk38sim %s\n", WMK38_VERSION);
        return 0;
    }

    bool ok = true;
    const int station = parser.isSet(id) ? parser.value(id).toInt(&ok) : 1;
    if (!ok || station < 1 || station > 255)
        return usageError(QStringLiteral("--id takes a station 1..255"));
    const QString passwordText = parser.value(password);
    const uint pass = parser.isSet(password) ? passwordText.toUInt(&ok, 16) : sim::kNoPassword;
    if (!ok || passwordText.size() > 4 || passwordText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return usageError(QStringLiteral("--password takes 1 to 4 hexadecimal digits"));

    sim::Options options;
    options.linkPath = parser.value(link);
    options.logPath = parser.value(logFile);
    options.pace = parser.isSet(pace);
    if (parser.isSet(fault)) {
        const auto parsed = sim::Fault::parse(parser.value(fault));
        if (!parsed)
            return usageError(QStringLiteral("--fault takes KIND[:RATE], KIND one of %1, RATE 0..1")
                                  .arg(sim::Fault::kindNames()));
        options.fault = *parsed;
    }
    if (parser.isSet(lateMs)) {
        options.lateMs = parser.value(lateMs).toInt(&ok);
        if (!ok || options.lateMs < 0 || options.lateMs > 600000)
            return usageError(QStringLiteral("--late-ms takes 0..600000"));
    }
    if (parser.isSet(gapBytes)) {
        options.gapBytes = parser.value(gapBytes).toInt(&ok);
        if (!ok || options.gapBytes < 0 || options.gapBytes > 100000)
            return usageError(QStringLiteral("--gap-bytes takes 0..100000"));
    }

    sim::Plc plc{quint8(station), quint16(pass)};
    if (parser.isSet(program)) {
        // an object file is a header for people followed by the image: only its last 256 bytes count
        QFile file(parser.value(program));
        if (!file.open(QIODevice::ReadOnly) || file.size() < sim::kProgramSize ||
            !file.seek(file.size() - sim::kProgramSize)) {
            std::fprintf(stderr, "mk38sim: %s: %s\n", qPrintable(file.fileName()),
                         file.isOpen() ? "shorter than a program (256 bytes)"
                                       : qPrintable(file.errorString()));
            return 1;
        }
        const QByteArray image = file.read(sim::kProgramSize);
        if (image.size() != sim::kProgramSize) {
            std::fprintf(stderr, "mk38sim: %s: %s\n", qPrintable(file.fileName()),
                         qPrintable(file.errorString()));
            return 1;
        }
        plc.loadProgram(image);
    }

    sim::Simulator simulator(plc, options);
    QString error;
    if (!simulator.open(error)) {
        std::fprintf(stderr, "mk38sim: %s\n", qPrintable(error));
        simulator.shutDown();
        return 1;
    }
    std::printf("%s\n", qPrintable(simulator.device()));
    std::fflush(stdout);
    simulator.listen();
    const int rc = app.exec();
    simulator.shutDown();
    return rc;
}
