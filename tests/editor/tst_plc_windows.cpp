// The upload, monitor and preset windows against mk38sim, driven through their controls.
#include "Colorset.h"
#include "Exchanges.h"
#include "Monitor.h"
#include "PlcTest.h"
#include "Precnt.h"
#include "Recprg.h"
#include "ScriptedPlc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {
// Clicks "&Detener" once the simulator has seen polls more frames, however slow the machine.
void stopAfter(testutil::SimProcess& sim, QWidget* monitor, qsizetype polls)
{
    auto* t = new QTimer(monitor);
    const qsizetype until = sim.received().size() + polls;
    QObject::connect(t, &QTimer::timeout, monitor, [&sim, monitor, t, until] {
        if (sim.received().size() < until)
            return;
        t->deleteLater();
        monitor->findChild<QPushButton*>(QStringLiteral("cmdDetener"))->click();
    });
    t->start(10);
}

template <class T = QWidget> T* in(QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}
int colour(QWidget* w, QPalette::ColorRole role)
{
    const QColor c = w->palette().color(role);
    for (int i = 0; i < Colorset::kSwatches; ++i)
        if (paletteColor(i) == c)
            return i;
    return -1;
}
const QByteArray kProgram = QByteArray::fromHex("06000b080f");
} // namespace

class TestPlcWindows : public QObject
{
    Q_OBJECT

private slots:
    void upload_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QStringList>("answers"); // a button, a file name, or "-" for a cancelled dialog
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<bool>("replaced");   // ProgramImage holds what the PLC sent
        QTest::addColumn<bool>("translated"); // and the text its translation
        const QString fail =
            u"Reintentar | La recepción fue copleta pero con errores.\r\nNo da la verificaci¢n de integridad.\r\n"_s;
        const QString save = u"Salvar programa extraido como | *.OBJ|*.OBJ"_s;
        const QString ask = u"Salvar archivo | El Archivo mine.prg no ha sido salvado.\r\n¨Salvar ahora?"_s;
        QTest::newRow("received, saved")
            << "" << false << QStringList{u"up"_s} << QStringList{save} << true << true;
        QTest::newRow("save cancelled")
            << "" << false << QStringList{u"-"_s} << QStringList{save} << true << true;
        // a failed upload leaves the program the editor holds alone, unless the user ignores it
        QTest::newRow("checksum wrong, aborted")
            << "badxor:0.5" << false << QStringList{u"Abort"_s} << QStringList{fail} << false << false;
        QTest::newRow("checksum wrong, ignored") << "badxor:0.5" << false << QStringList{u"Ignore"_s, u"-"_s}
                                                 << QStringList{fail, save} << true << true;
        // unsaved text is asked about; No keeps it, and the program could still be saved
        QTest::newRow("unsaved text kept")
            << "" << true << QStringList{u"-"_s, u"No"_s} << QStringList{save, ask} << true << false;
        // an existing file is replaced only when the user says so
        QTest::newRow("existing file kept") << "" << false << QStringList{u"old.obj"_s, u"No"_s}
                                            << QStringList{save, u"Sobreescribir"_s} << true << true;
        // a probe answer that does not check is no communication
        QTest::newRow("probe answer wrong")
            << "badxor" << false << QStringList{u"Cancel"_s}
            << QStringList{u"Reintentar | No hay comunicaci¢n con el PLC.\r\nVerifique los elementos de\r\n"
                           u"comunicaci¢n (N§ puerto, cable,\r\nId, contrase¤a, etc.)\r\n\r\n¨ Reintentar ?"_s}
            << false << false;
    }
    void upload()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, answers);
        QFETCH(bool, replaced);
        QFETCH(bool, translated);
        PlcFixture f({u"--password"_s, u"00A5"_s});
        QVERIFY(f.startWithSim());
        // the program in the PLC, stamped 5 Sep 2006 (date word 0x2C86)
        isa::ProgramImage image{};
        std::copy(kProgram.begin(), kProgram.end(), image.begin());
        QCOMPARE(plclink::download(f.editor->link(), image, QDate(2006, 9, 5)).outcome,
                 plclink::DownloadOutcome::Received);
        if (!fault.isEmpty())
            f.sim.command("fault " + fault.toLatin1());
        f.setText(u"; mine"_s);
        QFETCH(bool, modified);
        f.editor->ProgramModified = modified;
        f.editor->CurrentFileName = u"mine.prg"_s;
        f.editor->ProgramImage.fill(0x33);
        const isa::ProgramImage before = f.editor->ProgramImage;
        f.write(u"old.obj"_s, "old");

        const QMap<QString, Prompts::Button> buttons{{u"Abort"_s, Prompts::Abort},
                                                     {u"Ignore"_s, Prompts::Ignore},
                                                     {u"Cancel"_s, Prompts::Cancel},
                                                     {u"No"_s, Prompts::No}};
        for (const QString& a : answers) {
            if (buttons.contains(a))
                f.prompts.answerMessage(buttons[a]);
            else
                f.prompts.answerFile(a == u"-" ? std::nullopt : std::optional<QString>(f.path(a)));
        }
        f.trigger("mnRecibir");
        auto* w = f.editor->findChild<Recprg*>();
        QVERIFY(w && w->isVisible());
        in<QLineEdit>(w, "txtPass")->setText(u"a5"_s); // two digits: padded, the low byte
        in<QPushButton>(w, "cmdRecibir")->click();
        QFETCH(QStringList, said);
        QStringList got;
        for (qsizetype i = 0; i < f.prompts.asked().size(); ++i)
            got << f.said(i).left(said.value(i).size());
        QCOMPARE(got, said);
        QCOMPARE(in<QLineEdit>(w, "txtPass")->text(), u"00A5"_s);
        QVERIFY(in<QPushButton>(w, "cmdRecibir")->isEnabled());
        QCOMPARE(f.editor->ProgramImage != before, replaced);
        // the program received goes with the text only when the text is its translation
        QCOMPARE(f.editor->CompiledCurrent, false);
        QCOMPARE(f.txt()->toPlainText() != u"; mine"_s, translated);
        if (translated) {
            QVERIFY(f.editor->CurrentFileName.isEmpty());
            QVERIFY(
                in<QPlainTextEdit>(w, "txtRecibir")
                    ->toPlainText()
                    .endsWith(u"\n...recibido !.\nFecha del programa:\n  Día 5\n  Mes 9\n  Año 2006\n"_s));
            QCOMPARE(in<QPushButton>(w, "cmdCancelar")->text(), u"&Salir"_s);
        }
        QCOMPARE(f.read(u"old.obj"_s), QByteArray("old"));
        if (answers.contains(u"up"_s)) {
            const QByteArray obj = f.read(u"up"_s).isEmpty() ? f.read(u"up.obj"_s) : f.read(u"up"_s);
            QVERIFY(obj.startsWith(" - ") && obj.endsWith(kProgram + QByteArray(251, '\0')));
        }
        w->close();
        QTRY_COMPARE(f.editor->focusWidget(), f.txt());
    }

    void uploadDumpAndStations()
    {
        PlcFixture f({u"--id"_s, u"9"_s});
        QVERIFY(f.startWithSim());
        f.editor->DebugMode = true;
        f.prompts.answerFile(std::nullopt);
        f.trigger("mnRecibir");
        auto* w = f.editor->findChild<Recprg*>();
        QCOMPARE(in<QComboBox>(w, "cbId")->currentText(), u" 1"_s);
        in<QComboBox>(w, "cbId")->setCurrentIndex(8); // the identifier chosen, not its place in the list
        in<QPushButton>(w, "cmdRecibir")->click();
        QCOMPARE(f.sim.lastReceived().toHex(' '), QByteArray("09 52 7e 4b 00 00 6e"));
        in<QCheckBox>(w, "chkTodos")->setChecked(true); // every station: 0, whatever the list shows
        QVERIFY(!in<QComboBox>(w, "cbId")->isEnabled());
        f.prompts.answerFile(std::nullopt);
        f.prompts.answerMessage(Prompts::No); // the translation of the first one is not saved
        in<QPushButton>(w, "cmdRecibir")->click();
        QCOMPARE(f.sim.lastReceived().toHex(' '), QByteArray("00 52 7e 4b 00 00 67"));
        const QStringList lines = in<QPlainTextEdit>(w, "txtRecibir")->toPlainText().split(u'\n');
        const qsizetype header = lines.indexOf(u"0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "_s);
        QVERIFY(header > 0);
        QCOMPARE(lines[1], u" 9 8 0 0 0 0 1"_s); // the probe answer, byte by byte
        QCOMPARE(lines.mid(header + 1, 17).filter(QRegularExpression(u"^([0-9A-F]{2} ){16}$"_s)).size(), 17);
        QCOMPARE(lines.value(header + 17), u"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "_s);
        QCOMPARE(lines.value(header + 18), u"Rta%= 0  Chk%= 0  del PLC= 0"_s);
        w->close();
    }

    void monitorLamps_data()
    {
        QTest::addColumn<QStringList>("console");
        QTest::addColumn<QString>("inputs");  // G lit green, - dark
        QTest::addColumn<QString>("outputs"); // R lit light red, - dark
        QTest::addColumn<QString>("values");
        QTest::newRow("inputs 0x05, output 0 on")
            << QStringList{u"in 0 1"_s, u"in 2 1"_s, u"out 0 1"_s, u"var 0 0x81"_s} << "G-G-----"
            << "R-----"
            << " 1  0x81, 0  0x0, 0  0x0, 0  0x0";
        QTest::newRow("every output off") << QStringList{u"var 3 0xFE"_s} << "--------"
                                          << "------"
                                          << " 0  0x0, 0  0x0, 0  0x0, 0  0xFE";
    }
    void monitorLamps()
    {
        QFETCH(QStringList, console);
        PlcFixture f;
        QVERIFY(f.startWithSim());
        for (const QString& line : console)
            f.sim.command(line.toLatin1());
        f.editor->DebugMode = true;
        f.editor->toolAction(12)->trigger();
        auto* w = f.editor->findChild<Monitor*>();
        QCOMPARE(in<QLabel>(w, "lbVar0")->text(), u"e1"_s);
        QCOMPARE(in<QScrollBar>(w, "VScroll1")->maximum(),
                 f.editor->cbVariables.size() - 4); // the last four in view
        stopAfter(f.sim, w, 2);
        in<QPushButton>(w, "cmdRecibir")->click(); // polls until stopped
        QString inputs, outputs;
        for (int i = 0; i < 8; ++i) {
            auto* lamp = in(w, qPrintable(u"lbEntradas%1"_s.arg(i)));
            inputs += colour(lamp, QPalette::Window) == 2   ? u'G'
                      : colour(lamp, QPalette::Window) == 7 ? u'-'
                                                            : u'?';
        }
        for (int i = 0; i < 6; ++i) {
            auto* lamp = in(w, qPrintable(u"lbSalidas%1"_s.arg(i)));
            outputs += colour(lamp, QPalette::Window) == 12  ? u'R'
                       : colour(lamp, QPalette::Window) == 7 ? u'-'
                                                             : u'?';
        }
        QTEST(inputs, "inputs");
        QTEST(outputs, "outputs");
        QStringList values;
        for (int i = 0; i < 4; ++i)
            values << in<QLabel>(w, qPrintable(u"lbRta%1"_s.arg(i)))->text();
        QTEST(values.join(u','), "values");
        QCOMPARE(colour(in(w, "lbRta0"), QPalette::WindowText), console.size() > 1 ? 4 : 1); // bit 0 set: red
        QVERIFY(in(w, "cmdRecibir")->isVisible() && !in(w, "cmdDetener")->isVisible());
        // a bad variable answer keeps the last values, in cyan; a bad answer closes the port
        f.sim.command("fault badxor:0.5"); // the input/output answer sound, the variables' not
        stopAfter(f.sim, w, 2);
        in<QPushButton>(w, "cmdRecibir")->click();
        QCOMPARE(colour(in(w, "lbRta3"), QPalette::WindowText), 3);
        QCOMPARE(colour(in(w, "lbRx"), QPalette::Window), 12);
        QCOMPARE(in<QLabel>(w, "lbRta3")->text(), values.last());
        QVERIFY(!f.editor->link().isOpen());
        // a poll whose answer was bad is asked again before the other kind
        f.sim.command("fault badxor");
        const qsizetype before = f.sim.received().size();
        stopAfter(f.sim, w, 2);
        in<QPushButton>(w, "cmdRecibir")->click();
        QCOMPARE(colour(in(w, "lbEntradas0"), QPalette::WindowText), 3);
        const QList<QByteArray> polls = f.sim.received().mid(before);
        QVERIFY(polls.size() >= 2 && polls[0] == polls[1]);
        w->close();
    }

    void closedMidExchangeOpensAgainInWorkingOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>(
            "moment"); // wait: in the first wait; later: after two frames; answer: while it arrives
        for (const char* w : {"Monitor", "Recprg", "Precnt"})
            for (const char* m : {"wait", "later", "answer"})
                QTest::addRow("%s, %s", w, m) << QString::fromLatin1(w) << QString::fromLatin1(m);
    }
    void closedMidExchangeOpensAgainInWorkingOrder()
    {
        QFETCH(QString, window);
        QFETCH(QString, moment);
        PlcFixture f(moment == u"answer" ? QStringList{u"--pace"_s} : QStringList{});
        QVERIFY(f.startWithSim());
        f.editor->waits().setScale(0.2); // room for a paced answer
        auto* closer = new QTimer(f.editor.get());
        const qsizetype frames = f.sim.received().size(), answers = f.sim.sent().size();
        QObject::connect(closer, &QTimer::timeout, f.editor.get(), [&f, closer, moment, frames, answers] {
            const bool now = moment == u"wait" ||
                             (moment == u"later" && f.sim.received().size() >= frames + 2) ||
                             (moment == u"answer" && f.sim.sent().size() > answers);
            if (!now)
                return;
            closer->stop();
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->close();
        });
        closer->start(1);
        const QString menu = window == u"Monitor"  ? u"mnMonitor"_s
                             : window == u"Recprg" ? u"mnRecibir"_s
                                                   : u"mnPresetCnt"_s;
        f.trigger(qPrintable(menu)); // the preset window reads as it opens
        auto* w = f.editor->findChild<QDialog*>(window);
        QVERIFY(w);
        if (window != u"Precnt")
            in<QPushButton>(w, "cmdRecibir")->click();
        QTRY_VERIFY(!w->isVisible());
        QTRY_VERIFY(!f.editor->link().busy());
        delete closer;

        // opened again: idle, and a whole exchange works (a paced program answer takes 1.07 s)
        f.editor->waits().setScale(moment == u"answer" ? 0.6 : 0.2);
        f.prompts.answerFile(std::nullopt);
        f.trigger(qPrintable(menu));
        QVERIFY(w->isVisible());
        if (window == u"Monitor") {
            QVERIFY(in(w, "cmdRecibir")->isVisible() && in(w, "cmdSalirMonitor")->isVisible());
            QVERIFY(!in(w, "cmdDetener")->isVisible());
            stopAfter(f.sim, w, 2);
            in<QPushButton>(w, "cmdRecibir")->click();
            QCOMPARE(colour(in(w, "lbRx"), QPalette::Window), 2);
        } else if (window == u"Recprg") {
            QVERIFY(in(w, "cmdRecibir")->isEnabled());
            in<QPushButton>(w, "cmdRecibir")->click();
            QVERIFY2(in<QPlainTextEdit>(w, "txtRecibir")->toPlainText().contains(u"...recibido !."_s),
                     qPrintable(in<QPlainTextEdit>(w, "txtRecibir")->toPlainText() + f.said(0)));
        } else {
            QCOMPARE(in<QLineEdit>(w, "txtCnt9")->text(), u"100"_s);
            QCOMPARE(in<QLabel>(w, "lbMsg")->text(), QString());
        }
        w->close();
    }

    void presetLampFollowsThePairJustRead_data()
    {
        // the window alone, on its small context, against a PLC scripted pair by pair
        QTest::addColumn<QList<bool>>("sound"); // the answers in order
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("lamp"); // the receive lamp's red at the end
        QTest::newRow("last pair unread")
            << QList<bool>{true, true, true, true, false, false, false} << "0,1,2,3,4,5,6,7,????,????" << 255;
        QTest::newRow("first pair unread")
            << QList<bool>{false, false, false, true, true, true, true} << "????,????,2,3,4,5,6,7,8,9" << 0;
    }
    void presetLampFollowsThePairJustRead()
    {
        QFETCH(QList<bool>, sound);
        testutil::ScriptedPlc plc;
        int pair = 0;
        for (qsizetype i = 0; i < sound.size(); ++i) {
            QByteArray answer("\x01\x08", 2);
            answer += char(2 * pair) + QByteArray(1, 0) + char(2 * pair + 1) + QByteArray(1, 0);
            answer += char(plclink::XorChecksum(answer) ^ (sound[i] ? 0 : 0xFF));
            plc.script << qMakePair(int(7 * (i + 1)), answer);
            pair += sound[i] || (i >= 2 && !sound[i - 1] && !sound[i - 2]) ? 1 : 0;
        }
        plclink::Waits waits(0.5); // room for the scripted answers on a loaded machine
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(plc.pty.path()));
        Precnt w({link, [] { return 1; }, [] { return false; }, [] { return QStringList(); }}, nullptr);
        w.begin();
        QStringList boxes;
        for (int i = 0; i < 10; ++i)
            boxes << in<QLineEdit>(&w, qPrintable(u"txtCnt%1"_s.arg(i)))->text();
        QTEST(boxes.join(u','), "boxes");
        QTEST(in(&w, "lbRx")->palette().color(QPalette::Window).red(), "lamp");
    }

    void presets()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim("ID=1\r\n"));
        f.trigger("mnPresetCnt");
        auto* w = f.editor->findChild<Precnt*>();
        QVERIFY(w && w->isVisible());
        auto box = [w](int i) { return in<QLineEdit>(w, qPrintable(u"txtCnt%1"_s.arg(i))); };
        QStringList shown;
        for (int i = 0; i < 10; ++i)
            shown << box(i)->text();
        QCOMPARE(shown.join(u','), u"1,1,1,1,10,10,10,10,100,100"_s); // read at once
        QCOMPARE(in<QLabel>(w, "lbMsg")->text(), QString());

        // a box that is no value is never written: the message, the focus on it, nothing sent
        box(3)->setText(u""_s);
        box(5)->setText(u"????"_s);
        const qsizetype before = f.sim.received().size();
        f.prompts.answerMessage(Prompts::Ok);
        in<QPushButton>(w, "cmdPreset")->click();
        QCOMPARE(f.said(), u"Error | Valores admisibles entre 0 y 65535"_s);
        QTRY_VERIFY(box(3)->hasFocus());
        QCOMPARE(f.sim.received().size(), before);

        in<QPushButton>(w, "cmdZero")->click(); // fills, sends nothing
        QCOMPARE(f.sim.received().size(), before);
        box(0)->setText(u"300"_s);
        in<QPushButton>(w, "cmdPreset")->click();
        const QList<QByteArray> frames = f.sim.received().mid(before);
        QCOMPARE(frames.size(), 16);
        QCOMPARE(frames[0].toHex(' '), QByteArray("01 09 36 00 2c 01 13")); // the box as typed
        QCOMPARE(box(0)->text(), u"300"_s);
        QCOMPARE(box(9)->text(), u"0"_s);

        // silent from the third pair on: every box unread, also those read before; the message says where
        f.sim.command("fault silence:0.4");
        in<QPushButton>(w, "cmdReLeer")->click();
        QCOMPARE(box(0)->text(), u"????"_s);
        QCOMPARE(box(9)->text(), u"????"_s);
        QCOMPARE(in<QLabel>(w, "lbMsg")->text(), u"Leyendo 2"_s);
        w->close();
    }
};

QTEST_MAIN(TestPlcWindows)
#include "tst_plc_windows.moc"
