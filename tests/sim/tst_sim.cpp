// mk38sim driven as the PC would: raw frames through its pseudo-terminal, answers checked byte for byte.

#include "SimProcess.h"
#include "TestUtil.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using testutil::SimProcess;

namespace {

// The PC's end of the line, in plain POSIX so that nothing of the PC side's code is involved.
class Port
{
public:
    explicit Port(const QString& device)
        : m_fd(::open(QFile::encodeName(device), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio = {};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Port()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray& bytes)
    {
        QCOMPARE(::write(m_fd, bytes.constData(), bytes.size()), bytes.size());
    }
    // What arrives until `count` bytes are in or timeoutMs ran out.
    QByteArray receive(int count, int timeoutMs)
    {
        QByteArray got;
        QDeadlineTimer deadline(timeoutMs);
        pollfd p = {m_fd, POLLIN, 0};
        while (got.size() < count && ::poll(&p, 1, int(deadline.remainingTime())) > 0 &&
               (p.revents & POLLIN)) {
            char buffer[512];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }
    // Answers wait 300 ms for silence; otherwise until the expected count is in.
    QByteArray answer(const QByteArray& expected)
    {
        return receive(qMax(1, int(expected.size())), expected.isEmpty() ? 300 : 3000);
    }

private:
    int m_fd;
};

char xorOf(const QByteArray& bytes)
{
    char x = 0;
    for (char c : bytes)
        x ^= c;
    return x;
}

// Six bytes in hexadecimal get their check byte; anything else is sent as written.
QByteArray frame(const char* hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    return bytes.size() == 6 ? bytes + xorOf(bytes) : bytes;
}

QByteArray testProgram()
{
    QByteArray program;
    for (int i = 0; i < 256; ++i)
        program.append(char(i * 7 + 3));
    return program;
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
        QTest::addColumn<QStringList>("steps"); // frames in hex, "> line" for the console, "~ms" for a pause,
                                               // "<" and hex for an answer expected then
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<QByteArray>("expected");
        const QStringList none;
        QTest::newRow("presets at start")
            << none << none << frame("01 08 36 00 48 00") << frame("01 08 01 00 64 00");
        QTest::newRow("station 0 answered by own id, outputs off")
            << QStringList{"--id", "7"} << none << frame("00 08 DC 00 DA 00") << frame("07 08 3F 00 00 00");
        QTest::newRow("other station ignored")
            << QStringList{"--id", "7"} << none << kReadPresets << QByteArray();
        QTest::newRow("variables, unknown area") << none << QStringList{"> var 5 0x81", "> var 6 200"}
                                                 << frame("01 08 05 01 05 02") << frame("01 08 81 C8 00 00");
        QTest::newRow("address past 255 reads 0") << none << QStringList{"> var 0 7", "> var 255 9"}
                                                  << frame("01 08 FF 01 FF 00") << frame("01 08 09 00 00 00");
        QTest::newRow("inputs from the console")
            << none << QStringList{"> in 0 1", "> in 2 1", "> in 7 1", "> in 7 0"}
            << frame("01 08 DA 00 DA 00") << frame("01 08 05 00 05 00");
        QTest::newRow("junk byte skipped")
            << none << none << QByteArray("\xAA" + kReadPresets) << kPresetsAnswer;
        // unless dropped, the stale bytes would make a valid frame reading variables 54 and 55
        QTest::newRow("partial frame dropped after a pause")
            << none << QStringList{"01 08 36", "~250"} << kReadPresets << kPresetsAnswer;
        const QByteArray embedded = frame("01 08 48 00 48 00") + QByteArray(251, 0);
        QTest::newRow("body for another station not read as frames")
            << none << QStringList{"05 50 00 00 01 00", embedded.toHex(' ')} << kReadPresets
            << kPresetsAnswer;
        QTest::newRow("body abandoned after a second")
            << none << QStringList{"00 50 00 00 01 00", "00 00", "~1100"} << kReadPresets << kPresetsAnswer;
        QTest::newRow("preset write held")
            << none << QStringList{"01 09 36 00 2C 01"} << kReadPresets << kPresetsAnswer;
        QTest::newRow("preset write committed by G")
            << none << QStringList{"01 09 36 00 2C 01", "01 09 48 00 FF FF", "01 47 00 00 00 00"}
            << frame("01 08 36 00 48 00") << frame("01 08 2C 01 FF FF");
        const QStringList lit{"> var 3 5", "> out 1 1"};
        QTest::newRow("run restart") << none << (lit + QStringList{"00 43 00 00 00 00"})
                                     << frame("01 08 03 01 DC 00") << frame("01 08 00 00 3F 00");
        QTest::newRow("run reset variables") << none << (lit + QStringList{"00 43 01 00 00 00"})
                                             << frame("01 08 03 01 DC 00") << frame("01 08 00 00 3D 00");
        QTest::newRow("run retain") << none << (lit + QStringList{"00 43 02 00 00 00"})
                                    << frame("01 08 03 01 DC 00") << frame("01 08 05 00 3D 00");
        QTest::newRow("stop, outputs off") << none << (lit + QStringList{"00 44 01 00 00 00"})
                                           << frame("01 08 DC 00 DC 00") << frame("01 08 3F 00 3F 00");
        QTest::newRow("stop, outputs kept") << none << (lit + QStringList{"00 44 00 00 00 00"})
                                            << frame("01 08 DC 00 DC 00") << frame("01 08 3D 00 3D 00");
        QTest::newRow("upload without password")
            << none << none << frame("01 52 12 34 00 00") << QByteArray(258, 0);
        QTest::newRow("upload, right password")
            << QStringList{"--password", "1234"} << none << frame("01 52 34 12 00 00") << QByteArray(258, 0);
        QTest::newRow("upload, wrong password")
            << QStringList{"--password", "1234"} << none << frame("01 52 7E 4B 00 00") << QByteArray();
        QTest::newRow("fault set from the console")
            << none << QStringList{"> fault short"} << kReadPresets << kPresetsAnswer.left(6);
        // each fault's shape
        const QByteArray a = kPresetsAnswer, zeros(258, 0);
        auto fault = [](const char* f) { return QStringList{"--fault", f}; };
        QTest::newRow("silence") << fault("silence") << none << kReadPresets << QByteArray();
        QTest::newRow("short") << fault("short") << none << kReadPresets << a.left(6);
        QTest::newRow("short program") << fault("short") << none << kUpload << zeros.left(257);
        QTest::newRow("long") << fault("long") << none << kReadPresets << a + '\0';
        QTest::newRow("badxor") << fault("badxor") << none << kReadPresets << a.left(6) + char(a[6] ^ 0xFF);
        QTest::newRow("badxor program") << fault("badxor") << none << kUpload << '\xFF' + zeros.mid(1);
        QTest::newRow("badresult spares reads") << fault("badresult") << none << kReadPresets << a;
        QTest::newRow("badresult on a download")
            << fault("badresult") << none << frame("00 50 00 00 01 00") + zeros << frame("01 50 55 00 00 00");
        QTest::newRow("garbage") << fault("garbage") << none << kReadPresets << QByteArray("\xFF\x00\x55", 3) + a;
        QTest::newRow("late") << QStringList{"--fault", "late", "--late-ms", "700"}
                              << QStringList{kReadPresets.toHex(' '), "<"} << QByteArray() << a;
        QTest::newRow("every second") << fault("short:0.5")
                                      << QStringList{kReadPresets.toHex(' '), "<" + a.toHex(' '),
                                                     kReadPresets.toHex(' '), "<" + a.left(6).toHex(' ')}
                                      << kReadPresets << a;
        QTest::newRow("rate 0") << fault("silence:0") << none << kReadPresets << a;
    }
    void exchanges()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, last);
        QFETCH(QByteArray, expected);
        SimProcess sim(args);
        QVERIFY(sim.start());
        Port port(sim.device());
        QVERIFY(port.isOpen());
        for (const QString& step : steps) {
            if (step.startsWith(u'>'))
                QCOMPARE(sim.command(step.mid(2).toLatin1()), "ok");
            else if (step.startsWith(u'~'))
                QTest::qSleep(step.mid(1).toInt());
            else if (const QByteArray hex = step.mid(1).toLatin1(); step.startsWith(u'<'))
                QCOMPARE(port.answer(QByteArray::fromHex(hex)).toHex(' '), hex);
            else
                port.send(frame(step.toLatin1()));
        }
        port.send(last);
        QCOMPARE(port.answer(expected).toHex(' '), expected.toHex(' '));
        if (!expected.isEmpty())
            QCOMPARE(sim.sent().value(0), expected);
    }

    void download_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("checksumError");
        QTest::addColumn<QByteArray>("upload");
        QTest::addColumn<QByteArray>("result");  // the download answer
        QTest::addColumn<QByteArray>("program"); // what the upload gives then, empty for silence
        const QByteArray sent = testProgram() + "\x63\xFE";
        QTest::newRow("kept") << QStringList() << 0 << kUpload << frame("01 50 AA 00 00 00") << sent;
        QTest::newRow("wrong checksum refused")
            << QStringList() << 1 << kUpload << frame("01 50 55 00 00 00") << QByteArray(258, 0);
        QTest::newRow("kept behind a password")
            << QStringList{"--password", "00A5"} << 0 << frame("01 52 A5 00 00 00")
            << frame("01 50 AA 00 00 00") << sent;
        QTest::newRow("kept, wrong password") << QStringList{"--password", "00A5"} << 0 << kUpload
                                              << frame("01 50 AA 00 00 00") << QByteArray();
        const QString obj = m_files.filePath("p.obj");
        const QByteArray old = testProgram().mid(1) + '\x01';
        QVERIFY(testutil::writeRaw(obj, " - 03-05-2026 12:00:00 - OrvSoftware - " + old));
        QTest::newRow("refused, the loaded program stays")
            << QStringList{"--program", obj, "--id", "2"} << 1 << frame("00 52 00 00 00 00")
            << frame("02 50 55 00 00 00") << QByteArray(old + QByteArray(2, 0));
    }
    void download()
    {
        QFETCH(QStringList, args);
        QFETCH(int, checksumError);
        QFETCH(QByteArray, upload);
        QFETCH(QByteArray, result);
        QFETCH(QByteArray, program);
        SimProcess sim(args);
        QVERIFY(sim.start());
        Port port(sim.device());
        const QByteArray body = testProgram() + "\x63\xFE";
        const char sum = xorOf(body.left(256)) ^ char(checksumError);
        const QByteArray header =
            frame(QByteArray("00 50 00 00 01 " + QByteArray(1, sum).toHex()).constData());
        port.send(header);
        QTest::qSleep(120);
        port.send(body);
        QCOMPARE(port.answer(result).toHex(' '), result.toHex(' '));
        QCOMPARE(sim.received(), (QList<QByteArray>{header, body}));
        // address 3 holds the checksum of whatever program is stored
        const char stored = program.isEmpty() ? sum : xorOf(program.left(256));
        port.send(frame("00 08 03 00 03 00"));
        QCOMPARE(port.answer(kPresetsAnswer).mid(2, 1), QByteArray(1, stored));
        port.send(upload);
        QCOMPARE(port.answer(program).toHex(' '), program.toHex(' '));
    }

    void reopenAndConsoleEnd()
    {
        SimProcess sim;
        QVERIFY(sim.start());
        QVERIFY(sim.command("show").endsWith("\n."));
        QVERIFY(sim.command("in 8 1").startsWith("error: "));
        QVERIFY(sim.command("jump").startsWith("error: "));
        sim.process().closeWriteChannel();
        for (int round = 0; round < 3; ++round) {
            Port port(sim.device());
            port.send(kReadPresets);
            QCOMPARE(port.answer(kPresetsAnswer), kPresetsAnswer);
        }
        QCOMPARE(sim.process().state(), QProcess::Running);
    }

    void linkRemovedAtEnd_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("terminated") << "none";
        QTest::newRow("hangup") << "hangup";
    }
    void linkRemovedAtEnd()
    {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString link = dir.filePath("plc");
        SimProcess sim({"--link", link, "--fault", fault});
        QVERIFY(sim.start());
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device());
        Port port(link);
        port.send(kReadPresets);
        if (fault == "hangup") {
            QVERIFY(sim.process().waitForFinished(5000));
            QVERIFY(port.answer({}).isEmpty());
        } else {
            QCOMPARE(port.answer(kPresetsAnswer), kPresetsAnswer);
            sim.process().terminate();
            QVERIFY(sim.process().waitForFinished(5000));
        }
        QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process().exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // lower bounds only, so a slow machine cannot make them fail; the deadline keeps them from hanging
    void pace_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("minMs");
        const QByteArray body = testProgram() + "\x63\xFE";
        const QByteArray download =
            frame(QByteArray("00 50 00 00 01 " + QByteArray(1, xorOf(body.left(256))).toHex()).constData()) +
            body;
        const QByteArray received = frame("01 50 AA 00 00 00");
        const QStringList paced{"--pace"};
        // 7 bytes in and 7 out take 58 ms; sending an answer's first byte at once would take 54
        QTest::newRow("request and answer paced") << paced << kReadPresets << kPresetsAnswer << 56;
        // 265 bytes written at once still take 1.10 s to arrive, and the answer 29 ms more
        QTest::newRow("download paced on arrival") << paced << download << received << 1000;
        QTest::newRow("download unpaced") << QStringList() << download << received << 0;
    }
    void pace()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, expected);
        QFETCH(int, minMs);
        SimProcess sim(args);
        QVERIFY(sim.start());
        Port port(sim.device());
        QElapsedTimer clock;
        clock.start();
        port.send(request);
        QCOMPARE(port.receive(int(expected.size()), 10000).toHex(' '), expected.toHex(' '));
        QVERIFY2(clock.elapsed() >= minMs, qPrintable(QString::number(clock.elapsed())));
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
        QVERIFY(run.err.startsWith("mk38sim: "));
        QVERIFY(run.out.isEmpty());
    }

private:
    QTemporaryDir m_files;
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
