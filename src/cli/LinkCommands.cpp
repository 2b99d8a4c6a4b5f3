// SPDX-License-Identifier: GPL-3.0-or-later
// mk38c's PLC commands: the same exchanges as the editor's, over a port named on the command line.
#include "CliIo.h"
#include "Commands.h"
#include "Cp1252.h"
#include "Exchanges.h"
#include "MonitorCsv.h"
#include "ObjCode.h"
#include "Poller.h"
#include "Programs.h"
#include "Scan.h"
#include "Upload.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <csignal>
#include <unistd.h>

namespace {

using cli::kExitChecksum;
using cli::kExitDifferent;
using cli::kExitNoAnswer;
using cli::kExitReceivedWrong;

// The program and its two date bytes, as the download sends them.
constexpr int kSentBytes = isa::kImageSize + 2;

// A whole number within [min, max], or nullopt.
std::optional<int> number(const QString& text, int min, int max)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= min && n <= max ? std::optional<int>(n) : std::nullopt;
}

// A text marked with QT_TRANSLATE_NOOP, in the language in use.
QString translated(const char* text)
{
    return cli::Text::tr(text);
}

// A command's --help: its synopsis, then what it adds to the synopsis, if anything.
struct Help
{
    const char* synopsis;
    const char* notes = nullptr;
    bool fastNote = true; // a command that reads answers tells what --fast changes
};

class Command
{
public:
    Command(const char* name, const Help& help, QTextStream& out, QTextStream& err)
        : name(name), out(out), err(err), m_help(help)
    {
    }

    const char* name;
    QTextStream& out;
    QTextStream& err;
    plclink::Waits waits;
    plclink::Link link{waits};

    int usage(const QString& why)
    {
        err << "mk38c " << name << ": " << why << "\n" << helpText();
        return cli::kExitTrouble;
    }
    int fail(int code, const QString& why)
    {
        err << "mk38c " << name << ": " << why << "\n";
        return code;
    }
    // A frame nothing answers could not be written whole: the PLC never got it.
    int unsent(const char* frame)
    {
        const auto error = link.reopenError();
        return fail(kExitNoAnswer,
                    error ? cli::Text::tr("no se pudo escribir la trama %1: %2")
                                .arg(QLatin1String(frame),
                                     error->headline() + QStringLiteral(": ") + error->description)
                          : cli::Text::tr("no se pudo escribir la trama %1 (¿se desconectó el dispositivo?)")
                                .arg(QLatin1String(frame)));
    }
    // After an exchange that came back empty: the port that could not be opened again, told
    // once, rather than a missing answer. Its exit code, or 0 when the port was not the reason.
    int portLost()
    {
        const auto error = link.reopenError();
        return error ? fail(cli::kExitTrouble, error->headline() + QStringLiteral(": ") + error->description) : 0;
    }
    void progress(const QString& text)
    {
        if (::isatty(STDERR_FILENO)) {
            err << "mk38c " << name << ": " << text << "\n";
            err.flush();
        }
    }

    // The options, or nullopt when the command ends here: help shown, or a usage error, with
    // *code set. Every command takes --port; operands: how many FILEs it takes (0 or 1).
    std::optional<cli::Options> options(const QStringList& args, QStringList flags, QStringList valued,
                                        int operands, int* code)
    {
        valued << QStringLiteral("--port");
        flags << QStringLiteral("--fast");
        cli::Options o = cli::parseOptions(args, flags, valued);
        if (o.help) {
            out << helpText();
            *code = cli::kExitOk;
            return std::nullopt;
        }
        if (o.error.isEmpty() && o.operands.size() != operands)
            o.error = operands == 0 ? cli::Text::tr("sobra \"%1\"").arg(cli::shownName(o.operands.first()))
                      : o.operands.isEmpty() ? cli::Text::tr("falta ARCHIVO")
                                             : cli::Text::tr("más de un ARCHIVO");
        if (o.error.isEmpty() && o.values.value(QStringLiteral("--port")).isEmpty())
            o.error = cli::Text::tr("falta --port");
        if (!o.error.isEmpty()) {
            *code = usage(o.error);
            return std::nullopt;
        }
        m_options = o;
        link.setFast(has("--fast"));
        return o;
    }
    bool has(const char* flag) const { return m_options.flags.contains(QLatin1String(flag)); }
    bool given(const char* option) const { return m_options.values.contains(QLatin1String(option)); }
    QString value(const char* option, const QString& otherwise = {}) const
    {
        return m_options.values.value(QLatin1String(option), otherwise);
    }
    // --id N (1..255, default 1), or 0 for every station with --all where it is offered.
    std::optional<quint8> station() const
    {
        if (has("--all"))
            return value("--id").isEmpty() ? std::optional<quint8>(0) : std::nullopt;
        const auto id = number(value("--id", QStringLiteral("1")), 1, 255);
        return id ? std::optional<quint8>(quint8(*id)) : std::nullopt;
    }
    std::optional<int> mode() const { return number(value("--mode", QStringLiteral("0")), 0, 2); }
    quint16 password() const
    {
        return plclink::passwordFromText(value("--password", plclink::passwordText(plclink::kNoPassword)));
    }

    // Opens --port (a device path, or COM1..COM6 mapped through dmk38.ini beside the tool).
    // False when it did not open; the reason has been printed.
    bool openPort()
    {
        const QString port = value("--port");
        std::optional<plclink::PortError> error;
        if (const int com = plclink::comNumber(port)) {
            const plclink::PortSettings read = plclink::readPortSettings(cli::settingsFile());
            if (!read.problem.isEmpty())
                err << "mk38c " << name << ": " << read.problem << "\n";
            for (int n = 1; n <= plclink::kComPorts; ++n)
                link.setDevice(n, read.devices[n - 1]);
            error = link.OpenPort(com);
        } else {
            error = link.openDevice(QFile::decodeName(cli::nativeName(port)));
        }
        if (error)
            fail(cli::kExitTrouble,
                 error->headline() + QStringLiteral(": ") + error->description);
        return !error;
    }

private:
    QString helpText() const
    {
        QString text = cli::Text::tr("Uso: %1").arg(translated(m_help.synopsis)) + u'\n';
        if (m_help.notes)
            text += translated(m_help.notes);
        if (m_help.fastNote)
            text += cli::Text::tr(
                "--fast lee cada respuesta en cuanto está completa, en lugar de esperar el tiempo fijo.\n");
        return text;
    }

    Help m_help;
    cli::Options m_options;
};

const Help kSendHelp{
    QT_TRANSLATE_NOOP("mk38c", "mk38c send ARCHIVO --port PUERTO [--id N] [--run] [--mode 0|1|2] [--fast]")};
// run and stop wait for no answer
const Help kRunHelp{QT_TRANSLATE_NOOP("mk38c", "mk38c run --port PUERTO [--mode 0|1|2] [--fast]"), nullptr,
                    false};
const Help kStopHelp{QT_TRANSLATE_NOOP("mk38c", "mk38c stop --port PUERTO [--outputs-off] [--fast]"), nullptr,
                     false};
const Help kReceiveHelp{QT_TRANSLATE_NOOP(
    "mk38c", "mk38c receive --port PUERTO [--id N | --all] [--password HEX] [-o SALIDA.obj] "
             "[--dump] [--ignore-checksum] [--fast]")};
const Help kVerifyHelp{
    QT_TRANSLATE_NOOP("mk38c", "mk38c verify ARCHIVO --port PUERTO [--id N] [--password HEX] [--fast]")};
const Help kPresetsHelp{QT_TRANSLATE_NOOP(
    "mk38c", "mk38c presets --port PUERTO [--id N] [--write V0,...,V9 | --factory] [--fast]")};
const Help kMonitorHelp{
    QT_TRANSLATE_NOOP("mk38c",
                      "mk38c monitor --port PUERTO [--id N] [--from V] [--count N] [--csv] [--fast]"),
    QT_TRANSLATE_NOOP(
        "mk38c", "Con --count N termina con 0 si se respondió cada consulta, con 4 si una no.\n"
                 "--csv imprime una fila por consulta (hora, tipo, ok, in0..in7, out0..out5, las\n"
                 "cuatro variables) para una hoja de cálculo; Ctrl+C termina tras una fila completa.\n")};
const Help kScanHelp{
    QT_TRANSLATE_NOOP("mk38c", "mk38c scan --port PUERTO [--from N] [--to M] [--fast]"),
    QT_TRANSLATE_NOOP("mk38c",
                      "Envía la consulta de la recepción a las estaciones N..M (por omisión 1..255; nunca a\n"
                      "la 0, a la que responde todo PLC) y lista cada una que responde bien con la suma de\n"
                      "control de su programa guardado; una respuesta que no cuadra se lista como\n"
                      "\"respuesta dañada\". Termina con 0 si respondió una estación, con 4 si ninguna.\n"
                      "Cada estación callada cuesta la espera de respuesta de 500 ms, así que 1..255 lleva\n"
                      "unos dos minutos; con --fast una estación que responde cuesta solo su tiempo de\n"
                      "respuesta. Ctrl+C detiene tras la estación en curso.\n"),
    false};

struct Received
{
    QByteArray bytes;
    int code = cli::kExitOk; // else the exit code of the failure, its reason printed
};

// The upload, judged as the upload window judges it.
Received receiveProgram(Command& c, plclink::Link& link, quint8 station, bool ignoreChecksum)
{
    c.progress(cli::Text::tr("consulta"));
    const plclink::UploadResult r = plclink::upload(link, station, c.password(), [&c](const QByteArray& probe) {
        if (plclink::probeAnswered(probe))
            c.progress(cli::Text::tr("leyendo el programa"));
    });
    if (const int lost = c.portLost())
        return {{}, lost};
    switch (r.outcome) {
    case plclink::UploadOutcome::NoCommunication:
        return {{},
                c.fail(kExitNoAnswer,
                       cli::Text::tr("No hay comunicación con el PLC (%1 bytes respondieron a la consulta)")
                           .arg(r.probeAnswer.size()))};
    case plclink::UploadOutcome::NoAnswer:
        return {{},
                c.fail(kExitNoAnswer,
                       cli::Text::tr("No hay respuesta desde el PLC (¿identificador o contraseña?)"))};
    case plclink::UploadOutcome::ChecksumWrong:
        if (!ignoreChecksum)
            return {r.received,
                    c.fail(kExitChecksum,
                           cli::Text::tr("suma de control %1 de los %2 bytes recibidos, el PLC guarda %3")
                               .arg(r.computed)
                               .arg(r.received.size())
                               .arg(r.stored))};
        break;
    case plclink::UploadOutcome::Read:
        break;
    }
    return {r.received, cli::kExitOk};
}

QString hexByte(int value) { return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper(); }

} // namespace

int runSend(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("send", kSendHelp, out, err);
    int code = cli::kExitOk;
    const auto o = c.options(args, {QStringLiteral("--run")}, {QStringLiteral("--id"), QStringLiteral("--mode")}, 1, &code);
    if (!o)
        return code;
    // the download goes to every station; the identifier is only checked
    if (!c.station())
        return c.usage(cli::Text::tr("--id admite 1..255"));
    if (!c.mode())
        return c.usage(cli::Text::tr("--mode admite 0, 1 o 2"));
    const auto image = cli::loadProgram(c.name, o->operands.first(), err, &code);
    if (!image)
        return code;
    if (!c.openPort())
        return cli::kExitTrouble;
    plclink::Link& link = c.link;
    const QDate today = QDate::currentDate();
    const auto result = plclink::download(link, *image, today, [&c](plclink::DownloadStage s) {
        c.progress(s == plclink::DownloadStage::Header  ? cli::Text::tr("cabecera")
                   : s == plclink::DownloadStage::Image ? cli::Text::tr("enviando %1 bytes").arg(kSentBytes)
                                                        : cli::Text::tr("esperando la respuesta"));
    });
    if (const int lost = c.portLost())
        return lost;
    switch (result.outcome) {
    case plclink::DownloadOutcome::NoAnswer:
        return c.fail(kExitNoAnswer,
                      cli::Text::tr("No hay respuesta del PLC (llegaron %1 bytes, se esperaban %2)")
                          .arg(result.answer.size())
                          .arg(plclink::kAnswerSize));
    case plclink::DownloadOutcome::ReceivedWrong:
        return c.fail(kExitReceivedWrong, cli::Text::tr("El PLC recibió mal (resultado %1, se esperaba %2)")
                                              .arg(plclink::answerByte(result.answer, 2))
                                              .arg(plclink::kReceivedRight));
    case plclink::DownloadOutcome::Received:
        break;
    }
    out << cli::Text::tr("recibido por el PLC, fecha %1").arg(today.toString(Qt::ISODate)) << "\n";
    if (c.has("--run")) {
        if (!plclink::run(link, *c.mode()))
            return c.unsent("run");
        out << cli::Text::tr("en marcha (modo %1)").arg(*c.mode()) << "\n";
    }
    return cli::kExitOk;
}

int runRun(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("run", kRunHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {}, {QStringLiteral("--mode")}, 0, &code))
        return code;
    if (!c.mode())
        return c.usage(cli::Text::tr("--mode admite 0, 1 o 2"));
    if (!c.openPort())
        return cli::kExitTrouble;
    return plclink::run(c.link, *c.mode()) ? cli::kExitOk : c.unsent("run");
}

int runStop(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("stop", kStopHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {QStringLiteral("--outputs-off")}, {}, 0, &code))
        return code;
    if (!c.openPort())
        return cli::kExitTrouble;
    return plclink::stop(c.link, c.has("--outputs-off")) ? cli::kExitOk : c.unsent("stop");
}

int runReceive(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("receive", kReceiveHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {QStringLiteral("--all"), QStringLiteral("--dump"), QStringLiteral("--ignore-checksum")},
                   {QStringLiteral("--id"), QStringLiteral("--password"), QStringLiteral("-o")}, 0, &code))
        return code;
    const auto station = c.station();
    if (!station)
        return c.usage(cli::Text::tr("--id admite 1..255, y no junto con --all"));
    const QString outPath = c.value("-o");
    QString error;
    if (!outPath.isEmpty() && !cli::checkOutputFile(outPath, {}, &error))
        return c.fail(cli::kExitTrouble, error);
    if (!c.openPort())
        return cli::kExitTrouble;
    plclink::Link& link = c.link;
    const Received r = receiveProgram(c, link, *station, c.has("--ignore-checksum"));
    if (c.has("--dump") && !r.bytes.isEmpty()) {
        // as the upload window's diagnostic dump: bytes 0..271, the date bytes at 256
        err << plclink::uploadDump(r.bytes).join(u'\n') << "\n";
    }
    if (r.code)
        return r.code;
    const quint16 word = plclink::uploadedDateWord(r.bytes);
    const plclink::PlcDate d = plclink::decodeDateWord(word);
    if (QDate(d.year, d.month, d.day).isValid())
        err << cli::Text::tr("fecha %1").arg(QDate(d.year, d.month, d.day).toString(Qt::ISODate)) << "\n";
    else // a short answer or a PLC that never had a date: no impossible ISO date
        err << cli::Text::tr("fecha 0x%1 (no válida)").arg(hexByte(word >> 8) + hexByte(word & 0xFF)) << "\n";
    const isa::ProgramImage image = plclink::uploadedImage(r.bytes);
    if (!outPath.isEmpty() &&
        !cli::writeOutputFile(outPath, objcode::objectFileBytes(QString(), QDateTime::currentDateTime(), image), &error))
        return c.fail(cli::kExitTrouble, error);
    cli::writeBytes(out, isa::toCp1252(objcode::ReverseTranslate(image).text));
    return cli::kExitOk;
}

int runVerify(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("verify", kVerifyHelp, out, err);
    int code = cli::kExitOk;
    const auto o = c.options(args, {}, {QStringLiteral("--id"), QStringLiteral("--password")}, 1, &code);
    if (!o)
        return code;
    const auto station = c.station();
    if (!station)
        return c.usage(cli::Text::tr("--id admite 1..255"));
    const auto mine = cli::loadProgram(c.name, o->operands.first(), err, &code);
    if (!mine)
        return code;
    if (!c.openPort())
        return cli::kExitTrouble;
    plclink::Link& link = c.link;
    const Received r = receiveProgram(c, link, *station, false);
    if (r.code)
        return r.code;
    const isa::ProgramImage plc = plclink::uploadedImage(r.bytes);
    const plclink::ImageDifference d = plclink::compareImages(*mine, plc);
    if (d.bytes == 0) {
        out << cli::Text::tr("igual") << "\n";
        return cli::kExitOk;
    }
    err << cli::Text::tr("mk38c verify: difieren %1 bytes, el primero en la dirección %2")
               .arg(d.bytes)
               .arg(d.first)
        << "\n";
    const QStringList a = objcode::ReverseTranslate(*mine).text.split(QStringLiteral("\r\n"));
    const QStringList b = objcode::ReverseTranslate(plc).text.split(QStringLiteral("\r\n"));
    bool shown = false;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (a.value(i) == b.value(i))
            continue;
        // the two labels are as wide in every language, so the lines align
        out << cli::Text::tr("archivo: %1").arg(a.value(i)) << "\n"
            << cli::Text::tr("PLC:     %1").arg(b.value(i)) << "\n";
        shown = true;
    }
    // programs that read alike differ only in bytes after their end
    for (int i = 0; i < isa::kImageSize && !shown; ++i)
        if ((*mine)[size_t(i)] != plc[size_t(i)])
            out << cli::Text::tr("byte %1: archivo %2, PLC %3")
                       .arg(i)
                       .arg((*mine)[size_t(i)])
                       .arg(plc[size_t(i)])
                << "\n";
    return kExitDifferent;
}

int runPresets(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("presets", kPresetsHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {QStringLiteral("--factory")}, {QStringLiteral("--id"), QStringLiteral("--write")}, 0, &code))
        return code;
    const auto station = c.station();
    if (!station)
        return c.usage(cli::Text::tr("--id admite 1..255"));
    std::optional<plclink::Presets> values;
    const QString write = c.value("--write");
    if (c.has("--factory") && c.given("--write"))
        return c.usage(cli::Text::tr("--write y --factory se excluyen"));
    if (c.has("--factory"))
        values = plclink::kFactoryPresets;
    if (c.given("--write")) {
        // every value is checked before anything reaches the machine
        const QStringList parts = write.split(u',');
        if (parts.size() != plclink::kPresetCount)
            return c.usage(cli::Text::tr("--write lleva diez valores"));
        values.emplace();
        for (int i = 0; i < plclink::kPresetCount; ++i) {
            const auto v = plclink::presetFromText(parts[i]);
            if (!v)
                return c.usage(cli::Text::tr("\"%1\" no es un número entero 0..65535").arg(parts[i]));
            (*values)[size_t(i)] = *v;
        }
    }
    if (!c.openPort())
        return cli::kExitTrouble;
    plclink::Link& link = c.link;
    if (values && !plclink::writePresets(link, *station, *values,
                                         [&c](int i) { c.progress(cli::Text::tr("escribiendo %1").arg(i)); }))
        return c.portLost();
    const plclink::PresetRead r =
        plclink::readPresets(link, *station, [&c](int j) { c.progress(cli::Text::tr("leyendo %1").arg(j)); });
    if (const int lost = c.portLost())
        return lost;
    for (int i = 0; i < plclink::kPresetCount; ++i) {
        const auto& v = r.values[size_t(i)];
        out << plclink::presetName(i) << " " << (v ? QString::number(*v) : QStringLiteral("????")) << "\n";
    }
    if (r.silent || r.badPair)
        return c.fail(kExitNoAnswer, r.silent ? cli::Text::tr("No hay respuesta del PLC")
                                              : cli::Text::tr("algunos preseteos quedaron sin leer"));
    return cli::kExitOk;
}

int runMonitor(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("monitor", kMonitorHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {QStringLiteral("--csv")}, {QStringLiteral("--id"), QStringLiteral("--from"), QStringLiteral("--count")},
                   0, &code))
        return code;
    const auto station = c.station();
    const auto from = number(c.value("--from", QStringLiteral("0")), 0, 252);
    const auto count = c.value("--count").isEmpty() ? std::optional<int>(-1) : number(c.value("--count"), 1, 1 << 30);
    if (!station || !from || !count)
        return c.usage(cli::Text::tr("--id admite 1..255, --from 0..252, --count un número positivo"));
    QByteArray defs;
    QString ignored;
    cli::readInput(cli::definitionsFile(), cli::kMaxTextInput,
                   &defs, &ignored);
    const QStringList names = compiler::readDefinitions(defs);
    if (!c.openPort())
        return cli::kExitTrouble;
    const bool csv = c.has("--csv");
    const QStringList varNames = plclink::monitorcsv::variableNames(names, *from);
    if (csv)
        out << plclink::monitorcsv::header(varNames) << "\n";
    static volatile std::sig_atomic_t interrupted = 0;
    std::signal(SIGINT, [](int) { interrupted = 1; }); // the row under way is finished first
    plclink::Poller poller(c.link, [&station] { return *station; }, [&from] { return *from; });
    QEventLoop loop;
    QObject::connect(&poller, &plclink::Poller::finished, &loop, &QEventLoop::quit);
    bool allAnswered = true, unread = false, gone = false;
    int n = 0;
    QObject::connect(&poller, &plclink::Poller::sample, [&](const plclink::Sample& s) {
        const bool away = s.fault == plclink::Sample::Fault::Port;
        if (away && !gone) {
            const auto error = poller.portError();
            c.err << "mk38c monitor: "
                  << (error ? error->headline() + QStringLiteral(": ") + error->description : QString())
                  << "\nmk38c monitor: "
                  << cli::Text::tr("el dispositivo se fue; se abre de nuevo en cada consulta, cada %1 ms, "
                                   "hasta que vuelva "
                                   "(Ctrl+C termina)")
                         .arg(plclink::Waits::kAnswer)
                  << "\n";
            c.err.flush();
        } else if (!away && gone) {
            c.err << "mk38c monitor: " << cli::Text::tr("el dispositivo volvió") << "\n";
            c.err.flush();
        }
        gone = away;
        // without a count, polls that found no device are told once above, not row by row
        if (!away || csv || *count >= 0) {
            out << (csv ? plclink::monitorcsv::row(s) : plclink::monitorcsv::text(s, varNames)) << "\n";
            out.flush();
        }
        unread = out.status() != QTextStream::Ok; // nobody reads any more
        allAnswered = allAnswered && s.sound();
        if (unread || interrupted || (*count >= 0 && ++n >= *count))
            poller.stop();
    });
    poller.start();
    loop.exec();
    if (unread)
        return cli::kExitTrouble;
    // a script can tell a dead PLC from a live one
    return allAnswered ? cli::kExitOk : kExitNoAnswer;
}

int runScan(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Command c("scan", kScanHelp, out, err);
    int code = cli::kExitOk;
    if (!c.options(args, {}, {QStringLiteral("--from"), QStringLiteral("--to")}, 0, &code))
        return code;
    const auto from = number(c.value("--from", QStringLiteral("1")), plclink::kFirstStation, plclink::kLastStation);
    const auto to = number(c.value("--to", QStringLiteral("255")), plclink::kFirstStation, plclink::kLastStation);
    if (!from || !to)
        return c.usage(cli::Text::tr("--from y --to admiten 1..255"));
    if (*from > *to)
        return c.usage(cli::Text::tr("--from %1 es mayor que --to %2").arg(*from).arg(*to));
    if (!c.openPort())
        return cli::kExitTrouble;
    const bool terminal = ::isatty(STDERR_FILENO);
    // one line on the terminal, rewritten station by station
    auto clearProgress = [&] {
        if (terminal)
            err << "\r\033[K";
    };
    static volatile std::sig_atomic_t interrupted = 0;
    std::signal(SIGINT, [](int) { interrupted = 1; }); // the station under way is finished first
    const plclink::ScanResult result = plclink::scan(c.link, *from, *to, [&](const plclink::StationReply& r) {
        clearProgress();
        err.flush();
        if (r.kind == plclink::StationReply::Kind::Found)
            out << r.station << " checksum " << int(r.checksum) << "\n";
        else if (r.kind == plclink::StationReply::Kind::Damaged)
            out << r.station << " respuesta dañada\n";
        out.flush();
        if (terminal) {
            err << "mk38c scan: "
                << cli::Text::tr("%1 (%2 de %3)")
                       .arg(r.station)
                       .arg(r.station - *from + 1)
                       .arg(*to - *from + 1);
            err.flush();
        }
        return !interrupted && out.status() == QTextStream::Ok;
    });
    clearProgress();
    if (out.status() != QTextStream::Ok)
        return cli::kExitTrouble;
    if (const int lost = c.portLost())
        return lost;
    if (!result.complete)
        err << "mk38c scan: " << cli::Text::tr("detenido") << "\n";
    if (result.found() == 0)
        return c.fail(kExitNoAnswer,
                      cli::Text::tr("ninguna estación respondió entre %1 y %2").arg(*from).arg(*to));
    return cli::kExitOk;
}
