// The PLC commands of the main window against mk38sim: download with its questions, run and
// stop, the identifier, one exchange at a time, and the faults of the commands that send.
#include "PlcTest.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TestEditorPlc : public QObject
{
    Q_OBJECT

private slots:
    void download_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("frames");
        const QString header = u"00 50 00 00 01 0a 5b"_s, body = u"06 00 0b 08 ... (258)"_s;
        const QString yes = u"Ejecutar | Correr programa ?"_s;
        QTest::newRow("answered, run") << "" << QList<int>{Prompts::Yes} << QStringList{yes}
                                       << QStringList{header, body, u"00 43 02 00 00 00 41"_s};
        QTest::newRow("answered, not run")
            << "" << QList<int>{Prompts::No} << QStringList{yes} << QStringList{header, body};
        // Retry sends the same program again; the simulator is mended while the box shows
        QTest::newRow("received wrong, retried")
            << "badresult" << QList<int>{Prompts::Retry, Prompts::No}
            << QStringList{u"Error | El PLC recibió mal"_s, yes} << QStringList{header, body, header, body};
        QTest::newRow("no answer, cancelled")
            << "short" << QList<int>{Prompts::Cancel}
            << QStringList{u"Error de comunicación | No hay respuesta del PLC"_s}
            << QStringList{header, body};
    }
    void download()
    {
        QFETCH(QString, fault);
        QFETCH(QList<int>, answers);
        PlcFixture f(fault.isEmpty() ? QStringList() : QStringList{u"--fault"_s, fault});
        QVERIFY(f.startWithSim("Rst=2\r\n"));
        f.prompts.onMessage = [&f](const Prompts::Message&) { f.sim.command("fault none"); };
        for (int a : answers)
            f.prompts.answerMessage(Prompts::Button(a));
        f.setText(u"ld e1\nout s1\nend"_s);
        f.trigger("mnEnviarPrg");
        QStringList said;
        for (qsizetype i = 0; i < f.prompts.asked().size(); ++i)
            said << f.said(i);
        QTEST(said, "said");
        QFETCH(QStringList, frames);
        QTRY_COMPARE(f.frames(), frames);
        // every attempt sends the 256 program bytes with a date of its own, never the old date
        for (const QByteArray& frame : f.sim.received())
            if (frame.size() > 7)
                QCOMPARE(frame.left(256),
                         QByteArray(reinterpret_cast<const char*>(f.editor->ProgramImage.data()), 256));
        QCOMPARE(f.editor->focusWidget(), f.txt()); // the focus returns there when the window is active
    }

    void twoDownloadsCompileOnce()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.setText(u"ld e1\nend"_s);
        f.prompts.answerMessage(Prompts::No);
        f.prompts.answerMessage(Prompts::No);
        f.trigger("mnEnviarPrg");
        QVERIFY(f.editor->CompiledCurrent);
        // the bar a file load left full is not shown while sending
        f.child<QLineEdit>("txtProgreso")->setText(u"99.84%"_s);
        QStringList shown;
        auto* watch = new QTimer(f.editor.get());
        QObject::connect(watch, &QTimer::timeout, [&f, &shown] {
            if (f.child<QWidget>("frProgreso")->isVisible())
                shown << f.child<QLineEdit>("txtProgreso")->text();
        });
        watch->start(5);
        f.editor->toolAction(8)->trigger();
        delete watch;
        QVERIFY(!shown.isEmpty() && !shown.contains(u"99.84%"_s));
        QCOMPARE(f.frames(), (QStringList{u"00 50 00 00 01 09 58"_s, u"06 00 0f 00 ... (258)"_s,
                                          u"00 50 00 00 01 09 58"_s, u"06 00 0f 00 ... (258)"_s}));
    }

    void nothingSentWithoutAProgram_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("answers"); // a button, a file name, or "-" for a cancelled dialog
        QTest::addColumn<QStringList>("said");
        const QString save = u"Salvar archivo | El Archivo  no ha sido salvado.\r\n¨Salvar ahora?"_s;
        // a compile that fails keeps its own report and sends nothing
        QTest::newRow("compile fails")
            << "mnEnviarPrg" << QStringList{u"Ok"_s}
            << QStringList{
                   u"Error | Error en linea\r\nld 300\r\nEl argumento \"300\" es mayor que el máximo (255)"_s};
        // the loaded program would replace the text: the question comes first
        QTest::newRow("object file, dialog cancelled")
            << "mnEnviarBin" << QStringList{u"No"_s, u"-"_s}
            << QStringList{save, u"Cargar programa compilado | *.obj|*.obj"_s};
        QTest::newRow("Ladder file, dialog cancelled")
            << "mnEnviarBld" << QStringList{u"No"_s, u"-"_s}
            << QStringList{save, u"Cargar programa compilado del Ladder | *.bld|*.bld"_s};
        QTest::newRow("Ladder file unreadable")
            << "mnEnviarBld" << QStringList{u"No"_s, u"none.bld"_s, u"Ok"_s}
            << QStringList{save, u"Cargar programa compilado del Ladder | *.bld|*.bld"_s,
                           u"No se puede cargar:"_s};
        QTest::newRow("save refused") << "mnEnviarBin" << QStringList{u"Yes"_s, u"-"_s}
                                      << QStringList{save, u"Salvar como | Programas *.PRG|*.PRG"_s};
    }
    void nothingSentWithoutAProgram()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, said);
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.setText(u"ld 300"_s);
        const QMap<QString, Prompts::Button> buttons{
            {u"Ok"_s, Prompts::Ok}, {u"Yes"_s, Prompts::Yes}, {u"No"_s, Prompts::No}};
        for (const QString& a : answers) {
            if (buttons.contains(a))
                f.prompts.answerMessage(buttons[a]);
            else
                f.prompts.answerFile(a == u"-" ? std::nullopt : std::optional<QString>(f.path(a)));
        }
        f.trigger(qPrintable(command));
        QStringList got;
        for (qsizetype i = 0; i < f.prompts.asked().size(); ++i)
            got << f.said(i).left(said.value(i).size());
        QCOMPARE(got, said);
        QCOMPARE(f.txt()->toPlainText(), u"ld 300"_s);
        QTest::qWait(50);
        QCOMPARE(f.frames(), QStringList());
    }

    void ladderFileSentThenTranslated()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        QVERIFY(f.write(u"p.BLD"_s, QByteArray("ladder\n") + QByteArray::fromHex("06000b080f")));
        f.prompts.answerFile(f.path(u"p.BLD"_s));
        f.prompts.answerMessage(Prompts::No);
        f.trigger("mnEnviarBld");
        QCOMPARE(f.frames(), (QStringList{u"00 50 00 00 01 0a 5b"_s, u"06 00 0b 08 ... (258)"_s}));
        QCOMPARE(f.txt()->toPlainText(), u"        LD e1\n        OUT s1\n        END\n\n"_s);
    }

    void portThatCannotBeOpened()
    {
        EditorFixture f;
        f.write(u"dmk38.ini"_s, "[Puertos]\r\nCOM2=/dev/ttyNoSuch\r\n");
        f.prompts.answerMessage(Prompts::Ok); // at start-up, the port the settings chose
        f.prompts.answerMessage(Prompts::Ok); // the download explains it once more
        f.prompts.answerMessage(Prompts::Retry);
        f.prompts.answerMessage(Prompts::Cancel);
        QVERIFY(f.start());
        f.editor->waits().setScale(0.05);
        f.setText(u"end"_s);
        f.trigger("mnEnviarPrg");
        QStringList said;
        for (qsizetype i = 0; i < f.prompts.asked().size(); ++i)
            said << f.said(i).section(u'\n', 0, 0);
        const QString port = u"Error 8002 | Error de comunicacion 8002\r"_s;
        const QString none = u"Error de comunicación | No hay respuesta del PLC"_s;
        QCOMPARE(said, (QStringList{port, port, none, none}));
        QVERIFY(f.prompts.asked()[0].text.contains(u"/dev/ttyNoSuch no existe"));
        QVERIFY(
            f.prompts.asked()[0].text.endsWith(u"Opciones → Puertos serie..."_s)); // where to choose another
        QCOMPARE(f.prompts.asked()[0].icon, Prompts::Icon::Exclamation);
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

    void runAndStopButtons()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.trigger("mnRunRet");
        f.editor->toolAction(10)->trigger();
        QCOMPARE(f.panel(6), u"Ejecutando programa"_s);
        f.editor->toolAction(11)->trigger(); // "Apagar salidas al detener" is marked at start
        QCOMPARE(f.panel(6), u"PLC detenido"_s);
        f.trigger("mnSalsOff");
        f.trigger("mnRun0");
        f.trigger("mnStop");
        f.trigger("mnRun");
        QTRY_COMPARE(f.frames(), (QStringList{u"00 43 02 00 00 00 41"_s, u"00 44 01 00 00 00 45"_s,
                                              u"00 44 00 00 00 00 44"_s, u"00 43 00 00 00 00 43"_s}));
        QCOMPARE(f.action("mnCom2")->toolTip(), f.sim.device());
        QCOMPARE(f.action("mnCom3")->toolTip(), f.pty.path());
        // a frame that could not be written is told (its device went away), and not reported as done
        f.sim.process().kill();
        QVERIFY(f.sim.process().waitForFinished(5000));
        f.prompts.answerMessage(Prompts::Ok);
        f.editor->toolAction(10)->trigger();
        QVERIFY(f.said().startsWith(u"Error 8002 | Error de comunicacion 8002\r\n"_s + f.sim.device() +
                                    u" no existe"_s));
        QCOMPARE(f.panel(6), u"PLC detenido"_s);
    }

    void serialPortsWindow()
    {
        PlcFixture f;
        testutil::SimProcess other;
        QVERIFY(f.sim.start() && other.start());
        const QByteArray ini = "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=" + f.sim.device().toLocal8Bit() +
                               "\r\n; by hand\r\nCOM5=/dev/ttyNoSuch\r\n[Other]\r\nx=1\r\n";
        QVERIFY(f.write(u"dmk38.ini"_s, ini));
        QVERIFY(f.start());
        f.editor->waits().setScale(0.05);
        QVERIFY(f.action("mnCom5")->text().endsWith(u"/dev/ttyNoSuch  (no está)"_s));
        const QString byId = u"/dev/serial/by-id/usb-FTDI_FT232R_A123-if00-port0"_s;
        f.editor->setPortLister([byId] {
            return QList<plclink::PortInfo>{
                {u"/dev/ttyUSB0"_s, byId, u"FT232R USB UART"_s, u"FTDI"_s, u"A123"_s}};
        });
        auto open = [&f] {
            f.trigger("mnPuertosSerie");
            return f.editor->findChild<QDialog*>(u"Puertos"_s);
        };
        QDialog* w = open();
        QVERIFY(w && w->isVisible());
        auto row = [w](const char* name, int n) {
            return w->findChild<QWidget*>(QLatin1String(name) + QString::number(n));
        };
        auto* cb2 = qobject_cast<QComboBox*>(row("cbPuerto", 2));
        auto* cb3 = qobject_cast<QComboBox*>(row("cbPuerto", 3));
        QCOMPARE(cb2->currentText(), f.sim.device());
        QCOMPARE(cb3->itemText(1), byId); // the stable name first, then the device
        QCOMPARE(cb3->itemText(2), u"/dev/ttyUSB0"_s);
        cb3->setCurrentIndex(1);
        QVERIFY(qobject_cast<QLabel*>(row("lbInfo", 3))->text().contains(u"FT232R USB UART · FTDI · A123"_s));
        // the test asks the PLC on that device, also the one the editor holds
        qobject_cast<QPushButton*>(row("cmdProbar", 2))->click();
        QVERIFY2(w->findChild<QLabel*>(u"lbResultado"_s)->text().contains(u"respondió"_s),
                 qPrintable(w->findChild<QLabel*>(u"lbResultado"_s)->text()));
        QCOMPARE(f.sim.lastReceived().toHex(' '), QByteArray("01 08 03 00 03 00 09"));
        qobject_cast<QPushButton*>(row("cmdProbar", 4))->click(); // COM4's default device
        QVERIFY(w->findChild<QLabel*>(u"lbResultado"_s)->text().startsWith(u"COM4: /dev/ttyS3 "_s));

        // Cancelar changes nothing
        cb2->setEditText(other.device());
        w->reject();
        QCOMPARE(f.read(u"dmk38.ini"_s), ini);
        // Aceptar writes the changed entries only; the port in use is opened on its new device
        w = open();
        qobject_cast<QComboBox*>(row("cbPuerto", 2))->setEditText(other.device());
        qobject_cast<QComboBox*>(row("cbPuerto", 3))->setCurrentIndex(1);
        qobject_cast<QComboBox*>(row("cbPuerto", 5))->setEditText(QString());
        w->accept();
        QCOMPARE(f.read(u"dmk38.ini"_s),
                 "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=" + other.device().toLocal8Bit() +
                     "\r\n; by hand\r\nCOM5=\r\nCOM3=" + byId.toLatin1() + "\r\n[Other]\r\nx=1\r\n");
        QCOMPARE(f.action("mnCom3")->toolTip(), byId);
        f.trigger("mnRun");
        QTRY_COMPARE(other.received().value(0).toHex(' '), QByteArray("00 43 00 00 00 00 43"));
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
        const auto& asked = f.prompts.asked();
        QCOMPARE(asked.size(), typed.size());
        QCOMPARE(asked[0].title, u"N§ de identificaci¢n"_s);
        QCOMPARE(asked[0].text, u" N£mero de identificador del PLC: entre 1 y 255\r\n"_s);
        QCOMPARE(asked[0].defaultText, u" 7"_s);
        if (asked.size() > 1)
            QCOMPARE(asked[1].text.section(u"\r\n"_s, 1), u"El valor "_s + typed[0] + u" es incorecto!."_s);
    }
};

QTEST_MAIN(TestEditorPlc)
#include "tst_editor_plc.moc"
