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
