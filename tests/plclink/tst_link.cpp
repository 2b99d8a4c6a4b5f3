// The link against mk38sim over a real pseudo-terminal: the bytes each exchange sends, how it
// judges the answers the simulator gives (faults included), and the port's own failures.
#include "Compiler.h"
#include "Exchanges.h"
#include "ScriptedPlc.h"
#include "SimProcess.h"
#include "TestUtil.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using plclink::DownloadOutcome;
using testutil::ScriptedPlc;
using Script = QList<QPair<int, QByteArray>>;

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// The simulator with the link open on it; waits a tenth of their length.
struct Plc
{
    testutil::SimProcess sim;
    plclink::Waits waits{0.1};
    plclink::Link link{waits};
    explicit Plc(const QStringList& args = {}) : sim(args) {}
    bool start() { return sim.start() && !link.openDevice(sim.device()); }
};

isa::ProgramImage program(const char* source)
{
    return compiler::compile(QString::fromLatin1(source), testutil::shippedDefinitionNames()).image;
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
        const char* kinds[] = {"", "silence", "late", "short", "long", "badxor", "garbage", "badresult", "hangup"};
        const char* exchanges[] = {"download", "poll", "presets", "program"};
        // download: outcome/answer bytes; poll: inputs/outputs; presets: the values; program: bytes/first byte
        const char* outcomes[][4] = {
            {"0/7", "0/63", "1,1,1,1,10,10,10,10,100,100", "258/0"},
            {"2/0", "none", "?,?,?,?,?,?,?,?,?,?", "0/0"},
            {"2/0", "none", "?,?,?,?,?,?,?,?,?,?", "0/0"},
            {"2/6", "none", "?,?,?,?,?,?,?,?,?,?", "257/0"},
            {"2/8", "none", "1,1,1,1,10,10,10,10,100,100", "259/0"},
            {"0/7", "none", "?,?,?,?,?,?,?,?,?,?", "258/255"}, // a download judged by its result byte alone
            {"2/10", "none", "?,?,?,?,?,?,?,?,?,?", "261/255"},
            {"1/7", "0/63", "1,1,1,1,10,10,10,10,100,100", "258/0"},
            {"2/0"}, // the device went away: the port is closed, and a later frame does not leave
        };
        for (int k = 0; k < 9; ++k)
            for (int e = 0; e < 4; ++e)
                if (k < 7 || e == 0)
                    QTest::addRow("%s %s", *kinds[k] ? kinds[k] : "sound", exchanges[e])
                        << kinds[k] << exchanges[e] << outcomes[k][e];
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, exchange);
        const isa::ProgramImage image = program("ld e1\r\nout s1\r\nend\r\n");
        for (const bool fast : {false, true}) {
            Plc plc(fault.isEmpty() ? QStringList() : QStringList{u"--fault"_s, fault, u"--late-ms"_s, u"600"_s});
            plc.link.setFast(fast);
            QVERIFY(plc.start());
            QString outcome;
            if (exchange == u"download") {
                const auto r = plclink::download(plc.link, image, QDate(2099, 12, 31));
                outcome = u"%1/%2"_s.arg(int(r.outcome)).arg(r.answer.size());
                // the header carries the program's XOR; the date 31 Dec 2099 follows the program as 63 FE
                const QByteArray body(reinterpret_cast<const char*>(image.data()), 256);
                QCOMPARE(plc.sim.received(), (QList<QByteArray>{hex("0050000001 0A 5B"), body + hex("63FE")}));
                QVERIFY(fault != u"hangup" || !plclink::run(plc.link, 0));
            } else if (exchange == u"poll") {
                const auto io = plclink::pollIo(plc.link, 1);
                outcome = io ? u"%1/%2"_s.arg(io->inputs).arg(io->outputs) : u"none"_s;
            } else if (exchange == u"presets") {
                QStringList shown;
                for (const auto& v : plclink::readPresets(plc.link, 1).values)
                    shown << (v ? QString::number(*v) : u"?"_s);
                outcome = shown.join(u',');
            } else {
                const QByteArray got = plclink::readProgram(plc.link, 1, plclink::kNoPassword);
                outcome = u"%1/%2"_s.arg(got.size()).arg(plclink::answerByte(got, 0));
            }
            QTEST(outcome, "outcome");
        }
    }

    void waitsLastTheirWholePeriod()
    {
        Plc plc;
        QVERIFY(plc.start());
        plc.waits.setScale(1.0);
        QElapsedTimer t;
        t.start();
        QVERIFY(plclink::pollIo(plc.link, 1)); // answered at once, judged after the full 500 ms
        QVERIFY2(t.elapsed() >= plclink::Waits::kAnswer, qPrintable(QString::number(t.elapsed())));
    }

    void devicePluggedAgain()
    {
        // the simulator restarted on the same link, as an adapter plugged in again
        QTemporaryDir dir;
        const QString name = dir.filePath(u"plc"_s);
        plclink::Waits waits(0.1);
        plclink::Link link(waits);
        {
            testutil::SimProcess first({u"--link"_s, name});
            QVERIFY(first.start());
            QVERIFY(!link.openDevice(name));
            QVERIFY(plclink::pollIo(link, 1));
        }
        testutil::SimProcess again({u"--link"_s, name});
        QVERIFY(again.start());
        QVERIFY(plclink::readPresets(link, 1).values[0]); // the first exchange reaches it
    }

    void lateAnswersKeepTheirKind_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("lateMs"); // at the product's lengths
        QTest::newRow("0.6 s late") << "late" << 600;
        QTest::newRow("0.8 s late") << "late" << 800;
        QTest::newRow("1.2 s late") << "late" << 1200;
        QTest::newRow("1.4 s late") << "late" << 1400;
        QTest::newRow("late now and then") << "late:0.3" << 700;
    }
    void lateAnswersKeepTheirKind()
    {
        // the monitor's loop: an input/output answer is never shown as variables, nor the reverse
        QFETCH(QString, fault);
        QFETCH(int, lateMs);
        // the quiet that settles the line outlasts repeated polls by 100 ms at this scale
        Plc plc({u"--fault"_s, fault, u"--late-ms"_s, QString::number(lateMs * 2 / 5)});
        plc.waits.setScale(0.4);
        QVERIFY(plc.start());
        for (const char* line : {"in 0 1", "in 2 1", "var 14 0x11", "var 15 0x22", "var 16 0x33", "var 17 0x44"})
            plc.sim.command(line);
        plclink::PollCycle cycle;
        int sound[2] = {};
        for (int n = 0; n < 30 && (sound[0] < 1 || sound[1] < 2); ++n) {
            bool answered;
            if (cycle.ioNext()) {
                const auto io = plclink::pollIo(plc.link, 1);
                answered = io.has_value();
                QVERIFY(!io || (io->inputs == 0x05 && io->outputs == 0x3F));
            } else {
                const auto v = plclink::pollVariables(plc.link, 1, 14);
                answered = v.has_value();
                QVERIFY(!v || *v == (std::array<quint8, 4>{0x11, 0x22, 0x33, 0x44}));
            }
            sound[cycle.ioNext() ? 0 : 1] += answered;
            cycle.judged(answered);
            if (!answered)
                plc.link.close(); // as the monitor does after a bad answer
        }
        QVERIFY2(sound[0] >= 1 && sound[1] >= 2, qPrintable(u"%1 %2"_s.arg(sound[0]).arg(sound[1])));
    }

    void secondOpenerIsBusy()
    {
        // by another name and as root too: the lock is on the device itself
        Plc plc;
        QVERIFY(plc.start());
        QTemporaryDir dir;
        const QString name = dir.filePath(u"plc"_s);
        QVERIFY(QFile::link(plc.sim.device(), name));
        plclink::Waits waits;
        plclink::Link other(waits);
        other.setDevice(3, name);
        const auto error = other.OpenPort(3);
        QVERIFY(error && error->number == plclink::PortError::kBusy);
        QVERIFY2(error->description.contains(u"está ocupado"_s), qPrintable(error->description));
        // the next send does not block, and says it did not send
        QVERIFY(!other.SendFrame(plclink::runFrame(0)));
        QVERIFY(!other.isOpen());
    }

    void comPortsFromTheSettings()
    {
        const auto devices = plclink::portOverrides("[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=/tmp/plc\r\ncom5 = \"/dev/ttyUSB0\"\r\n"
                                                    "COM2=/tmp/other\r\nCOM6=/dev/ttyACM0\r\nCOM7=/x\r\n[Puertos]\r\nCOM1=/late\r\n");
        QCOMPARE(QStringList(devices.begin(), devices.end()),
                 (QStringList{{}, u"/tmp/plc"_s, {}, {}, u"/dev/ttyUSB0"_s, u"/dev/ttyACM0"_s}));
        plclink::Waits waits;
        plclink::Link link(waits);
        link.setDevice(2, devices[1]);
        QCOMPARE(link.device(2), u"/tmp/plc"_s);
        QCOMPARE(link.device(6), u"/dev/ttyS5"_s);
    }

    void upload_data()
    {
        QTest::addColumn<QString>("plcPassword");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<quint8>("station");
        QTest::addColumn<QByteArray>("readFrame");
        QTest::addColumn<int>("received");
        QTest::newRow("no password") << "4B7E" << "4B7E" << quint8(1) << hex("01527E4B000066") << 258;
        QTest::newRow("two digits, padded") << "00A5" << "a5" << quint8(1) << hex("0152A50000 00F6") << 258;
        QTest::newRow("wrong password: silence") << "1234" << "4321" << quint8(1) << hex("01522143000031") << 0;
    }
    void upload()
    {
        QFETCH(QString, plcPassword);
        QFETCH(QString, typed);
        QFETCH(quint8, station);
        Plc plc({u"--password"_s, plcPassword, u"--id"_s, u"1"_s});
        QVERIFY(plc.start());
        const isa::ProgramImage image = program("ld e1\r\nout s1\r\nend\r\n");
        // a program stamped 5 Sep 2006 reads back with that date
        QCOMPARE(plclink::download(plc.link, image, QDate(2006, 9, 5)).outcome, DownloadOutcome::Received);
        const QByteArray probe = plclink::probe(plc.link, station);
        QVERIFY(plclink::answerChecks(probe) && probe.size() == 7);
        QCOMPARE(plclink::answerByte(probe, 2), quint8(0x0A)); // the stored checksum
        const QByteArray got = plclink::readProgram(plc.link, station, plclink::passwordFromText(typed));
        QFETCH(QByteArray, readFrame);
        QCOMPARE(plc.sim.lastReceived(), readFrame);
        QTEST(int(got.size()), "received");
        if (got.isEmpty())
            return;
        QCOMPARE(plclink::uploadedImage(got), image);
        QCOMPARE(plclink::uploadChecksum(got), plclink::answerByte(probe, 2));
        const auto d = plclink::decodeDateWord(plclink::uploadedDateWord(got));
        QCOMPARE(QList<int>({d.day, d.month, d.year}), QList<int>({5, 9, 2006}));
    }

    void lateProbeAnswerIsNotTakenForTheProgram()
    {
        Plc plc({u"--late-ms"_s, u"150"_s});
        plc.waits.setScale(0.25);
        QVERIFY(plc.start());
        const isa::ProgramImage image = program("ld e1\r\nout s1\r\nend\r\n");
        QCOMPARE(plclink::download(plc.link, image, QDate(2006, 9, 5)).outcome, DownloadOutcome::Received);
        plc.sim.command("fault late");
        QVERIFY(plclink::probe(plc.link, 1).isEmpty()); // its answer comes after the wait
        const QByteArray probe = plclink::probe(plc.link, 1); // the first one's answer
        QVERIFY(plclink::probeAnswered(probe));
        const QByteArray got = plclink::readProgram(plc.link, 1, plclink::kNoPassword);
        QCOMPARE(got.size(), 258);
        QCOMPARE(plclink::uploadedImage(got), image);
    }

    void shortProgramAnswerWithTheRightChecksum()
    {
        // 200 bytes whose XOR is the probe's: accepted, the rest reads as 0
        ScriptedPlc plc;
        plclink::Waits waits(0.1);
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(plc.pty.path()));
        QByteArray program(200, '\0');
        program[0] = 0x0F;
        plc.script = {{7, hex("01080F000F0009")}, {14, program}};
        const QByteArray probe = plclink::probe(link, 1);
        QCOMPARE(plclink::answerByte(probe, 2), quint8(0x0F));
        const QByteArray got = plclink::readProgram(link, 1, plclink::kNoPassword);
        QCOMPARE(got.size(), 200);
        QCOMPARE(plclink::uploadChecksum(got), quint8(0x0F));
        QCOMPARE(plclink::uploadedDateWord(got), quint16(0));
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
        const QByteArray sound = hex("0108AA00BB0018"), program = QByteArray(258, '\x11');
        // the header's echo comes during its pause and is never taken for the answer
        QTest::newRow("download") << "download" << false << Script{{7, sound}, {265, hex("0050AA000000FA")}}
                                  << QList<int>{120, 1500, 500} << "0";
        QTest::newRow("download, fast") << "download" << true << Script{{7, sound}, {265, hex("0050AA000000FA")}}
                                        << QList<int>{120, 1500, 2000} << "0";
        QTest::newRow("probe") << "probe" << false << Script{{7, hex("01080F000F0009")}}
                               << QList<int>{500} << "01080f000f0009";
        QTest::newRow("program") << "program" << false << Script{{7, program}}
                                 << QList<int>{2000} << "258";
        QTest::newRow("poll") << "poll" << false << Script{{7, hex("01083E000500 32")}}
                              << QList<int>{500} << "5 62";
        QTest::newRow("presets read") << "presets" << false
                                      << Script{{7, hex("0108010002000A")}, {14, hex("0108030004000E")}, {21, hex("0108050006000A")},
                                                {28, hex("01080700080006")}, {35, hex("010809000A000A")}}
                                      << QList<int>(5, 200) << "1,2,3,4,5,6,7,8,9,10";
        QTest::newRow("presets write") << "write" << false << Script{}
                                       << QList<int>(11, 400) << "1";
        QTest::newRow("run") << "run" << false << Script{} << QList<int>{} << "1";
    }
    void eachExchangeDiscardsAndWaits()
    {
        QFETCH(QString, exchange);
        QFETCH(bool, fast);
        ScriptedPlc plc;
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
        QString outcome;
        if (exchange == u"download")
            outcome = QString::number(int(plclink::download(link, program("end\r\n"), QDate(2026, 1, 1)).outcome));
        else if (exchange == u"probe")
            outcome = QString::fromLatin1(plclink::probe(link, 1).toHex());
        else if (exchange == u"program")
            outcome = QString::number(plclink::readProgram(link, 1, plclink::kNoPassword).size());
        else if (exchange == u"poll") {
            const auto io = plclink::pollIo(link, 1);
            outcome = io ? u"%1 %2"_s.arg(io->inputs).arg(io->outputs) : u"none"_s;
        } else if (exchange == u"presets") {
            QStringList shown;
            for (const auto& v : plclink::readPresets(link, 1).values)
                shown << (v ? QString::number(*v) : u"?"_s);
            outcome = shown.join(u',');
        } else if (exchange == u"write")
            outcome = QString::number(plclink::writePresets(link, 1, plclink::kFactoryPresets));
        else
            outcome = QString::number(plclink::run(link, 0));
        QTEST(outcome, "outcome");
        QTEST(asked, "waits");
    }

    void presets_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("readFrames");
        QTest::addColumn<QString>("values");
        QTest::newRow("read back") << "" << 5 << "300,65535,0,1,10,10,10,10,100,100";
        // the attempt counter is shared: pair 0 takes three, the others one each
        QTest::newRow("bad answers") << "badxor" << 7 << "?,?,?,?,?,?,?,?,?,?";
        // a sound answer sets the shared counter back: every pair is read on its second try
        QTest::newRow("every second answer bad") << "badxor:0.5" << 9 << "300,65535,0,1,10,10,10,10,100,100";
        // silent at the third pair: nothing counts as read, not even the first two pairs
        QTest::newRow("silent mid-read") << "silence:0.4" << 3 << "?,?,?,?,?,?,?,?,?,?";
    }
    void presets()
    {
        QFETCH(QString, fault);
        Plc plc;
        QVERIFY(plc.start());
        plclink::Presets values = plclink::kFactoryPresets;
        values[0] = 300;
        values[1] = 65535;
        values[2] = 0;
        values[3] = 1;
        QVERIFY(plclink::writePresets(plc.link, 1, values));
        if (!fault.isEmpty())
            plc.sim.command("fault " + fault.toLatin1());
        const plclink::PresetRead r = plclink::readPresets(plc.link, 1);
        QStringList shown;
        for (const auto& v : r.values)
            shown << (v ? QString::number(*v) : u"?"_s);
        QTEST(shown.join(u','), "values");
        QList<QByteArray> frames = plc.sim.received();
        QFETCH(int, readFrames);
        QCOMPARE(frames.size(), 11 + readFrames);
        // "300" is written as 2C 01, the writes go to 54, 56, ... 72 and the closing G follows
        QCOMPARE(frames[0], hex("0109 36 00 2C 01 13"));
        QCOMPARE(frames[9], hex("0109 48 00 64 00 24"));
        QCOMPARE(frames[10], hex("01470000000046"));
        QCOMPARE(frames[11], hex("0108 36 00 38 00 07"));
    }

    void helpers_data()
    {
        // what the user types: a preset, a password (hexadecimal, four digits at most), a port
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("preset"); // -1: refused
        QTest::addColumn<int>("password");
        QTest::addColumn<int>("com");
        QTest::newRow("number") << "300" << 300 << 0x300 << 0;
        QTest::newRow("blanks, leading zeros") << " 00065535 " << 65535 << 0 << 0;
        QTest::newRow("too big") << "65536" << -1 << 0x6553 << 0;
        QTest::newRow("negative") << "-1" << -1 << 0 << 0;
        QTest::newRow("unread") << "????" << -1 << 0 << 0;
        QTest::newRow("empty") << "" << -1 << 0 << 0;
        QTest::newRow("fraction") << "12.5" << -1 << 0x12 << 0;
        QTest::newRow("hex digits") << "aF" << -1 << 0xAF << 0;
        QTest::newRow("COM6") << "COM6" << -1 << 0xC << 6;
        QTest::newRow("com1") << "com1" << -1 << 0xC << 1;
        QTest::newRow("COM7") << "COM7" << -1 << 0xC << 0;
    }
    void helpers()
    {
        QFETCH(QString, text);
        const auto v = plclink::presetFromText(text);
        QTEST(v ? int(*v) : -1, "preset");
        QTEST(int(plclink::passwordFromText(text)), "password");
        QTEST(plclink::comNumber(text), "com");
        QCOMPARE(plclink::XorChecksum({}), quint8(0));
        QCOMPARE(plclink::DateWord(QDate(2099, 12, 31)), quint16(0xFE63));
        QCOMPARE(plclink::presetName(9), u"TpvF2"_s);
    }
};

QTEST_GUILESS_MAIN(TstLink)
#include "tst_link.moc"
