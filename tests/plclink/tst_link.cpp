// SPDX-License-Identifier: GPL-3.0-or-later
// The link against mk38sim over a real pseudo-terminal: the bytes each exchange sends, how it
// judges the answers the simulator gives (faults included), and the port's own failures.
#include "Compiler.h"
#include "Exchanges.h"
#include "Poller.h"
#include "ScriptedPlc.h"
#include "SimProcess.h"
#include "TestUtil.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using plclink::DownloadOutcome;
using Script = QList<QPair<int, QByteArray>>;

namespace {

const auto hex = [](const char* text) { return QByteArray::fromHex(text); };

// The simulator with the link open on it; waits a tenth of their length.
struct Plc
{
    testutil::SimProcess sim;
    plclink::Waits waits{0.1};
    plclink::Link link{waits};
    explicit Plc(const QStringList& args = {}) : sim(args) {}
    bool start() { return sim.start() && !link.openDevice(sim.device()); }
};

const isa::ProgramImage& image()
{
    static const isa::ProgramImage compiled =
        compiler::compile(u"ld e1\r\nout s1\r\nend\r\n"_s, testutil::shippedDefinitionNames()).image;
    return compiled;
}

// What an exchange with station 1 gave, as the rows write it.
QString exchange(plclink::Link& link, const QString& name)
{
    if (name == u"download") { // the outcome and the answer's size
        const auto r = plclink::download(link, image(), QDate(2099, 12, 31));
        return u"%1/%2"_s.arg(int(r.outcome)).arg(r.answer.size());
    }
    if (name == u"probe")
        return QString::fromLatin1(plclink::probe(link, 1).toHex());
    if (name == u"program") { // the size and the first byte
        const QByteArray got = plclink::readProgram(link, 1, plclink::kNoPassword);
        return u"%1/%2"_s.arg(got.size()).arg(plclink::answerByte(got, 0));
    }
    if (name == u"poll") { // inputs/outputs on
        const auto io = plclink::poll(link, 1, plclink::Sample::Kind::Io, 0);
        return io && io->sound() ? u"%1/%2"_s.arg(io->inputs).arg(io->outputs) : u"none"_s;
    }
    if (name == u"variables") { // 14..17
        const auto v = plclink::poll(link, 1, plclink::Sample::Kind::Variables, 14);
        return v && v->sound() ? u"%1/%2/%3/%4"_s.arg(v->variables[0]).arg(v->variables[1]).arg(v->variables[2]).arg(v->variables[3])
                               : u"none"_s;
    }
    if (name == u"write")
        return QString::number(plclink::writePresets(link, 1, {300, 65535, 0, 1, 10, 10, 10, 10, 100, 100}));
    if (name == u"run")
        return QString::number(plclink::run(link, 0));
    QStringList shown;
    for (const auto& v : plclink::readPresets(link, 1).values)
        shown << (v ? QString::number(*v) : u"?"_s);
    return shown.join(u',');
}

} // namespace

class TstLink : public QObject
{
    Q_OBJECT
private slots:
    void faults_data()
    {
        // every fault of the simulator against each exchange, judged alike in the default mode
        // and with the fast link, which only ends a wait once its answer is complete
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<QString>("outcome");
        // a fault with options of its own runs the waits at full length: answers that come by
        // the line's pace, or with a pause inside, fit the fixed waits without racing them
        const char* kinds[] = {"none",    "silence",    "late",        "short",
                               "long",    "badxor",     "garbage",     "badresult",
                               "hangup",  "badxor:0.5", "silence:0.4", "gap --gap-bytes 6",
                               "long --pace"};
        const char* exchanges[] = {"download", "poll", "presets", "program"};
        // download: outcome/answer bytes; poll: inputs/outputs; program: bytes/first byte;
        // presets: the values written, as read back, and the read frames
        const char* read = "300,65535,0,1,10,10,10,10,100,100 5";
        const char* unread = "?,?,?,?,?,?,?,?,?,? 7"; // pair 0 tried three times, the others once
        const char* silent = "?,?,?,?,?,?,?,?,?,? 1";
        const char* outcomes[][4] = {
            {"0/7", "0/0", read, "258/0"},
            {"2/0", "none", silent, "0/0"},
            {"2/0", "none", silent, "0/0"},
            {"2/6", "none", unread, "257/0"},
            {"2/8", "none", read, "259/0"},
            {"0/7", "none", unread, "258/255"}, // a download judged by its result byte alone
            {"2/10", "none", unread, "261/255"},
            {"1/7", "0/0", read, "258/0"},
            {"2/0"}, // the device went away: the port is closed, and a later frame does not leave
            // a sound answer sets the shared attempt count back: every pair is read on its second try
            {nullptr, nullptr, "300,65535,0,1,10,10,10,10,100,100 9"},
            // silent at the third pair: nothing counts as read, not even the first two pairs
            {nullptr, nullptr, "?,?,?,?,?,?,?,?,?,? 3"},
            // the fast link waits for all of an answer, and a line quiet after its seventh byte
            {"0/7", "0/0", read, "258/0"},
            {nullptr, "none"},
        };
        for (int k = 0; k < int(std::size(kinds)); ++k)
            for (int e = 0; e < 4; ++e)
                if (outcomes[k][e])
                    QTest::addRow("%s %s", kinds[k], exchanges[e])
                        << kinds[k] << exchanges[e] << outcomes[k][e];
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, exchange);
        for (const bool fast : {false, true}) {
            Plc plc(QStringList{u"--fault"_s} + fault.split(u' ') + QStringList{u"--late-ms"_s, u"600"_s});
            plc.link.setFast(fast);
            QVERIFY(plc.start());
            // the presets read back what was written; a write has no answer to fault
            plc.waits.setScale(0.02); // the write's pauses only space frames the simulator takes at once
            QVERIFY(exchange != u"presets" || ::exchange(plc.link, u"write"_s) == u"1");
            // windows of 50 ms and more: an answer is never missed for a busy machine
            plc.waits.setScale(fault.contains(u' ') ? 1.0 : exchange == u"presets" ? 0.5 : 0.25);
            const QString got = ::exchange(plc.link, exchange);
            // the header carries the program's XOR; the date 31 Dec 2099 follows the program as 63 FE
            const QByteArray body(reinterpret_cast<const char*>(image().data()), 256);
            if (exchange == u"download")
                QTRY_COMPARE(plc.sim.received(), (QList<QByteArray>{hex("0050000001 0A 5B"), body + hex("63FE")}));
            QVERIFY(fault != u"hangup" || !plclink::run(plc.link, 0));
            QFETCH(QString, outcome);
            // the read frames as the simulator's log tells them, once it has caught up
            QTRY_COMPARE(exchange != u"presets" ? got : got + u" %1"_s.arg(plc.sim.received().size() - 11), outcome);
        }
    }

    void eachExchangeDiscardsAndWaits_data()
    {
        // a sound answer to an earlier frame waits on the line before each exchange; the PLC's
        // answers come at once; each step asks for the PLC's own wait, whatever the scale
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<bool>("fast");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QList<int>>("waits");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* tag, const char* exchange, bool fast, const Script& script,
                            const QList<int>& waits, const char* outcome) {
            QTest::newRow(tag) << exchange << fast << script << waits << outcome;
        };
        // the header's echo comes during its pause and is never taken for the answer
        const Script download{{7, hex("0108AA00BB0018")}, {265, hex("0050AA000000FA")}};
        row("download", "download", false, download, {120, 1500, 500}, "0/7");
        row("download, fast", "download", true, download, {120, 1500, 2000}, "0/7");
        row("probe", "probe", false, {{7, hex("01080F000F0009")}}, {500}, "01080f000f0009");
        row("program", "program", false, {{7, QByteArray(258, '\x11')}}, {2000}, "258/17");
        row("poll", "poll", false, {{7, hex("01083E000500 32")}}, {500}, "5/1");
        const Script presets{{7, hex("0108010002000A")},
                             {14, hex("0108030004000E")},
                             {21, hex("0108050006000A")},
                             {28, hex("01080700080006")},
                             {35, hex("010809000A000A")}};
        row("presets read", "presets", false, presets, QList<int>(5, 200), "1,2,3,4,5,6,7,8,9,10");
        row("presets write", "write", false, {}, QList<int>(11, 400), "1");
        row("run", "run", false, {}, {}, "1");
    }
    void eachExchangeDiscardsAndWaits()
    {
        QFETCH(QString, exchange);
        QFETCH(bool, fast);
        testutil::ScriptedPlc plc;
        QFETCH(Script, script);
        plc.script = script;
        plclink::Waits waits(0.3); // room for the scripted answers on a loaded machine
        QList<int> asked;
        waits.record(&asked);
        plclink::Link link(waits);
        link.setFast(fast);
        QVERIFY(!link.openDevice(plc.pty.path()));
        plc.pty.write(hex("0108AA00BB0018"));
        QTest::qWait(20);
        QElapsedTimer t;
        t.start();
        QTEST(::exchange(link, exchange), "outcome");
        QTEST(asked, "waits");
        // in the default mode every wait lasts its whole length, however soon the answer came
        int whole = 0;
        for (const int ms : asked)
            whole += waits.scaled(ms);
        QVERIFY2(fast || t.elapsed() >= whole, qPrintable(u"%1 < %2"_s.arg(t.elapsed()).arg(whole)));
    }

    void upload_data()
    {
        QTest::addColumn<QString>("password"); // the PLC's
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("late"); // every answer after the download comes after its wait
        QTest::addColumn<QByteArray>("readFrame");
        QTest::addColumn<int>("received");
        const auto row = [](const char* tag, const char* password, const char* typed, bool late,
                            const char* readFrame, int received) {
            QTest::newRow(tag) << password << typed << late << hex(readFrame) << received;
        };
        row("no password", "4B7E", "4B7E", false, "01527E4B000066", 258);
        row("two digits, padded", "00A5", "a5", false, "0152A5000000F6", 258);
        row("wrong password: silence", "1234", "4321", false, "01522143000031", 0);
        // the first probe's late answer is taken for the second probe's, never for the program
        row("late", "4B7E", "4B7E", true, "01527E4B000066", 258);
    }
    void upload()
    {
        QFETCH(QString, password);
        QFETCH(QString, typed);
        QFETCH(bool, late);
        Plc plc({u"--password"_s, password, u"--late-ms"_s, u"150"_s});
        plc.waits.setScale(late ? 0.25 : 0.1);
        QVERIFY(plc.start());
        // a program stamped 5 Sep 2006 reads back with that date
        QCOMPARE(plclink::download(plc.link, image(), QDate(2006, 9, 5)).outcome, DownloadOutcome::Received);
        if (late) {
            plc.sim.command("fault late");
            QVERIFY(plclink::probe(plc.link, 1).isEmpty());
        }
        const QByteArray probe = plclink::probe(plc.link, 1);
        QVERIFY(plclink::probeAnswered(probe) && probe.size() == 7);
        QCOMPARE(plclink::storedChecksum(probe), quint8(0x0A));
        const QByteArray got = plclink::readProgram(plc.link, 1, plclink::passwordFromText(typed));
        QTEST(plc.sim.lastReceived(), "readFrame");
        QTEST(int(got.size()), "received");
        if (got.isEmpty())
            return;
        QCOMPARE(plclink::uploadedImage(got), image());
        QCOMPARE(plclink::uploadChecksum(got), plclink::storedChecksum(probe));
        const auto d = plclink::decodeDateWord(plclink::uploadedDateWord(got));
        QCOMPARE(QList<int>({d.day, d.month, d.year}), QList<int>({5, 9, 2006}));
    }

    void poller_data()
    {
        // the stream of samples a poll cycle gives against the simulator: kind, sound or fault,
        // what a sound one read; a poll not soundly answered is asked again, never the other kind
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("lateMs");     // at the product's lengths
        QTest::addColumn<QString>("action"); // "gone": the device goes after 2 samples, is back after 4;
                                             // "scroll": the first variable moves during the first variable poll
        QTest::addColumn<QStringList>("stream"); // empty: any, until one sound io and two sound var answers
        const QString io = u"io ok 5/1"_s, vars = u"var ok 14 17,34,51,68"_s;
        QTest::newRow("sound") << "" << 750 << "" << QStringList{io, vars, io, vars};
        QTest::newRow("silent") << "silence" << 750 << "" << QStringList(3, u"io silent"_s);
        QTest::newRow("bad check byte, now and then")
            << "badxor:0.5" << 750 << "" << QStringList{io, u"var badcheck"_s, vars, u"io badcheck"_s, io};
        QTest::newRow("short") << "short" << 750 << "" << QStringList(2, u"io short"_s);
        // each answer comes after its wait: it is taken for the repeat of its own poll
        QTest::newRow("late") << "late" << 750 << ""
                              << QStringList{u"io silent"_s, io, u"var silent"_s, vars, u"io silent"_s, io};
        QTest::newRow("device gone and back")
            << "" << 750 << "gone" << QStringList{io, vars, u"io port"_s, u"io port"_s, io, vars};
        QTest::newRow("scrolling mid-poll")
            << "" << 750 << "scroll" << QStringList{io, vars, io, u"var ok 20 1,2,3,4"_s};
        // answers late by more: an input/output answer is never shown as variables, nor the reverse
        for (const int ms : {600, 800, 1200, 1400})
            QTest::addRow("%.1f s late", ms / 1000.0) << "late" << ms << "" << QStringList();
        QTest::newRow("late now and then") << "late:0.3" << 700 << "" << QStringList();
        // the third poll takes the first one's answer; the second's and third's, 500 ms apart,
        // come during the quiet before the other kind only while it outlasts an answer's wait
        QTest::newRow("1.45 s late") << "late" << 1450 << "" << QStringList();
    }
    void poller()
    {
        QFETCH(QString, fault);
        QFETCH(QString, action);
        QFETCH(QStringList, stream);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"plc"_s);
        QFETCH(int, lateMs);
        const QStringList args{u"--link"_s, path, u"--late-ms"_s, QString::number(lateMs * 2 / 5)};
        auto sim = std::make_unique<testutil::SimProcess>(args);
        const auto setUp = [&sim, &fault] {
            for (const char* line : {"in 0 1", "in 2 1", "out 0 1", "var 14 0x11", "var 15 0x22", "var 16 0x33",
                                     "var 17 0x44", "var 20 1", "var 21 2", "var 22 3", "var 23 4"})
                sim->command(line);
            if (!fault.isEmpty())
                sim->command("fault " + fault.toLatin1());
        };
        QVERIFY(sim->start());
        setUp();
        // at this scale 750 ms late comes 100 ms after its wait and 100 ms before the repeat's ends;
        // the quiet that settles the line outlasts repeated polls by 100 ms
        plclink::Waits waits(fault.startsWith(u"late") ? 0.4 : 0.1);
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(path));
        int first = 14;
        plclink::Poller poller(link, [] { return quint8(1); }, [&first] { return first; });
        QStringList seen;
        QObject::connect(&poller, &plclink::Poller::sent, [&] {
            if (action == u"scroll" && seen.size() == 1)
                first = 20; // from the next variable poll on
        });
        const QString io = u"io ok 5/1"_s, vars = u"var ok 14 17,34,51,68"_s;
        QObject::connect(&poller, &plclink::Poller::sample, [&](const plclink::Sample& s) {
            static const char* faults[] = {"ok", "silent", "short", "long", "badcheck", "port"};
            QString shown = (s.kind == plclink::Sample::Kind::Io ? u"io "_s : u"var "_s) + QLatin1String(faults[int(s.fault)]);
            if (s.sound() && s.kind == plclink::Sample::Kind::Io)
                shown += u" %1/%2"_s.arg(s.inputs).arg(s.outputs);
            else if (s.sound())
                shown += u" %1 %2,%3,%4,%5"_s.arg(s.first).arg(s.variables[0]).arg(s.variables[1]).arg(s.variables[2]).arg(s.variables[3]);
            // a poll not soundly answered leaves the port closed, for the next one to open afresh
            seen << shown + (s.sound() == link.isOpen() ? u""_s : u" (port left open)"_s);
            if (action == u"gone" && seen.size() == 2)
                sim.reset();
            if (action == u"gone" && seen.size() == 4) {
                sim = std::make_unique<testutil::SimProcess>(args);
                if (sim->start())
                    setUp();
            }
            if (seen.size() == (stream.isEmpty() ? 30 : stream.size()) ||
                (stream.isEmpty() && seen.count(io) >= 1 && seen.count(vars) >= 2))
                poller.stop();
        });
        QSignalSpy finished(&poller, &plclink::Poller::finished);
        poller.start();
        QVERIFY(poller.polling() && link.busy());
        QVERIFY(finished.wait(60000));
        QVERIFY(!link.busy());
        if (action == u"gone")
            QVERIFY(poller.portError() == std::nullopt);
        if (stream.isEmpty()) // in any order, but a sound answer only ever of its own kind
            QVERIFY2(seen.count(io) >= 1 && seen.count(vars) >= 2 &&
                         seen.filter(u" ok "_s).size() == seen.count(io) + seen.count(vars),
                     qPrintable(seen.join(u", ")));
        else
            QCOMPARE(seen, stream);
    }

    void babblingLineIsGivenUp()
    {
        // after a bad answer, a line that never falls quiet holds the next kind of frame back for
        // a few rounds of the settling quiet, not for ever
        testutil::ScriptedPlc plc;
        plclink::Waits waits(0.1);
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(plc.pty.path()));
        QTimer babble;
        connect(&babble, &QTimer::timeout, &plc, [&plc] { plc.pty.write("U"); });
        babble.start(5);
        QTimer::singleShot(20000, &babble, [&waits] { waits.cutShort(); }); // a hang fails instead
        QVERIFY(!plclink::poll(link, 1, plclink::Sample::Kind::Io, 0)->sound());
        plclink::poll(link, 1, plclink::Sample::Kind::Variables, 14);
        QVERIFY(!waits.isCutShort());
        QTRY_COMPARE(plc.got.size(), 14); // both frames went out
    }

    void theDeviceItself()
    {
        // a second opener is kept out by another name and as root too: the lock is on the device
        // itself; a simulator restarted on the same link, as an adapter plugged in again, is reached
        QTemporaryDir dir;
        const QStringList args{u"--link"_s, dir.filePath(u"plc"_s)};
        plclink::Waits waits(0.1);
        plclink::Link link(waits), other(waits);
        {
            testutil::SimProcess first(args);
            QVERIFY(first.start() && !link.openDevice(args[1]));
            QVERIFY(plclink::poll(link, 1, plclink::Sample::Kind::Io, 0)->sound());
            other.setDevice(3, first.device());
            const auto error = other.OpenPort(3);
            QVERIFY(error && error->number == plclink::PortError::kBusy);
            QVERIFY2(error->description.contains(u"está ocupado"_s), qPrintable(error->description));
            // the next send does not block, and says it did not send
            QVERIFY(!other.SendFrame(plclink::runFrame(0)) && !other.isOpen());
        }
        testutil::SimProcess again(args);
        QVERIFY(again.start());
        waits.setScale(0.5); // a 100 ms answer window holds on a busy machine
        QVERIFY(plclink::readPresets(link, 1).values[0]); // the first exchange reaches it
    }

    void helpers_data()
    {
        // what the user types: a preset, a password (hexadecimal, four digits at most), a port
        // and the device it opens when the settings name none
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("preset"); // -1: refused
        QTest::addColumn<int>("password");
        QTest::addColumn<int>("com");
        QTest::addColumn<QString>("device");
        QTest::newRow("number") << "300" << 300 << 0x300 << 0 << "";
        QTest::newRow("blanks, leading zeros") << " 00065535 " << 65535 << 0 << 0 << "";
        QTest::newRow("too big") << "65536" << -1 << 0x6553 << 0 << "";
        QTest::newRow("negative") << "-1" << -1 << 0 << 0 << "";
        QTest::newRow("fraction") << "12.5" << -1 << 0x12 << 0 << "";
        QTest::newRow("hex digits") << "aF" << -1 << 0xAF << 0 << "";
        QTest::newRow("COM6") << "COM6" << -1 << 0xC << 6 << "/dev/ttyS5";
        QTest::newRow("com1") << "com1" << -1 << 0xC << 1 << "/dev/ttyS0";
        QTest::newRow("COM7") << "COM7" << -1 << 0xC << 0 << "";
    }
    void helpers()
    {
        QFETCH(QString, text);
        const auto v = plclink::presetFromText(text);
        QTEST(v ? int(*v) : -1, "preset");
        QTEST(int(plclink::passwordFromText(text)), "password");
        QTEST(plclink::comNumber(text), "com");
        plclink::Waits waits;
        QTEST(plclink::Link(waits).device(plclink::comNumber(text)), "device");
        QCOMPARE(plclink::presetName(9), u"TpvF2"_s);
    }
};

QTEST_GUILESS_MAIN(TstLink)
#include "tst_link.moc"
