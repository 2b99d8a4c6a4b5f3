// SPDX-License-Identifier: GPL-3.0-or-later
// The PLC commands of the main window against mk38sim: download with its questions, run and
// stop, the ports, the identifier, one exchange at a time.
#include "PlcTest.h"
#include "Pty.h"

using namespace Qt::StringLiterals;

class TestEditorPlc : public QObject
{
    Q_OBJECT

private slots:
    void send_data()
    {
        using L = QStringList;
        QTest::addColumn<QString>("commands"); // actions, tool buttons by position, or "kill" the simulator
        QTest::addColumn<QString>("answers");  // buttons, file names, or "-" for a cancelled dialog
        QTest::addColumn<L>("said");
        QTest::addColumn<L>("frames");
        QTest::addColumn<QString>("state"); // folder, name, [status panel], marks
        QTest::addColumn<QString>("fault"); // the simulator's, mended at each prompt; "no device" for COM2
        QTest::addColumn<QString>("text");  // typed, when not the program below
        QTest::addColumn<QString>("after"); // the text then, when it changed
        auto add = [](const char* tag, const char* commands, const char* answers, const L& said,
                      const L& frames, const QString& state, const char* fault = "none",
                      const char* text = "", const char* after = "") {
            QTest::newRow(tag) << commands << answers << said << frames << state << fault << text << after;
        };
        const QString yes = u"Ejecutar | Correr programa ?"_s;
        const QString none = u"Error de comunicación | No hay respuesta del PLC"_s;
        const QString save = u"Salvar archivo | El Archivo  no ha sido salvado.\r\n¨Salvar ahora?"_s;
        const QString bld = u"Cargar programa compilado del Ladder | *.bld|*.bld"_s;
        const QString port = u"Error 8002 | Error de comunicacion 8002\r\n/dev/ttyNoSuch no existe…"_s;
        const QString edited = u"~/ [] modified"_s,
                      compiled = u"~/ [Bytes compilados:  5] modified compiled"_s;
        const L sent{"00 50 00 00 01 0a 5b", "06 00 0b 08 ... (258)"}, run{"00 43 00 00 00 00 43"};
        // run at the question, or not; compiled once, the second from the button sends the same program
        add("twice, run at the first", "mnEnviarPrg 8", "Yes No", {yes, yes}, sent + run + sent, compiled);
        // Retry sends the same program again; the simulator is mended while the box shows
        add("received wrong, retried", "mnEnviarPrg", "Retry No", {"Error | El PLC recibió mal", yes},
            sent + sent, compiled, "badresult");
        // told at start-up with where to choose another, and once more; the attempts find no answer
        add("port cannot be opened", "mnEnviarPrg", "Ok Ok Retry Cancel",
            {port + " El dispositivo de cada puerto se elige en Opciones → Puertos serie...", port, none,
             none},
            {}, compiled, "no device");
        // a compile that fails keeps its own report and sends nothing
        add("compile fails", "mnEnviarPrg", "Ok",
            {"Error | Error en linea\r\nld 300\r\nEl argumento \"300\" es mayor que el máximo (255)…"}, {},
            u"~/ [Error: ld 300] modified"_s, "none", "ld 300");
        // the loaded program would replace the text: the question comes first
        add("object file, dialog cancelled", "mnEnviarBin", "No -",
            {save, "Cargar programa compilado | *.obj|*.obj"}, {}, edited);
        add("save refused", "mnEnviarBin", "Yes -", {save, "Salvar como | Programas *.PRG|*.PRG"}, {},
            edited);
        add("Ladder file, dialog cancelled", "mnEnviarBld", "No -", {save, bld}, {}, edited);
        add("Ladder file unreadable", "mnEnviarBld", "No none.bld Ok", {save, bld, "No se puede cargar: | …"},
            {}, edited);
        add("Ladder file sent, then translated", "mnEnviarBld", "No p.BLD No", {save, bld, yes}, sent, edited,
            "none", "", "        LD e1\n        OUT s1\n        END\n\n");
        // the menus choose and send, the buttons also show what was sent ("Apagar salidas al detener"
        // is marked at start); a frame that could not be written, its device gone, is told
        add("run, menus and button", "mnSalsOff mnStop mnRun0 mnRun mnRunRet 10", "", {},
            {"00 44 00 00 00 00 44", "00 43 00 00 00 00 43", "00 43 02 00 00 00 41"},
            u"~/ [Ejecutando programa] modified"_s);
        add("stop by button, run, device gone", "11 kill 10", "Ok",
            {"Error 8002 | Error de comunicacion 8002\r\n…"}, {"00 44 01 00 00 00 45"},
            u"~/ [PLC detenido] modified"_s);
        add("run by button, stop, device gone", "10 kill 11", "Ok",
            {"Error 8002 | Error de comunicacion 8002\r\n…"}, run, u"~/ [Ejecutando programa] modified"_s);
    }
    void send()
    {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QStringList, said);
        QFETCH(QStringList, frames);
        PlcFixture f({u"--fault"_s, fault.contains(u' ') ? u"none"_s : fault});
        QFETCH(QString, answers);
        f.answer(answers.split(u' ', Qt::SkipEmptyParts)); // a missing device is told at start-up
        QVERIFY(f.startWithSim({}, fault == u"no device" ? "COM2=/dev/ttyNoSuch\r\n" : "COM2=SIM\r\n"));
        QVERIFY(f.write(u"p.BLD"_s, QByteArray("ladder\n") + QByteArray::fromHex("06000b080f")));
        f.prompts.onMessage = [&f](const Prompts::Message&) { f.sim.command("fault none"); };
        text = text.isEmpty() ? u"ld e1\nout s1\nend"_s : text;
        f.setText(text);
        QFETCH(QString, commands);
        for (const QString& c : commands.split(u' ')) {
            f.child<QLineEdit>("txtProgreso")->setText(u"99.84%"_s); // as a file load leaves it
            if (c == u"kill") {                                      // once the frames before are in
                QTRY_COMPARE(f.frames(), frames);
                f.sim.process().kill();
                QVERIFY(f.sim.process().waitForFinished(5000));
            } else
                c.toInt() ? f.editor->toolAction(c.toInt())->trigger() : f.trigger(qPrintable(c));
        }
        QCOMPARE(f.saidAll(said), said);
        for (const auto& asked : f.prompts.asked())
            if (asked.title.startsWith(u"Error"))
                QCOMPARE(asked.icon, Prompts::Icon::Exclamation);
        // a frame to another station closes the log: one sent by mistake comes before it
        if (f.sim.process().state() == QProcess::Running) {
            QCoreApplication::processEvents();
            QVERIFY(testutil::Fd(f.sim.device()).write(QByteArray::fromHex("6308000000006b")));
            frames << u"63 08 00 00 00 00 6b"_s;
        }
        QTRY_COMPARE(f.frames(), frames);
        QTEST(f.doc(), "state");
        QVERIFY(!f.editor->CompiledCurrent || f.child<QLineEdit>("txtProgreso")->text().isEmpty()); // from 0
        QFETCH(QString, after);
        QCOMPARE(f.txt()->toPlainText(), after.isEmpty() ? text : after);
        QCOMPARE(f.editor->focusWidget(), f.txt()); // the focus returns there when the window is active
    }

    void oneExchangeAtATime()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.editor->waits().setScale(0.5); // the clicks below land well inside the 750 ms image wait
        f.setText(u"end"_s);
        QStringList during;
        QTimer::singleShot(100, f.editor.get(), [&] {
            for (const char* name : {"mnRun", "mnEnviarPrg", "mnRecibir", "mnMonitor", "mnPresetCnt"})
                if (f.action(name)->isEnabled())
                    during << QString::fromLatin1(name);
            for (int i = 0; i < 5; ++i) {
                f.trigger("mnRun");
                f.editor->toolAction(10)->trigger();
            }
            if (f.child<QToolButton>("tbPuertoButton")->isEnabled())
                during << u"port"_s;
            // closing waits for the exchange to end
            f.prompts.answerMessage(Prompts::No);
            f.editor->close();
            during << (f.editor->isVisible() ? u"open"_s : u"closed"_s);
        });
        f.prompts.answerMessage(Prompts::No);
        f.trigger("mnEnviarPrg");
        QCOMPARE(during, QStringList{u"open"_s});
        QCOMPARE(f.frames().size(), 2);
        QTRY_VERIFY(!f.editor->isVisible());
        QVERIFY(f.action("mnRun")->isEnabled());
    }

    void serialPortsWindow()
    {
        PlcFixture f;
        testutil::SimProcess other;
        QVERIFY(other.start());
        QVERIFY(f.startWithSim({}, "COM2=SIM\r\n; by hand\r\nCOM5=/dev/ttyNoSuch\r\n[Other]\r\nx=1\r\n"));
        const QByteArray ini = f.read(u"dmk38.ini"_s);
        QVERIFY(f.action("mnCom5")->text().endsWith(u"/dev/ttyNoSuch  (no está)"_s));
        const QString byId = u"/dev/serial/by-id/usb-FTDI_FT232R_A123-if00-port0"_s;
        const plclink::PortInfo usb{u"/dev/ttyUSB0"_s, byId, u"FT232R USB UART"_s, u"FTDI"_s, u"A123"_s};
        f.editor->setPortLister([usb] { return QList<plclink::PortInfo>{usb}; });
        QDialog* w = nullptr;
        auto open = [&f, &w] {
            f.trigger("mnPuertosSerie");
            w = f.editor->findChild<QDialog*>(u"Puertos"_s);
            return w && w->isVisible();
        };
        auto port = [&w](int n) { return w->findChild<QComboBox*>(u"cbPuerto%1"_s.arg(n)); };
        auto test = [&w](int n) {
            w->findChild<QPushButton*>(u"cmdProbar%1"_s.arg(n))->click();
            return w->findChild<QLabel*>(u"lbResultado"_s)->text();
        };
        QVERIFY(open());
        QCOMPARE(port(2)->currentText(), f.sim.device());
        QCOMPARE(port(3)->itemText(1), byId); // the stable name first, then the device
        QCOMPARE(port(3)->itemText(2), u"/dev/ttyUSB0"_s);
        port(3)->setCurrentIndex(1);
        QVERIFY(w->findChild<QLabel*>(u"lbInfo3"_s)->text().contains(u"FT232R USB UART · FTDI · A123"_s));
        // the test asks the PLC on that device, also the one the editor holds; COM4 on its default device
        QCOMPARE(test(2), u"COM2: el PLC 1 respondió por %1 (byte de verificación del programa: 0)."_s.arg(
                              f.sim.device()));
        QVERIFY(test(4).startsWith(u"COM4: /dev/ttyS3 "_s));
        w->reject(); // Cancelar changes nothing
        QCOMPARE(f.read(u"dmk38.ini"_s), ini);
        // Aceptar writes the changed entries only; the port in use is opened on its new device
        QVERIFY(open());
        port(2)->setEditText(other.device());
        port(3)->setCurrentIndex(1);
        port(5)->setEditText(QString());
        w->accept();
        QCOMPARE(f.read(u"dmk38.ini"_s),
                 "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=" + other.device().toLocal8Bit() +
                     "\r\n; by hand\r\nCOM5=\r\nCOM3=" + byId.toLatin1() + "\r\n[Other]\r\nx=1\r\n");
        QCOMPARE(f.action("mnCom3")->toolTip(), byId);
        f.trigger("mnRun");
        QTRY_COMPARE(other.received().value(0).toHex(' '), QByteArray("00 43 00 00 00 00 43"));
        // it opens again on what was accepted, and going back is written too
        QVERIFY(open());
        QCOMPARE(port(2)->currentText(), other.device());
        port(2)->setEditText(f.sim.device());
        w->accept();
        QVERIFY(f.read(u"dmk38.ini"_s).contains("\r\nCOM2=" + f.sim.device().toLocal8Bit() + "\r\n"));
    }

    void plcIdentifier_data()
    {
        QTest::addColumn<QStringList>("typed"); // "-" cancels
        QTest::addColumn<int>("id");
        QTest::newRow("0 refused, then 1") << QStringList{u"0"_s, u"1"_s} << 1;
        QTest::newRow("256 and abc refused") << QStringList{u"256"_s, u"abc"_s, u"255"_s} << 255;
        QTest::newRow("12.5 to even") << QStringList{u"12.5"_s} << 12;
        QTest::newRow("13.5 to even") << QStringList{u" 13.5 x"_s} << 14;
        QTest::newRow("cancelled") << QStringList{u"300"_s, u"-"_s} << 7;
        QTest::newRow("empty") << QStringList{u""_s} << 7;
    }
    void plcIdentifier()
    {
        QFETCH(QStringList, typed);
        EditorFixture f;
        f.write(u"dmk38.ini"_s, "[Set]\r\nID=7\r\n");
        QVERIFY(f.start());
        for (const QString& t : typed)
            f.prompts.answerInput(t == u"-" ? std::nullopt : std::optional<QString>(t));
        f.trigger("mnId");
        QTEST(int(f.editor->PlcId), "id");
        QCOMPARE(f.prompts.asked().size(), typed.size());
        const QString ask = u"N§ de identificaci¢n |  N£mero de identificador del PLC: entre 1 y 255\r\n"_s;
        QCOMPARE(f.said(0) + f.prompts.asked()[0].defaultText, ask + u" 7"_s);
        if (typed.size() > 1)
            QCOMPARE(f.said(1), ask + u"El valor "_s + typed[0] + u" es incorecto!."_s);
    }
};

QTEST_MAIN(TestEditorPlc)
#include "tst_editor_plc.moc"
