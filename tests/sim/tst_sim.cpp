// SPDX-License-Identifier: GPL-3.0-or-later
// mk38sim driven as the PC would: raw frames through its pseudo-terminal, answers checked byte for
// byte. The PC's end is plain POSIX, so that nothing of the PC side's code is involved.

#include "Pty.h"
#include "SimProcess.h"
#include "TestUtil.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using testutil::SimProcess;

namespace {

char xorOf(const QByteArray& bytes)
{
    char x = 0;
    for (char c : bytes)
        x ^= c;
    return x;
}

// Six bytes in hexadecimal get their check byte; anything else is sent as written.
QByteArray frame(const QByteArray& hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    return bytes.size() == 6 ? bytes + xorOf(bytes) : bytes;
}

// All of the answer expected, awaited; when none is, what waits now.
QByteArray answer(testutil::Fd& port, const QByteArray& expected)
{
    return expected.isEmpty() ? port.read() : port.read(expected.size(), 3000);
}

const QByteArray kReadPresets = frame("01 08 36 00 36 00");
const QByteArray kPresetsAnswer = frame("01 08 01 00 01 00");
const QByteArray kUpload = frame("01 52 00 00 00 00");

} // namespace

class TestSim : public QObject
{
    Q_OBJECT
private slots:
    void exchanges_data()
    {
        QTest::addColumn<QStringList>("args");
        // frames in hex, "> line" for the console, "~ms" for a pause, "<" and hex for an answer
        // expected then, "@ms" for the least time the last frame's answer takes to arrive
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* tag, const QStringList& args, const QStringList& steps,
                            const QByteArray& last, const QByteArray& expected) {
            QTest::newRow(tag) << args << steps << last << expected;
        };
        row("presets at start", {}, {}, frame("01 08 36 00 48 00"), frame("01 08 01 00 64 00"));
        row("station 0 answered by own id, outputs off", {"--id", "7"}, {}, frame("00 08 DC 00 DA 00"),
            frame("07 08 3F 00 00 00"));
        row("other station ignored", {"--id", "7"}, {}, kReadPresets, QByteArray());
        row("variables, unknown area", {}, {"> var 5 0x81", "> var 6 200"}, frame("01 08 05 01 05 02"),
            frame("01 08 81 C8 00 00"));
        row("address past 255 reads 0", {}, {"> var 0 7", "> var 255 9"}, frame("01 08 FF 01 FF 00"),
            frame("01 08 09 00 00 00"));
        row("inputs from the console", {}, {"> in 0 1", "> in 2 1", "> in 7 1", "> in 7 0"},
            frame("01 08 DA 00 DA 00"), frame("01 08 05 00 05 00"));
        row("junk byte skipped", {}, {}, QByteArray("\xAA" + kReadPresets), kPresetsAnswer);
        // unless dropped, the stale bytes would make a valid frame reading variables 54 and 55
        row("partial frame dropped after a pause", {}, {"01 08 36", "~250"}, kReadPresets, kPresetsAnswer);
        const QByteArray embedded = frame("01 08 48 00 48 00") + QByteArray(251, 0);
        row("body for another station not read as frames", {},
            QStringList{"05 50 00 00 01 00", embedded.toHex(' ')}, kReadPresets, kPresetsAnswer);
        row("body abandoned after a second", {}, {"00 50 00 00 01 00", "00 00", "~1100"}, kReadPresets,
            kPresetsAnswer);
        row("preset write held", {}, {"01 09 36 00 2C 01"}, kReadPresets, kPresetsAnswer);
        row("preset write committed by G", {},
            QStringList{"01 09 36 00 2C 01", "01 09 48 00 FF FF", "01 47 00 00 00 00"},
            frame("01 08 36 00 48 00"), frame("01 08 2C 01 FF FF"));
        // a variable and an output set before a run or stop frame
        const auto control = [&](const char* tag, const char* command, const char* read, const char* answer) {
            row(tag, {}, {"> var 3 5", "> out 1 1", command}, frame(read), frame(answer));
        };
        control("run restart", "00 43 00 00 00 00", "01 08 03 01 DC 00", "01 08 00 00 3F 00");
        control("run reset variables", "00 43 01 00 00 00", "01 08 03 01 DC 00", "01 08 00 00 3D 00");
        control("run retain", "00 43 02 00 00 00", "01 08 03 01 DC 00", "01 08 05 00 3D 00");
        control("stop, outputs off", "00 44 01 00 00 00", "01 08 DC 00 DC 00", "01 08 3F 00 3F 00");
        control("stop, outputs kept", "00 44 00 00 00 00", "01 08 DC 00 DC 00", "01 08 3D 00 3D 00");
        row("upload without password", {}, {}, frame("01 52 12 34 00 00"), QByteArray(258, 0));
        row("upload, right password", {"--password", "1234"}, {}, frame("01 52 34 12 00 00"),
            QByteArray(258, 0));
        row("upload, wrong password", {"--password", "1234"}, {}, frame("01 52 7E 4B 00 00"), QByteArray());
        // a download: header, its pause, program and date, the answer; then address 3 holds the
        // checksum of whatever program is stored, and the upload gives that program
        QByteArray sent;
        for (int i = 0; i < 256; ++i)
            sent.append(char(i * 7 + 3));
        sent += "\x63\xFE";
        const char sum = xorOf(sent.left(256));
        const auto download = [&](const char* tag, const QStringList& args, char error,
                                  const QByteArray& upload, const QByteArray& kept) {
            const QByteArray id = args.contains("--id") ? "02" : "01", result = error ? " 50 55" : " 50 AA";
            const QByteArray stored = QByteArray(1, error ? xorOf(kept.left(256)) : sum).toHex();
            row(tag, args,
                QStringList{frame("00 50 00 00 01 " + QByteArray(1, sum ^ error).toHex()).toHex(' '), "~120",
                            sent.toHex(' '), "<" + frame(id + result + " 00 00 00").toHex(' '),
                            "00 08 03 00 03 00",
                            "<" + frame(id + " 08 " + stored + " 00 " + stored + " 00").toHex(' ')},
                upload, kept);
        };
        download("kept", {}, 0, kUpload, sent);
        download("wrong checksum refused", {}, 1, kUpload, QByteArray(258, 0));
        download("kept behind a password", {"--password", "00A5"}, 0, frame("01 52 A5 00 00 00"), sent);
        download("kept, wrong password", {"--password", "00A5"}, 0, kUpload, {});
        const QByteArray old = sent.mid(1, 255) + '\x01';
        QVERIFY(
            testutil::writeRaw(m_files.filePath("p.obj"), " - 03-05-2026 12:00:00 - OrvSoftware - " + old));
        download("refused, the loaded program stays", {"--program", m_files.filePath("p.obj"), "--id", "2"},
                 1, frame("00 52 00 00 00 00"), old + QByteArray(2, 0));
        // the line's time: 7 bytes in and 7 out take 58 ms, sending an answer's first byte at once
        // 54; 265 bytes written at once still take 1.10 s to arrive, and the answer 29 ms more
        const QByteArray whole = frame("00 50 00 00 01 " + QByteArray(1, sum).toHex()) + sent;
        row("request and answer paced", {"--pace"}, {"@56"}, kReadPresets, kPresetsAnswer);
        row("download paced on arrival", {"--pace"}, {"@1000"}, whole, frame("01 50 AA 00 00 00"));
        row("download in one write", {}, {}, whole, frame("01 50 AA 00 00 00"));
        // each fault's shape
        const QByteArray a = kPresetsAnswer, zeros(258, 0);
        auto fault = [](const char* f) { return QStringList{"--fault", f}; };
        row("short", fault("short"), {}, kReadPresets, a.left(6));
        row("long", fault("long"), {}, kReadPresets, a + '\0');
        row("badxor", fault("badxor"), {}, kReadPresets, a.left(6) + char(a[6] ^ 0xFF));
        row("badresult spares reads", fault("badresult"), {}, kReadPresets, a);
        row("badresult on a download", fault("badresult"), {}, frame("00 50 00 00 01 00") + zeros,
            frame("01 50 55 00 00 00"));
        row("garbage", fault("garbage"), {}, kReadPresets, QByteArray("\xFF\x00\x55", 3) + a);
        row("late", {"--fault", "late", "--late-ms", "700"}, QStringList{kReadPresets.toHex(' '), "<"},
            QByteArray(), a);
        row("rate 0", fault("silence:0"), {}, kReadPresets, a);
        // the first half, then 60 byte times (250 ms) of silence; paced: 29 + 13 + 100 + 17 ms
        row("gap", {"--fault", "gap", "--gap-bytes", "60"}, {"@240"}, kReadPresets, a);
        row("gap paced", {"--pace", "--fault", "gap", "--gap-bytes", "24"}, {"@150"}, kReadPresets, a);
        // the late answer to the second frame holds back no byte of the first one's, still leaving
        row("paced answer not held behind a late one", {"--pace", "--fault", "late:0.5", "--late-ms", "9000"},
            {kUpload.toHex(' ')}, kReadPresets, zeros);
    }
    void exchanges()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, last);
        QFETCH(QByteArray, expected);
        SimProcess sim(args);
        QVERIFY(sim.start());
        testutil::Fd port(sim.device());
        int leastMs = 0;
        for (const QString& step : steps) {
            const QByteArray hex = step.mid(1).toLatin1();
            if (step.startsWith(u'>'))
                QCOMPARE(sim.command(step.mid(2).toLatin1()), "ok");
            else if (step.startsWith(u'~'))
                QTest::qSleep(step.mid(1).toInt());
            else if (step.startsWith(u'@'))
                leastMs = step.mid(1).toInt();
            else if (step.startsWith(u'<'))
                QCOMPARE(answer(port, QByteArray::fromHex(hex)).toHex(' '), hex);
            else
                QVERIFY(port.write(frame(step.toLatin1())));
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(port.write(last));
        if (expected.isEmpty()) { // the frame taken, and the console served after it: an answer is out
            QTRY_COMPARE(sim.lastReceived(), last);
            sim.command("show");
        }
        QCOMPARE(answer(port, expected).toHex(' '), expected.toHex(' '));
        // a lower bound only, so a slow machine cannot make it fail
        QVERIFY2(clock.elapsed() >= leastMs, qPrintable(QString::number(clock.elapsed())));
        if (!expected.isEmpty())
            QCOMPARE(sim.sent().value(sim.sent().size() - 1), expected); // as its log tells
    }

    void lifetime_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("terminated") << "none";
        QTest::newRow("hangup") << "hangup";
    }
    void lifetime()
    {
        // the link to the device is removed at the end; the console's end ends nothing, and the
        // device can be opened again and again
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString link = dir.filePath("plc");
        SimProcess sim({"--link", link, "--fault", fault});
        QVERIFY(sim.start());
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device());
        QVERIFY(sim.command("show").endsWith("\n."));
        QVERIFY(sim.command("in 8 1").startsWith("error: ") && sim.command("jump").startsWith("error: "));
        sim.process().closeWriteChannel();
        const QByteArray expected = fault == "hangup" ? QByteArray() : kPresetsAnswer;
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < (expected.isEmpty() ? 1 : 3); ++round) {
            QTest::qSleep(round == 1 ? 300 : 0);
            testutil::Fd port(link);
            QVERIFY(port.write(kReadPresets));
            QVERIFY(!expected.isEmpty() || sim.process().waitForFinished(5000)); // closed at the answer
            QCOMPARE(answer(port, expected), expected);
        }
        if (!expected.isEmpty()) {
            // the log's times are milliseconds: the pause is as long there, never longer than the test saw
            const QList<int> ms = sim.loggedMs(); // rx, tx for each round
            QVERIFY2(ms.size() == 6 && ms[2] - ms[1] >= 300 && ms[2] - ms[0] <= clock.elapsed() + 1,
                     qPrintable(QString::number(ms.value(2) - ms.value(0))));
            sim.process().terminate();
        }
        QVERIFY(sim.process().state() == QProcess::NotRunning || sim.process().waitForFinished(5000));
        QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process().exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("id 0") << QStringList{"--id", "0"};
        QTest::newRow("id 256") << QStringList{"--id", "256"};
        QTest::newRow("password of 5 digits") << QStringList{"--password", "12345"};
        QTest::newRow("password not hex") << QStringList{"--password", "XYZ"};
        QTest::newRow("unknown fault") << QStringList{"--fault", "noise"};
        QTest::newRow("rate above 1") << QStringList{"--fault", "short:1.5"};
        QTest::newRow("unknown option") << QStringList{"--baud", "9600"};
        QTest::newRow("argument") << QStringList{"COM2"};
    }
    void badUsage()
    {
        QFETCH(QStringList, args);
        const testutil::Run run = testutil::runTool("mk38sim", args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith("mk38sim: ") && run.out.isEmpty());
    }

private:
    QTemporaryDir m_files;
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
