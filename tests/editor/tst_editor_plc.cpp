// SPDX-License-Identifier: GPL-3.0-or-later
// The PLC commands of the main window against mk38sim: download with its questions, run and
// stop, the ports, the identifier, one exchange at a time.
#include "Exchanges.h"
#include "PlcTest.h"
#include "PortFaults.h"
#include "Pty.h"
#include "Verificar.h"

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
        QTest::addColumn<QString>("fault"); // the simulator's, mended at each prompt
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
        const QString edited = u"~/ [] modified"_s,
                      compiled = u"~/ [Bytes compilados:  5] modified compiled"_s;
        const L sent{"00 50 00 00 01 0a 5b", "06 00 0b 08 ... (258)"}, run{"00 43 00 00 00 00 43"};
        // run at the question, or not; compiled once, the second from the button sends the same program
        add("twice, run at the first", "mnEnviarPrg 8", "Yes No", {yes, yes}, sent + run + sent, compiled);
        // Retry sends the same program again; the simulator is mended while the box shows
        add("received wrong, retried", "mnEnviarPrg", "Retry No", {"Error | El PLC recibió mal", yes},
            sent + sent, compiled, "badresult");
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
        add("run, menus and button", "mnSalsOff mnStop mnRun0 mnRun mnRunRet 11", "", {},
            {"00 44 00 00 00 00 44", "00 43 00 00 00 00 43", "00 43 02 00 00 00 41"},
            u"~/ [Ejecutando programa] modified"_s);
        add("stop by button, run, device gone", "12 kill 11", "Ok",
            {"Error 8002 | Error de comunicacion 8002\r\n…"}, {"00 44 01 00 00 00 45"},
            u"~/ [PLC detenido] modified"_s);
        add("run by button, stop, device gone", "11 kill 12", "Ok",
            {"Error 8002 | Error de comunicacion 8002\r\n…"}, run, u"~/ [Ejecutando programa] modified"_s);
    }
    void send()
    {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QStringList, said);
        QFETCH(QStringList, frames);
        PlcFixture f({u"--fault"_s, fault});
        QFETCH(QString, answers);
        f.answer(answers.split(u' ', Qt::SkipEmptyParts));
        QVERIFY(f.startWithSim());
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
        const bool sentAny = !frames.isEmpty();
        // a frame to another station closes the log: one sent by mistake comes before it
        if (f.sim.process().state() == QProcess::Running) {
            QCoreApplication::processEvents();
            QVERIFY(testutil::Fd(f.sim.device()).write(QByteArray::fromHex("6308000000006b")));
            frames << u"63 08 00 00 00 00 6b"_s;
        }
        QTRY_COMPARE(f.frames(), frames);
        QTEST(f.doc(), "state");
        // the progress shown starts from 0
        QVERIFY(!f.editor->CompiledCurrent || !sentAny || f.child<QLineEdit>("txtProgreso")->text().isEmpty());
        QFETCH(QString, after);
        QCOMPARE(f.txt()->toPlainText(), after.isEmpty() ? text : after);
        QCOMPARE(f.editor->focusWidget(), f.txt()); // the focus returns there when the window is active
    }

    // Every exchange of the editor on a port that cannot be opened: the port's message once,
    // nothing sent, the window idle again. At start-up only the status bar and the port button
    // tell it (diagnostic mode: the box as ever); choosing the port shows the box.
    void portFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<int>("number");
        for (const auto& [fault, number] : testutil::kPortFaults)
            for (const char* exchange : {"send", "run", "stop", "upload", "presets", "monitor",
                                         "test in Puertos", "port menu", "diagnostic start"})
                QTest::addRow("%s, %s", exchange, fault) << QString::fromLatin1(fault)
                                                         << QString::fromLatin1(exchange) << number;
    }
    void portFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, exchange);
        QFETCH(int, number);
        EditorFixture f;
        testutil::Pty other;
        plclink::Waits waits;
        plclink::Link holder(waits);
        testutil::FaultyPort port;
        QVERIFY(port.make(fault, f.path(), other.path(), holder));
        const QString device = port.device;
        QVERIFY(f.write(u"dmk38.ini"_s, "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=" + device.toLocal8Bit() + "\r\n"));
        const QString told = u"Error %1 | Error de comunicacion %1\r\n"_s.arg(number);
        if (exchange != u"test in Puertos")
            f.answer({u"Ok"_s});
        const bool diagnostic = exchange == u"diagnostic start";
        QVERIFY(f.start(diagnostic ? QStringList{u"/debugmode"_s} : QStringList{}));
        QCOMPARE(f.prompts.asked().size(), diagnostic ? 1 : 0);
        QVERIFY2(diagnostic || f.panel(6).startsWith(u"Error de comunicacion %1: "_s.arg(number)),
                 qPrintable(f.panel(6)));
        f.editor->waits().setScale(0.05);
        QTest::keyClicks(f.txt(), u"end"_s); // usable at once
        QWidget* window = nullptr;
        if (exchange == u"send" || exchange == u"run") {
            f.trigger(exchange == u"send" ? "mnEnviarPrg" : "mnRun");
        } else if (exchange == u"stop") {
            f.editor->toolAction(12)->trigger();
        } else if (exchange == u"upload" || exchange == u"monitor") {
            f.trigger(exchange == u"upload" ? "mnRecibir" : "mnMonitor");
            window = f.editor->findChild<QDialog*>(exchange == u"upload" ? u"Recprg"_s : u"Monitor"_s);
            window->findChild<QPushButton*>(u"cmdRecibir"_s)->click();
        } else if (exchange == u"presets") {
            f.trigger("mnPresetCnt");
            window = f.editor->findChild<QDialog*>(u"Precnt"_s);
        } else if (exchange == u"port menu") {
            f.trigger("mnCom2");
        } else if (!diagnostic) {
            f.trigger("mnPuertosSerie");
            window = f.editor->findChild<QDialog*>(u"Puertos"_s);
            window->findChild<QPushButton*>(u"cmdProbar2"_s)->click();
            const QString result = window->findChild<QLabel*>(u"lbResultado"_s)->text();
            QVERIFY2(result.startsWith(u"COM2: Error de comunicacion %1: "_s.arg(number)), qPrintable(result));
        }
        QTRY_VERIFY(!f.editor->link().busy());
        QCOMPARE(f.prompts.asked().size(), exchange == u"test in Puertos" ? 0 : 1); // once, no "no answer"
        if (exchange != u"test in Puertos")
            QVERIFY2(f.said().startsWith(told), qPrintable(f.said()));
        // where the port is chosen the box also says where its device is set
        QCOMPARE(
            f.said().endsWith(u" El dispositivo de cada puerto se elige en Opciones → Puertos serie..."_s),
            exchange == u"port menu" || diagnostic);
        QCOMPARE(other.take(), QByteArray()); // nothing sent
        QCOMPARE(QFileInfo(device).size(), 0);
        // idle again
        QVERIFY(f.action("mnEnviarPrg")->isEnabled());
        auto* button = f.child<QToolButton>("tbPuertoButton");
        QCOMPARE(button->text(), number == 8002 ? u"COM2 (no está)"_s : u"COM2 (no se abre)"_s);
        QVERIFY(button->toolTip().contains(QString::number(number)));
        if (exchange == u"upload") {
            QVERIFY(window->findChild<QPushButton*>(u"cmdRecibir"_s)->isEnabled());
            QCOMPARE(window->findChild<QPlainTextEdit*>(u"txtRecibir"_s)->toPlainText(), QString());
        } else if (exchange == u"presets") {
            QVERIFY(window->findChild<QPushButton*>(u"cmdPreset"_s)->isEnabled());
            QCOMPARE(window->findChild<QLabel*>(u"lbMsg"_s)->text(), QString());
        } else if (exchange == u"monitor") {
            QVERIFY(window->findChild<QPushButton*>(u"cmdRecibir"_s)->isVisible());
            QVERIFY(!window->findChild<QPushButton*>(u"cmdDetener"_s)->isVisible());
        }
        if (window)
            window->close();
        f.editor->ProgramModified = false;
        f.editor->close();
    }

    // Settings files that are not what they seem: told in the status bar, no hang, no crash, no
    // lock file left; a file that was ignored is not written over when leaving either.
    void settingsFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("status"); // panel 6 after start-up, its start; ~ the program folder
        QTest::addColumn<bool>("ignored");   // the file is neither read nor written
        const QByteArray nul("[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=\0/dev/null\r\n", 40);
        const QString refused = u"Error de comunicacion 8020: \"?/dev/null\" no se puede abrir como puerto serie: "
                                u"el nombre contiene un carácter de control"_s;
        QTest::newRow("NUL in a device name") << u"file"_s << nul << refused + u" (NUL)"_s << false;
        QTest::newRow("control character in a device name")
            << u"file"_s << QByteArray("[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=\x01/dev/null\r\n")
            << refused + u" (U+0001)"_s << false;
        QTest::newRow("FIFO") << u"fifo"_s << QByteArray()
                              << u"Se ignora ~/dmk38.ini: es una tubería con nombre (FIFO)"_s << true;
        QTest::newRow("folder") << u"folder"_s << QByteArray() << u"Se ignora ~/dmk38.ini: es una carpeta"_s << true;
        QTest::newRow("over 1 MB") << u"file"_s
                                   << QByteArray("[Set]\r\nCOM=5\r\n;") + QByteArray(1024 * 1024, 'x')
                                   << u"Se ignora ~/dmk38.ini: mide más de 1 MB (1048591 bytes)"_s << true;
    }
    void settingsFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, contents);
        QFETCH(bool, ignored);
        EditorFixture f;
        const QString ini = f.path(u"dmk38.ini"_s);
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == u"folder")
            QVERIFY(QDir().mkdir(ini));
        else
            QVERIFY(f.write(u"dmk38.ini"_s, contents));
        QVERIFY(f.start());
        QCOMPARE(f.prompts.asked().size(), 0);
        QFETCH(QString, status);
        QVERIFY2(f.panel(6).replace(f.path(), u"~/"_s).startsWith(status), qPrintable(f.panel(6)));
        QCOMPARE(f.editor->selectedPort(), 2); // the default where the file was ignored
        for (const char* lock : {"/var/lock/LCK..", "/run/lock/LCK..", "/tmp/LCK.."})
            QVERIFY2(!QFileInfo::exists(QLatin1String(lock)), lock);
        if (ignored)
            f.answer({u"Ok"_s}); // leaving tells why the options were not kept
        f.editor->close();
        QCOMPARE(f.prompts.asked().size(), ignored ? 1 : 0);
        if (ignored)
            QVERIFY2(f.said().startsWith(u"Configuración | No se pudieron guardar las opciones"_s), qPrintable(f.said()));
        QFileInfo after(ini);
        QCOMPARE(after.isDir(), kind == u"folder");
        QCOMPARE(after.isFile(), kind == u"file");
        if (kind == u"file" && ignored)
            QCOMPARE(f.read(u"dmk38.ini"_s), contents);
    }

    // "Verificar programa" against a PLC holding "ld e1 / out s1 / end", dated 5 Sep 2006: the outcome as
    // the user is told it, the differences window with its marked lines, and what each choice does.
    void verify_data()
    {
        using L = QStringList;
        QTest::addColumn<QString>("plc");    // the simulator's password, then its fault
        QTest::addColumn<QString>("text");   // the editor's
        QTest::addColumn<QString>("answers"); // the password typed ("-" cancels), then buttons
        QTest::addColumn<L>("said");
        QTest::addColumn<QString>("differences"); // the window's count and first address; none: no window
        QTest::addColumn<L>("marked");            // its marked rows, "editor | PLC"
        QTest::addColumn<QString>("choice");      // the window's button
        QTest::addColumn<L>("frames");            // after the download that put the program there
        QTest::addColumn<QString>("after");       // the text then, when it changed
        auto add = [](const char* tag, const char* plc, const char* text, const char* answers, const L& said,
                      const char* differences, const L& marked, const char* choice, const L& frames,
                      const char* after = "") {
            QTest::newRow(tag) << plc << text << answers << said << differences << marked << choice << frames
                               << after;
        };
        const QString ask = u"Verificar programa | Contraseña (4B7E es deshabilitado)"_s;
        const QString none = u"Reintentar | No hay comunicaci¢n con el PLC.…"_s;
        const QString equal = u"Verificar programa | El programa del PLC es el del editor.\r\nFecha del programa: 05/09/2006."_s;
        const L upload{"01 08 03 00 03 00 09", "01 52 7e 4b 00 00 66"};
        const char* mine = "ld e1\nout s1\nend";
        add("one byte, kept", "4B7E none", "ld e1\nout s2\nend", "4B7E", {ask}, "en 1 byte, en la dirección 3.",
            {"        OUT s2 |         OUT s1"}, "cmdConservar", upload);
        // the PLC's program replaces the text once the unsaved text is asked about
        add("different length, loaded", "4B7E none", "ld e1\nand e2\nout s1\nend", "4B7E No",
            {ask, "Salvar archivo | El Archivo  no ha sido salvado.\r\n¨Salvar ahora?"},
            "en 5 bytes; el primero está en la dirección 2.", {"        AND e2 | "}, "cmdCargar", upload,
            "        LD e1\n        OUT s1\n        END\n\n");
        // "Enviar" sends the editor's program with its usual question
        add("one byte, sent", "4B7E none", "ld e1\nout s2\nend", "4B7E No", {ask, "Ejecutar | Correr programa ?"},
            "en 1 byte, en la dirección 3.", {"        OUT s2 |         OUT s1"}, "cmdEnviar",
            upload + L{"00 50 00 00 01 0b 5a", "06 00 0b 09 ... (258)"});
        // mended while the message shows: Retry reads it
        add("no answer, retried", "4B7E silence", mine, "4B7E Retry Ok", {ask, none, equal}, "", {}, "",
            L{upload[0]} + upload); // the probe, unanswered
        add("wrong password", "00A5 none", mine, "4B7E Cancel",
            {ask, "Reintentar | No hay respuesta desde el PLC. …"}, "", {}, "", upload);
        add("right password", "00A5 none", mine, "a5 Ok", {ask, equal}, "", {}, "",
            {"01 08 03 00 03 00 09", "01 52 a5 00 00 00 f6"});
        add("checksum error", "4B7E badxor:0.5", mine, "4B7E Cancel",
            {ask, "Reintentar | La recepción fue copleta pero con errores.\r\nNo da la verificaci¢n de integridad.\r\n"},
            "", {}, "", upload);
        // nothing is verified without a program or a password
        add("compile fails", "4B7E none", "ld 300", "Ok", {"Error | Error en linea…"}, "", {}, "", {});
        add("password cancelled", "4B7E none", mine, "-", {ask}, "", {}, "", {});
    }
    void verify()
    {
        QFETCH(QString, plc);
        QFETCH(QString, text);
        QFETCH(QString, answers);
        QFETCH(QStringList, said);
        QFETCH(QStringList, frames);
        const QStringList sim = plc.split(u' ');
        PlcFixture f({u"--password"_s, sim[0]});
        QVERIFY(f.startWithSim());
        QCOMPARE(plclink::download(f.editor->link(), {6, 0, 11, 8, 15}, QDate(2006, 9, 5)).outcome,
                 plclink::DownloadOutcome::Received);
        const qsizetype before = f.sim.received().size();
        f.sim.command("fault " + sim[1].toLatin1());
        f.prompts.onMessage = [&f](const Prompts::Message&) { f.sim.command("fault none"); };
        f.setText(text);
        QStringList typed = answers.split(u' ', Qt::SkipEmptyParts);
        if (!said.value(0).startsWith(u"Error")) { // asked once the program compiled
            const QString password = typed.takeFirst();
            f.prompts.answerInput(password == u"-" ? std::nullopt : std::optional(password));
        }
        f.answer(typed);
        f.trigger("mnVerificar");
        auto* w = f.editor->findChild<Verificar*>();
        QFETCH(QString, differences);
        QCOMPARE(w && w->isVisible(), !differences.isEmpty());
        if (w && w->isVisible()) {
            QVERIFY(w->findChild<QLabel*>(u"lbDiferencias"_s)->text().endsWith(differences));
            auto* table = w->findChild<QTableWidget*>(u"tblComparar"_s);
            QStringList marked;
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->item(r, 0)->background().style() != Qt::NoBrush)
                    marked << table->item(r, 0)->text() + u" | "_s + table->item(r, 1)->text();
            QTEST(marked, "marked");
            QCOMPARE(f.sim.received().size(), before + 2); // nothing sent while the window shows
            QFETCH(QString, choice);
            w->findChild<QPushButton*>(choice)->click();
            QVERIFY(!w->isVisible());
        }
        QCOMPARE(f.saidAll(said), said);
        QCOMPARE(f.prompts.pending(), 0);
        // a frame to another station closes the log: one sent by mistake comes before it
        QVERIFY(testutil::Fd(f.sim.device()).write(QByteArray::fromHex("6308000000006b")));
        frames << u"63 08 00 00 00 00 6b"_s;
        QTRY_COMPARE(f.frames().mid(before), frames);
        QFETCH(QString, after);
        QCOMPARE(f.txt()->toPlainText(), after.isEmpty() ? text : after);
        QVERIFY(f.editor->ProgramModified); // nothing saved
        QVERIFY(f.action("mnVerificar")->isEnabled());
    }

    void oneExchangeAtATime()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.editor->waits().setScale(0.5); // the clicks below land well inside the 750 ms image wait
        f.setText(u"end"_s);
        QStringList during;
        QTimer::singleShot(100, f.editor.get(), [&] {
            for (const char* name : {"mnRun", "mnEnviarPrg", "mnRecibir", "mnVerificar", "mnMonitor", "mnPresetCnt"})
                if (f.action(name)->isEnabled())
                    during << QString::fromLatin1(name);
            for (int i = 0; i < 5; ++i) {
                f.trigger("mnRun");
                f.editor->toolAction(11)->trigger();
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
        QVERIFY(test(4).startsWith(u"COM4: Error de comunicacion 8002: /dev/ttyS3 no existe"_s));
        // an answer of two lines, accents included, is shown whole
        auto* result = w->findChild<QLabel*>(u"lbResultado"_s);
        port(4)->setEditText(u"/dev/serie/adaptador-número-cuatro-de-la-máquina-de-envasado"_s);
        QVERIFY(test(4).contains(u"adaptador-número-cuatro"_s));
        QVERIFY(result->fontMetrics().horizontalAdvance(result->text()) > result->width()); // it wraps
        QTRY_VERIFY2(result->height() >= result->heightForWidth(result->width()) &&
                         w->rect().contains(result->geometry()),
                     qPrintable(u"%1 < %2"_s.arg(result->height()).arg(result->heightForWidth(result->width()))));
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
