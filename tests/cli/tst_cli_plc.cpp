// SPDX-License-Identifier: GPL-3.0-or-later
// mk38c's PLC commands, run as a user runs them against mk38sim, with the real waits: their
// exit codes, streams and the frames the simulator received.
#include "Pty.h"
#include "SimProcess.h"
#include "TestUtil.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

class TstCliPlc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(testutil::writeRaw(m_dir.filePath(u"p.prg"_s), "ld e1\r\nout s1\r\nend\r\n"));
        QVERIFY(testutil::writeRaw(m_dir.filePath(u"bad.prg"_s), "ld 300\r\n"));
        QVERIFY(testutil::writeRaw(m_dir.filePath(u"other.prg"_s), "ld e2\r\nout s1\r\nend\r\n"));
        QVERIFY(
            testutil::writeRaw(m_dir.filePath(u"p.BLD"_s), "ladder\n" + QByteArray::fromHex("06000b080f")));
        QVERIFY(QDir(m_dir.path()).mkpath(u"tool"_s) &&
                QFile::copy(QStringLiteral(WMK38_BIN_DIR "/mk38c"), m_dir.filePath(u"tool/mk38c"_s)));
    }

    void runs_data()
    {
        // run in the temporary folder; PORT is the simulator's device
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");     // the start of stdout, or of stderr on failure
        QTest::addColumn<QStringList>("frames"); // hex, a body by its first bytes and length
        const auto row = [](const char* tag, const char* fault, const char* args, int exitCode,
                            const QString& output, const QStringList& frames) {
            QTest::newRow(tag) << fault << args << exitCode << output << frames;
        };
        const QStringList send{"00 50 00 00 01 0a 5b", "06 00 0b 08 (258)"},
            upload{"01 08 03 00 03 00 09", "01 52 7e 4b 00 00 66"},
            presets{"01 08 36 00 38 00 07", "01 08 3a 00 3c 00 0f", "01 08 3e 00 40 00 77",
                    "01 08 42 00 44 00 0f", "01 08 46 00 48 00 07"};
        const QString io = "01 08 dc 00 da 00 0f", variables = "01 08 0e 01 10 01 17";
        row("send source, run", "", "send p.prg --port PORT --run --mode 2", 0, "recibido por el PLC",
            send + QStringList{"00 43 02 00 00 00 41"});
        row("send Ladder, fast", "", "send p.BLD --port PORT --fast", 0, "recibido por el PLC", send);
        row("compile error", "", "send bad.prg --port PORT", 1, "Error en linea\nld 300\n", {});
        row("received wrong", "badresult", "send p.prg --port PORT", 3, "mk38c send: El PLC recibió mal",
            send);
        row("no answer", "long", "send p.prg --port PORT", 4, "mk38c send: No hay respuesta del PLC", send);
        row("port missing", "", "send p.prg --port /dev/ttyNoSuch", 2,
            "mk38c send: Error de comunicacion 8002: /dev/ttyNoSuch no existe", {});
        row("stop", "", "stop --port PORT --outputs-off", 0, "", {"00 44 01 00 00 00 45"});
        row("run, bad mode", "", "run --port PORT --mode 3", 2, "mk38c run: --mode", {});
        // COM3 as the settings file beside the tool maps it (COM2 there is missing)
        row("run COM3, default mode", "", "run --port COM3", 0, "", {"00 43 00 00 00 00 43"});
        row("receive", "", "receive --port PORT -o r.obj --fast", 0, "        LD e1\r\n        OUT s1\r\n",
            upload);
        row("receive, checksum wrong", "badxor:0.5", "receive --port PORT -o bad.obj", 5,
            "mk38c receive: suma de control", upload);
        row("receive, checksum wrong, ignored", "badxor:0.5", "receive --port PORT --ignore-checksum --fast",
            0, "stderr:fecha " + QDate::currentDate().toString(Qt::ISODate), upload);
        row("receive, silent", "silence", "receive --port PORT --all", 4,
            "mk38c receive: No hay comunicación", {"00 08 03 00 03 00 08"});
        // a short program answer whose checksum matches: its date word is no date
        row("receive, no date", "short:0.5", "receive --port PORT", 0, "stderr:fecha 0x00", upload);
        row("verify, equal", "", "verify p.prg --port PORT --fast", 0, "igual\n", upload);
        row("verify, different", "", "verify other.prg --port PORT --fast", 6,
            "archivo:         LD e2\nPLC:             LD e1\n", upload);
        row("presets, read", "", "presets --port PORT --fast", 0, "Ctv1 1\nCtv2 1\nCtv3 1\nCtv4 1\nTpv1 10\n",
            presets);
        // a value that is no preset is refused before anything is sent
        row("presets, bad value", "", "presets --port PORT --write 1,2,3,4,5,6,7,8,9,65536", 2,
            "mk38c presets: \"65536\" no es", {});
        row("presets, bad answers", "badxor", "presets --port PORT --fast", 4, "Ctv1 ????\n",
            QStringList(2, presets[0]) + presets);
        row("presets, silent, fast", "silence", "presets --port PORT --fast", 4, "Ctv1 ????\n",
            presets.first(1));
        row("presets, empty list", "", "presets --port PORT --write ''", 2,
            "mk38c presets: --write lleva diez valores", {});
        row("monitor", "", "monitor --port PORT --count 2 --from 14", 0,
            "in 00000000  out 000000\nvar  v01=0 0x00  v02=0 0x00  v03=0 0x00  v04=0 0x00\n",
            {io, variables});
        const QString csv =
            "time,kind,ok,in0,in1,in2,in3,in4,in5,in6,in7,out0,out1,out2,out3,out4,out5,v01,v02,v03,v04\n";
        row("monitor, csv", "", "monitor --port PORT --count 6 --from 14 --csv --fast", 0, csv,
            {io, variables, io, variables, io, variables});
        // a poll not answered is asked again; a script sees the exit code
        row("monitor, silent", "silence", "monitor --port PORT --count 2", 4,
            "in/out: no answer\nin/out: no answer\n", {io, io});
        // every answer 0.6 s late: each is taken for a repeat of its own poll, never for the other kind
        row("monitor, late", "late", "monitor --port PORT --count 4 --from 14", 4,
            u"in/out: no answer\nin 00000000  out 000000\nvar  v01=?  v02=?  v03=?  v04=?  (no answer)\n"
            "var  v01=0 0x00  v02=0 0x00  v03=0 0x00  v04=0 0x00\n"_s,
            {io, io, variables, variables});
    }
    void runs()
    {
        QFETCH(QString, fault);
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        testutil::SimProcess sim(fault == u"late" ? QStringList{u"--late-ms"_s, u"600"_s} : QStringList{});
        QVERIFY(sim.start());
        const auto run = [&](const QString& command) {
            return testutil::runShell(QString(command).replace(u"PORT"_s, sim.device()), m_dir.path());
        };
        if (args.startsWith(u"receive") || args.startsWith(u"verify")) // a program to read back
            QCOMPARE(run(u"mk38c send p.prg --port PORT --fast"_s).exitCode, 0);
        if (!fault.isEmpty())
            sim.command("fault " + fault.toLatin1());
        const qsizetype before = sim.received().size();
        // a COM name is read from the settings file beside a copy of the tool
        QVERIFY(testutil::writeRaw(m_dir.filePath(u"tool/dmk38.ini"_s),
                                   "[Puertos]\r\nCOM2=/dev/ttyNoSuch\r\nCOM3=" + sim.device().toLocal8Bit() +
                                       "\r\n"));
        const testutil::Run r = run((args.contains(u"COM") ? u"tool/mk38c "_s : u"mk38c "_s) + args);
        QCOMPARE(r.exitCode, exitCode);
        const QString out = QString::fromUtf8(r.out), err = QString::fromUtf8(r.err);
        // a refusal is told on stderr; presets and the monitor still list what they read
        const bool listed = exitCode == 4 && (args.startsWith(u"presets") || args.startsWith(u"monitor"));
        const QString& shown = exitCode == 0 || exitCode == 6 || listed ? out : err;
        QVERIFY2(output.isEmpty()                ? out.isEmpty()
                 : output.startsWith(u"stderr:") ? err.contains(output.mid(7))
                                                 : shown.startsWith(output),
                 qPrintable(out + u"|"_s + err));
        // a frame nobody answers (run, stop) may reach the simulator's log after the tool has ended
        const auto logged = [&sim, before] {
            QStringList all;
            for (const QByteArray& f : sim.received().mid(before))
                all << (f.size() > 7 ? QString::fromLatin1(f.left(4).toHex(' ') + " (" +
                                                           QByteArray::number(f.size()) + ")")
                                     : QString::fromLatin1(f.toHex(' ')));
            return all;
        };
        if (args.contains(u"--csv --fast")) { // at the line's pace: six polls take less than five fixed waits
            const QStringList rows = out.split(u'\n', Qt::SkipEmptyParts);
            const auto at = [](const QString& row) {
                return QDateTime::fromString(row.section(u',', 0, 0), Qt::ISODateWithMs);
            };
            QVERIFY(at(rows[1]).msecsTo(at(rows.last())) < 2500);
        }
        QFETCH(QStringList, frames);
        QTRY_COMPARE(logged(), frames);
        if (args.contains(u"r.obj"))
            QVERIFY(testutil::readRaw(m_dir.filePath(u"r.obj"_s)).startsWith(" - "));
        QVERIFY(!QFile::exists(m_dir.filePath(u"bad.obj"_s))); // a wrong program is never written
    }

    // mk38c scan against a PLC that serves only its own station (and 0, never asked)
    void scan_data()
    {
        QTest::addColumn<int>("id");         // the simulator's station
        QTest::addColumn<QString>("fault");  // the simulator's
        QTest::addColumn<QString>("args");   // after "mk38c scan --port PORT"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");    // a part of stderr
        QTest::addColumn<QString>("asked");  // the stations the frames went to
        const auto row = [](const char* tag, int id, const char* fault, const char* args, int exitCode,
                            const char* out, const char* err, const char* asked) {
            QTest::newRow(tag) << id << fault << args << exitCode << out << err << asked;
        };
        row("found, fast", 3, "none", "--from 2 --to 4 --fast", 0, "3 checksum 10\n", "", "2,3,4");
        row("found, fixed waits", 3, "none", "--from 3 --to 4", 0, "3 checksum 10\n", "", "3,4");
        row("none", 9, "none", "--from 2 --to 4 --fast", 4, "",
            "mk38c scan: ninguna estación respondió entre 2 y 4", "2,3,4");
        row("damaged answer", 3, "badxor", "--from 3 --to 3 --fast", 4, "3 respuesta dañada\n",
            "ninguna estación respondió", "3");
        // the bounds: --from defaults to 1 (station 0 is never asked), --to to 255
        row("first station", 1, "none", "--to 1 --fast", 0, "1 checksum 10\n", "", "1");
        row("last station", 255, "none", "--from 255 --fast", 0, "255 checksum 10\n", "", "255");
        row("from 0", 1, "none", "--from 0", 2, "", "--from y --to admiten 1..255", "");
        row("to 256", 1, "none", "--to 256", 2, "", "--from y --to admiten 1..255", "");
        row("from above to", 1, "none", "--from 5 --to 4", 2, "",
            "mk38c scan: --from 5 es mayor que --to 4\nUso: mk38c scan", "");
        row("no port", 1, "none", "", 2, "", "falta --port", "");
    }
    void scan()
    {
        QFETCH(int, id);
        QFETCH(QString, fault);
        QFETCH(QString, args);
        testutil::SimProcess sim({u"--id"_s, QString::number(id)});
        QVERIFY(sim.start());
        // a program whose checksum is 10, sent to every station
        QCOMPARE(testutil::runShell(u"mk38c send p.prg --fast --port "_s + sim.device(), m_dir.path()).exitCode, 0);
        sim.command("fault " + fault.toLatin1());
        const qsizetype before = sim.received().size();
        const testutil::Run r = testutil::runShell(
            u"mk38c scan "_s + (args.isEmpty() ? QString() : u"--port "_s + sim.device() + u' ' + args), m_dir.path());
        QTEST(r.exitCode, "exitCode");
        QTEST(QString::fromUtf8(r.out), "out");
        QFETCH(QString, err);
        QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
        QStringList asked;
        for (const QByteArray& frame : sim.received().mid(before))
            asked << QString::number(quint8(frame.at(0)));
        QTEST(asked.join(u','), "asked");
    }

    void runFrameNotWrittenIsNoSuccess()
    {
        // the PLC takes the program, then its line stops before the run frame
        testutil::Pty plc;
        QProcess send;
        send.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"),
                   {u"send"_s, m_dir.filePath(u"p.prg"_s), u"--port"_s, plc.path(), u"--run"_s, u"--fast"_s});
        QCOMPARE(plc.take(7 + 258, 10000).size(), 7 + 258);
        QVERIFY(::tcflow(plc.slaveFd(), TCOOFF) == 0);
        plc.write(QByteArray::fromHex("0050aa000000fa")); // received right
        QVERIFY(send.waitForFinished(10000));
        QCOMPARE(send.exitCode(), 4);
        QVERIFY(!send.readAllStandardOutput().contains("en marcha (modo"));
        QVERIFY(send.readAllStandardError().contains("mk38c send: no se pudo escribir la trama run"));
        // a line stopped by flow control takes no frame: stop fails too
        testutil::Pty held;
        QVERIFY(::tcflow(held.slaveFd(), TCOOFF) == 0);
        const testutil::Run r = testutil::runTool("mk38c", {u"stop"_s, u"--port"_s, held.path()});
        QCOMPARE(r.exitCode, 4);
        QVERIFY2(r.err.contains("mk38c stop: no se pudo escribir la trama stop"), r.err);
    }

    void monitorToldOnceTheDeviceWentAway()
    {
        // no --count: polls go on while the device is away, said once on stderr, and when it is back
        QTemporaryDir dir;
        const QStringList args{u"--link"_s, dir.filePath(u"plc"_s)};
        auto sim = std::make_unique<testutil::SimProcess>(args);
        QVERIFY(sim->start());
        QProcess monitor;
        monitor.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), {u"monitor"_s, u"--port"_s, args[1], u"--csv"_s, u"--fast"_s});
        QByteArray out, err;
        const auto rows = [&](const char* ok) { // the rows so far with ok 1 or 0
            out += monitor.readAllStandardOutput();
            err += monitor.readAllStandardError();
            return out.count(QByteArray(",io,") + ok + ',') + out.count(QByteArray(",var,") + ok + ',');
        };
        QTRY_VERIFY_WITH_TIMEOUT(rows("1") >= 2, 20000);
        sim.reset();
        QTRY_VERIFY_WITH_TIMEOUT(rows("0") >= 4, 20000); // tried again at every poll
        sim = std::make_unique<testutil::SimProcess>(args);
        QVERIFY(sim->start());
        const qsizetype answered = rows("1");
        QTRY_VERIFY_WITH_TIMEOUT(rows("1") > answered, 20000);
        ::kill(pid_t(monitor.processId()), SIGINT);
        QVERIFY(monitor.waitForFinished(10000));
        rows("");
        QCOMPARE(monitor.exitCode(), 4);
        const QStringList said = QString::fromUtf8(err).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(said.size(), 3);
        QVERIFY2(said[0].startsWith(u"mk38c monitor: Error de comunicacion 8002: "_s + args[1] + u" no existe"_s), qPrintable(said[0]));
        QCOMPARE(said[1],
                 u"mk38c monitor: el dispositivo se fue; se abre de nuevo en cada consulta, cada 500 ms, "
                 u"hasta que vuelva (Ctrl+C termina)"_s);
        QCOMPARE(said[2], u"mk38c monitor: el dispositivo volvió"_s);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstCliPlc)
#include "tst_cli_plc.moc"
