// mk38c's PLC commands: the same exchanges as the editor's, over a port named on the command line.
#include "Commands.h"
#include "Compiler.h"
#include "Cp1252.h"
#include "Exchanges.h"
#include "ObjCode.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

// Options of the form "--name VALUE" and bare flags; the rest are operands.
struct Options
{
    QMap<QString, QString> values;
    QStringList flags;
    QStringList operands;
    QString error;

    bool has(const char* flag) const { return flags.contains(QLatin1String(flag)); }
    QString value(const char* name) const { return values.value(QLatin1String(name)); }
};

Options parse(const QStringList& args, const QStringList& valued, const QStringList& bare)
{
    Options o;
    for (int i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString& a = args[i];
        if (valued.contains(a)) {
            if (i + 1 >= args.size())
                o.error = a + QStringLiteral(" needs a value");
            else
                o.values[a] = args[++i];
        } else if (bare.contains(a)) {
            o.flags << a;
        } else if (a.startsWith(u'-') && a.size() > 1) {
            o.error = QStringLiteral("unknown option \"%1\"").arg(a);
        } else {
            o.operands << a;
        }
    }
    return o;
}

// A whole number within [min, max], or nullopt.
std::optional<int> number(const QString& text, int min, int max)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= min && n <= max ? std::optional<int>(n) : std::nullopt;
}

class Command
{
public:
    Command(const char* name, const char* usage, QTextStream& out, QTextStream& err)
        : m_name(name), m_usage(usage), out(out), err(err)
    {
    }

    int usage(const QString& why)
    {
        err << "mk38c " << m_name << ": " << why << "\n" << m_usage;
        return 2;
    }
    int fail(int code, const QString& why)
    {
        err << "mk38c " << m_name << ": " << why << "\n";
        return code;
    }
    bool helpAsked(const QStringList& args)
    {
        if (!args.contains(QLatin1String("--help")) && !args.contains(QLatin1String("-h")))
            return false;
        out << m_usage;
        return true;
    }
    void progress(const QString& text)
    {
        if (::isatty(STDERR_FILENO)) {
            err << "mk38c " << m_name << ": " << text << "\n";
            err.flush();
        }
    }

    // Opens PORT (a device path, or COM1..COM6 mapped through dmk38.ini beside the tool).
    // False when it did not open; the reason has been printed.
    bool openPort(plclink::Link& link, const QString& port)
    {
        if (port.isEmpty()) {
            usage(QStringLiteral("--port is required"));
            return false;
        }
        std::optional<plclink::PortError> error;
        if (const int com = plclink::comNumber(port)) {
            QFile ini(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("dmk38.ini")));
            const QByteArray text = ini.open(QIODevice::ReadOnly) ? ini.read(1 << 20) : QByteArray();
            const auto overrides = plclink::portOverrides(text);
            for (int n = 1; n <= plclink::kComPorts; ++n)
                link.setDevice(n, overrides[n - 1]);
            error = link.OpenPort(com);
        } else {
            error = link.openDevice(port);
        }
        if (error)
            fail(2, QStringLiteral("Error de comunicacion %1: %2").arg(error->number).arg(error->description));
        return !error;
    }

    const char* m_name;
    const char* m_usage;
    QTextStream& out;
    QTextStream& err;
};

const char kSendUsage[] = "Usage: mk38c send FILE --port PORT [--id N] [--run] [--mode 0|1|2]\n";
const char kRunUsage[] = "Usage: mk38c run --port PORT [--mode 0|1|2]\n";
const char kStopUsage[] = "Usage: mk38c stop --port PORT [--outputs-off]\n";
const char kReceiveUsage[] =
    "Usage: mk38c receive --port PORT [--id N | --all] [--password HEX] [-o OUT.obj] [--dump] [--ignore-checksum]\n";
const char kVerifyUsage[] = "Usage: mk38c verify FILE --port PORT [--id N] [--password HEX]\n";
const char kPresetsUsage[] = "Usage: mk38c presets --port PORT [--id N] [--write V0,...,V9 | --factory]\n";
const char kMonitorUsage[] = "Usage: mk38c monitor --port PORT [--id N] [--from V] [--count N]\n";

// --id N (1..255, default 1), or 0 with --all where it is offered.
std::optional<quint8> station(const Options& o)
{
    if (o.has("--all"))
        return o.value("--id").isEmpty() ? std::optional<quint8>(0) : std::nullopt;
    if (o.value("--id").isEmpty())
        return 1;
    const auto id = number(o.value("--id"), 1, 255);
    return id ? std::optional<quint8>(quint8(*id)) : std::nullopt;
}

// The program answer is bytes that translate; the editor's files hold them as Windows-1252.
void printText(QTextStream& out, const QString& text)
{
    const QByteArray bytes = isa::toCp1252(text);
    out.flush();
    if (QIODevice* device = out.device())
        device->write(bytes);
    else
        out << text;
}

// The program of a source (compiled with es.def beside the tool), object or Ladder file.
// nullopt: *code is the exit code and the reason has been printed.
std::optional<isa::ProgramImage> programOf(Command& c, const QString& path, int* code)
{
    QString error;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("obj") || suffix == QLatin1String("bld")) {
        auto image = suffix == QLatin1String("bld") ? objcode::readLadderFile(path, &error)
                                                     : objcode::readObjectFile(path, &error);
        if (!image) {
            *code = c.fail(2, error);
        }
        return image;
    }
    QFile source(path), defs(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("es.def")));
    if (!source.open(QIODevice::ReadOnly) || !defs.open(QIODevice::ReadOnly)) {
        const QFile& bad = source.isOpen() ? defs : source;
        *code = c.fail(2, QStringLiteral("cannot read %1: %2").arg(bad.fileName(), bad.errorString()));
        return std::nullopt;
    }
    const compiler::CompileResult r = compiler::compile(isa::fromCp1252(source.read(1 << 20)),
                                                        compiler::readDefinitions(defs.readAll()));
    switch (r.status) {
    case compiler::CompileResult::Status::LineRejected:
        c.err << "Error en linea\n" << r.rawLine << "\n" << r.message << "\n";
        *code = 1;
        return std::nullopt;
    case compiler::CompileResult::Status::UnresolvedJump:
        c.err << " Error: salto a " << r.jumpTarget << " No hallado.\n";
        *code = 1;
        return std::nullopt;
    case compiler::CompileResult::Status::Ok:
        break;
    }
    return r.image;
}

} // namespace

int runSend(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("send", kSendUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--id"_qs, u"--mode"_qs}, {u"--run"_qs});
    if (!o.error.isEmpty())
        return c.usage(o.error);
    if (o.operands.size() != 1)
        return c.usage(o.operands.isEmpty() ? QStringLiteral("no FILE given") : QStringLiteral("more than one FILE"));
    // the download goes to every station; the identifier is only checked
    if (!o.value("--id").isEmpty() && !number(o.value("--id"), 1, 255))
        return c.usage(QStringLiteral("--id takes 1..255"));
    const auto mode = o.value("--mode").isEmpty() ? std::optional<int>(0) : number(o.value("--mode"), 0, 2);
    if (!mode)
        return c.usage(QStringLiteral("--mode takes 0, 1 or 2"));

    int code = 0;
    const auto image = programOf(c, o.operands.first(), &code);
    if (!image)
        return code;
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    const QDate today = QDate::currentDate();
    const auto result = plclink::download(link, *image, today, [&c](plclink::DownloadStage s) {
        c.progress(s == plclink::DownloadStage::Header  ? QStringLiteral("header")
                   : s == plclink::DownloadStage::Image ? QStringLiteral("sending 258 bytes")
                                                        : QStringLiteral("waiting for the answer"));
    });
    switch (result.outcome) {
    case plclink::DownloadOutcome::NoAnswer:
        return c.fail(4, QStringLiteral("No hay respuesta del PLC (%1 bytes came back, 7 expected)")
                             .arg(result.answer.size()));
    case plclink::DownloadOutcome::ReceivedWrong:
        return c.fail(3, QStringLiteral("El PLC recibió mal (result %1, 170 expected)")
                             .arg(plclink::answerByte(result.answer, 2)));
    case plclink::DownloadOutcome::Received:
        break;
    }
    out << "received by the PLC, dated " << today.toString(Qt::ISODate) << "\n";
    if (o.has("--run")) {
        plclink::run(link, *mode);
        out << "run (mode " << *mode << ")\n";
    }
    return 0;
}

int runRun(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("run", kRunUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--mode"_qs}, {});
    if (!o.error.isEmpty() || !o.operands.isEmpty())
        return c.usage(o.error.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(o.operands.first()) : o.error);
    const auto mode = o.value("--mode").isEmpty() ? std::optional<int>(0) : number(o.value("--mode"), 0, 2);
    if (!mode)
        return c.usage(QStringLiteral("--mode takes 0, 1 or 2"));
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    plclink::run(link, *mode);
    return 0;
}

int runStop(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("stop", kStopUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs}, {u"--outputs-off"_qs});
    if (!o.error.isEmpty() || !o.operands.isEmpty())
        return c.usage(o.error.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(o.operands.first()) : o.error);
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    plclink::stop(link, o.has("--outputs-off"));
    return 0;
}

namespace {

struct Received
{
    QByteArray bytes;
    int code = 0; // 0, or the exit code of the failure (its reason printed)
};

// The upload's probe and program read, judged as the upload window judges them.
Received receiveProgram(Command& c, plclink::Link& link, quint8 station, quint16 password, bool ignoreChecksum)
{
    c.progress(QStringLiteral("probe"));
    const QByteArray probe = plclink::probe(link, station);
    if (probe.isEmpty() || !plclink::answerChecks(probe))
        return {{}, c.fail(4, QStringLiteral("No hay comunicación con el PLC (%1 bytes answered the probe)")
                                  .arg(probe.size()))};
    c.progress(QStringLiteral("reading the program"));
    const QByteArray received = plclink::readProgram(link, station, password);
    if (received.isEmpty())
        return {{}, c.fail(4, QStringLiteral("No hay respuesta desde el PLC (wrong identifier or password?)"))};
    const quint8 expected = plclink::answerByte(probe, 2), computed = plclink::uploadChecksum(received);
    if (computed != expected && !ignoreChecksum)
        return {received, c.fail(5, QStringLiteral("checksum %1 of the %2 bytes received, the PLC keeps %3")
                                        .arg(computed)
                                        .arg(received.size())
                                        .arg(expected))};
    return {received, 0};
}

QString dumpLines(const QByteArray& received)
{
    QString dump;
    for (int c = 0; c < 16; ++c)
        dump += QString::number(c, 16).toUpper() + QStringLiteral("  ");
    dump += u'\n';
    for (int row = 0; row < 17; ++row) {
        for (int c = 0; c < 16; ++c)
            dump += QStringLiteral("%1 ").arg(plclink::answerByte(received, row * 16 + c), 2, 16, QLatin1Char('0')).toUpper();
        dump += u'\n';
    }
    return dump;
}

} // namespace

int runReceive(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("receive", kReceiveUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--id"_qs, u"--password"_qs, u"-o"_qs},
                            {u"--all"_qs, u"--dump"_qs, u"--ignore-checksum"_qs});
    if (!o.error.isEmpty() || !o.operands.isEmpty())
        return c.usage(o.error.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(o.operands.first()) : o.error);
    const auto s = station(o);
    if (!s)
        return c.usage(QStringLiteral("--id takes 1..255, and not with --all"));
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    const quint16 password = plclink::passwordFromText(
        o.values.value(u"--password"_qs, plclink::passwordText(plclink::kNoPassword)));
    const Received r = receiveProgram(c, link, *s, password, o.has("--ignore-checksum"));
    if (o.has("--dump") && !r.bytes.isEmpty())
        err << dumpLines(r.bytes);
    if (r.code)
        return r.code;
    const plclink::PlcDate d = plclink::decodeDateWord(plclink::uploadedDateWord(r.bytes));
    err << "dated " << QStringLiteral("%1-%2-%3").arg(d.year).arg(d.month, 2, 10, QLatin1Char('0')).arg(d.day, 2, 10, QLatin1Char('0')) << "\n";
    const isa::ProgramImage image = plclink::uploadedImage(r.bytes);
    if (!o.value("-o").isEmpty()) {
        QString error;
        if (!objcode::writeObjectFile(o.value("-o"), QString(), image, QDateTime::currentDateTime(), &error))
            return c.fail(2, error);
    }
    printText(out, objcode::ReverseTranslate(image).text);
    return 0;
}

int runVerify(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("verify", kVerifyUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--id"_qs, u"--password"_qs}, {});
    if (!o.error.isEmpty())
        return c.usage(o.error);
    if (o.operands.size() != 1)
        return c.usage(o.operands.isEmpty() ? QStringLiteral("no FILE given") : QStringLiteral("more than one FILE"));
    const auto s = station(o);
    if (!s)
        return c.usage(QStringLiteral("--id takes 1..255"));
    int code = 0;
    const auto mine = programOf(c, o.operands.first(), &code);
    if (!mine)
        return code;
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    const quint16 password = plclink::passwordFromText(
        o.values.value(u"--password"_qs, plclink::passwordText(plclink::kNoPassword)));
    const Received r = receiveProgram(c, link, *s, password, false);
    if (r.code)
        return r.code;
    const isa::ProgramImage plc = plclink::uploadedImage(r.bytes);
    if (plc == *mine) {
        out << "igual\n";
        return 0;
    }
    const QStringList a = objcode::ReverseTranslate(*mine).text.split(QStringLiteral("\r\n"));
    const QStringList b = objcode::ReverseTranslate(plc).text.split(QStringLiteral("\r\n"));
    bool shown = false;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (a.value(i) == b.value(i))
            continue;
        out << "archivo: " << a.value(i) << "\n" << "PLC:     " << b.value(i) << "\n";
        shown = true;
    }
    if (!shown) {
        // the programs read alike: they differ only in bytes after their end
        for (int i = 0; i < isa::kImageSize; ++i)
            if ((*mine)[size_t(i)] != plc[size_t(i)]) {
                out << "byte " << i << ": archivo " << (*mine)[size_t(i)] << ", PLC " << plc[size_t(i)] << "\n";
            }
    }
    return 6;
}

int runPresets(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("presets", kPresetsUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--id"_qs, u"--write"_qs}, {u"--factory"_qs});
    if (!o.error.isEmpty() || !o.operands.isEmpty())
        return c.usage(o.error.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(o.operands.first()) : o.error);
    const auto s = station(o);
    if (!s)
        return c.usage(QStringLiteral("--id takes 1..255"));
    std::optional<plclink::Presets> values;
    if (o.has("--factory") && !o.value("--write").isEmpty())
        return c.usage(QStringLiteral("--write and --factory exclude each other"));
    if (o.has("--factory"))
        values = plclink::kFactoryPresets;
    if (!o.value("--write").isEmpty()) {
        // every value is checked before anything reaches the machine
        const QStringList parts = o.value("--write").split(u',');
        if (parts.size() != plclink::kPresetCount)
            return c.usage(QStringLiteral("--write takes ten values"));
        values.emplace();
        for (int i = 0; i < plclink::kPresetCount; ++i) {
            const auto v = plclink::presetFromText(parts[i]);
            if (!v)
                return c.usage(QStringLiteral("\"%1\" is not a whole number 0..65535").arg(parts[i]));
            (*values)[size_t(i)] = *v;
        }
    }
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    if (values)
        plclink::writePresets(link, *s, *values, [&c](int i) { c.progress(QStringLiteral("writing %1").arg(i)); });
    const plclink::PresetRead r =
        plclink::readPresets(link, *s, [&c](int j) { c.progress(QStringLiteral("reading %1").arg(j)); });
    for (int i = 0; i < plclink::kPresetCount; ++i) {
        const auto& v = r.values[size_t(i)];
        out << plclink::presetName(i) << " " << (v ? QString::number(*v) : QStringLiteral("????")) << "\n";
    }
    if (r.silent || r.badPair)
        return c.fail(4, r.silent ? QStringLiteral("No hay respuesta del PLC") : QStringLiteral("some presets stayed unread"));
    return 0;
}

int runMonitor(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("monitor", kMonitorUsage, out, err);
    if (c.helpAsked(args))
        return 0;
    const Options o = parse(args, {u"--port"_qs, u"--id"_qs, u"--from"_qs, u"--count"_qs}, {});
    if (!o.error.isEmpty() || !o.operands.isEmpty())
        return c.usage(o.error.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(o.operands.first()) : o.error);
    const auto s = station(o);
    const auto from = o.value("--from").isEmpty() ? std::optional<int>(0) : number(o.value("--from"), 0, 252);
    const auto count =
        o.value("--count").isEmpty() ? std::optional<int>(-1) : number(o.value("--count"), 1, 1 << 30);
    if (!s || !from || !count)
        return c.usage(QStringLiteral("--id takes 1..255, --from 0..252, --count a positive number"));
    QFile defs(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("es.def")));
    const QStringList names = compiler::readDefinitions(defs.open(QIODevice::ReadOnly) ? defs.read(1 << 20) : QByteArray());
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!c.openPort(link, o.value("--port")))
        return 2;
    auto bits = [](int value, int width, bool onWhenSet) {
        QString text;
        for (int i = 0; i < width; ++i)
            text += (bool(value & (1 << i)) == onWhenSet) ? u'1' : u'0';
        return text;
    };
    auto hex = [](int value) { return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper(); };
    for (int n = 0; *count < 0 || n < *count; ++n) {
        bool answered = false;
        if (n % 2 == 0) {
            const auto io = plclink::pollIo(link, *s);
            answered = io.has_value();
            if (io)
                out << "in " << bits(io->inputs, 8, true) << "  out " << bits(io->outputs, 6, false) << "\n";
            else
                out << "in/out: no answer\n";
        } else {
            const auto v = plclink::pollVariables(link, *s, *from);
            answered = v.has_value();
            out << "var";
            for (int i = 0; i < 4; ++i) {
                out << "  " << names.value(*from + i, QString::number(*from + i)) << "="
                    << (v ? QString::number((*v)[size_t(i)]) + u' ' + hex((*v)[size_t(i)]) : QStringLiteral("?"));
            }
            out << (v ? "" : "  (no answer)") << "\n";
        }
        out.flush();
        // as the monitor window does: a bad answer closes the port, the next poll reopens it
        if (!answered)
            link.close();
    }
    return 0;
}
