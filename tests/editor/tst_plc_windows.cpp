// SPDX-License-Identifier: GPL-3.0-or-later
// The upload, monitor and preset windows against mk38sim, driven through their controls.
#include "Colorset.h"
#include "Exchanges.h"
#include "Monitor.h"
#include "PlcTest.h"
#include "Precnt.h"
#include "Recprg.h"
#include "ScriptedPlc.h"

using namespace Qt::StringLiterals;

namespace {
template <class T = QWidget> T* in(QWidget* window, QAnyStringView name)
{
    return window->findChild<T*>(name.toString());
}
// "&Recibir" polls until "&Detener", clicked once the simulator saw two frames more, however slow the
// machine.
void poll(testutil::SimProcess& sim, QWidget* monitor)
{
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [&sim, &stop, monitor, until = sim.received().size() + 2] {
        if (sim.received().size() >= until) {
            stop.stop();
            in<QPushButton>(monitor, "cmdDetener")->click();
        }
    });
    stop.start(10);
    in<QPushButton>(monitor, "cmdRecibir")->click();
    QTRY_VERIFY_WITH_TIMEOUT(in(monitor, "cmdRecibir")->isVisible() || !monitor->isVisible(), 20000);
}
// A widget's colour as its palette index, -1 for none.
int colour(QWidget* w, QPalette::ColorRole role = QPalette::Window)
{
    for (int i = 0; i < Colorset::kSwatches; ++i)
        if (paletteColor(i) == w->palette().color(role))
            return i;
    return -1;
}
// What widgets name0 .. name<n - 1> show, joined by ","; or with colours, their backgrounds as hex digits.
QString row(QWidget* w, const QString& name, int n, bool colours = false)
{
    QStringList all;
    for (int i = 0; i < n; ++i) {
        QWidget* item = in(w, name + QString::number(i));
        all << (colours ? QString::number(colour(item), 16) : item->property("text").toString());
    }
    return all.join(colours ? u""_s : u","_s);
}
} // namespace

class TestPlcWindows : public QObject
{
    Q_OBJECT

private slots:
    // The upload's questions and what it leaves in the editor, from the station chosen or from every one.
    void uploadDumpAndStations_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("editor");  // "unsaved" text; "debug": every station, the bytes shown
        QTest::addColumn<QString>("answers"); // buttons, file names, or "-" for a cancelled dialog
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<bool>("translated"); // the text is the program received
        auto add = [](const char* tag, const char* fault, const char* editor, const char* answers,
                      const QStringList& said, bool translated) {
            QTest::newRow(tag) << fault << editor << answers << said << translated;
        };
        const QString fail = u"Reintentar | La recepción fue copleta pero con errores.\r\n"
                             u"No da la verificaci¢n de integridad.\r\n"_s;
        const QString save = u"Salvar programa extraido como | *.OBJ|*.OBJ"_s;
        const QString ask = u"Salvar archivo | El Archivo mine.prg no ha sido salvado.\r\n¨Salvar ahora?"_s;
        add("received, saved", "none", "", "up", {save}, true);
        // a failed upload leaves the program the editor holds alone, unless the user ignores it
        add("checksum wrong, aborted", "badxor:0.5", "", "Abort", {fail}, false);
        add("checksum wrong, ignored, every station", "badxor:0.5", "debug", "Ignore -", {fail, save}, true);
        // unsaved text is asked about; No keeps it, and the program could still be saved
        add("unsaved text kept", "none", "unsaved", "- No", {save, ask}, false);
        // an existing file is replaced only when the user says so
        add("existing file kept", "none", "", "old.obj No", {save, "Sobreescribir…"}, true);
        // a probe answer that does not check is no communication
        add("probe answer wrong", "badxor", "", "Cancel",
            {"Reintentar | No hay comunicaci¢n con el PLC.\r\nVerifique los elementos de\r\ncomunicaci¢n "
             "(N§ puerto, cable,\r\nId, contrase¤a, etc.)\r\n\r\n¨ Reintentar ?"},
            false);
    }
    void uploadDumpAndStations()
    {
        QFETCH(QString, editor);
        QFETCH(QString, answers);
        QFETCH(QStringList, said);
        const bool debug = editor == u"debug";
        // the PLC is station 9, the ninth in the list; its program is stamped 5 Sep 2006 (date word 0x2C86)
        PlcFixture f({u"--password"_s, u"00A5"_s, u"--id"_s, u"9"_s});
        QVERIFY(f.startWithSim("ID=9\r\n"));
        QCOMPARE(plclink::download(f.editor->link(), {6, 0, 11, 8, 15}, QDate(2006, 9, 5)).outcome,
                 plclink::DownloadOutcome::Received);
        QFETCH(QString, fault);
        f.sim.command("fault " + fault.toLatin1());
        f.setText(u"; mine"_s);
        f.editor->ProgramModified = editor == u"unsaved";
        f.editor->CompiledCurrent = true;
        f.editor->DebugMode = debug;
        f.editor->CurrentFileName = u"mine.prg"_s;
        f.editor->ProgramImage.fill(0x33);
        const isa::ProgramImage before = f.editor->ProgramImage;
        f.write(u"old.obj"_s, "old");
        f.answer(answers.split(u' '));
        f.trigger("mnRecibir");
        auto* w = f.editor->findChild<Recprg*>();
        QVERIFY(w && w->isVisible());
        in<QCheckBox>(w, "chkTodos")->setChecked(debug); // station 0, whatever the list shows
        QCOMPARE(in(w, "cbId")->isEnabled(), !debug);
        in<QLineEdit>(w, "txtPass")->setText(u"a5"_s); // two digits: padded, the low byte
        in<QPushButton>(w, "cmdRecibir")->click();
        QCOMPARE(f.saidAll(said), said);
        QCOMPARE(f.sim.lastReceived().toHex(' ').left(2), debug ? "00" : "09");
        QCOMPARE(in<QLineEdit>(w, "txtPass")->text(), u"00A5"_s);
        QVERIFY(in(w, "cmdRecibir")->isEnabled());
        // a program taken is no longer the text's compile, and goes with the text only as its translation
        const bool taken = said.contains(u"Salvar programa extraido como | *.OBJ|*.OBJ"_s);
        QCOMPARE(f.editor->ProgramImage != before, taken);
        QCOMPARE(f.editor->CompiledCurrent, !taken);
        QFETCH(bool, translated);
        QCOMPARE(f.txt()->toPlainText() != u"; mine"_s, translated);
        QCOMPARE(f.editor->CurrentFileName.isEmpty(), translated);
        const QString shown = in<QPlainTextEdit>(w, "txtRecibir")->toPlainText();
        QCOMPARE(shown.endsWith(u"...recibido !.\nFecha del programa:\n  Día 5\n  Mes 9\n  Año 2006\n"_s),
                 taken);
        QCOMPARE(in<QPushButton>(w, "cmdCancelar")->text(), taken ? u"&Salir"_s : u"&Cancelar"_s);
        if (debug) { // the probe answer byte by byte, the program answer in lines of 16, the checksums
            const QStringList lines = shown.split(u'\n');
            const qsizetype header = lines.indexOf(u"0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "_s);
            QCOMPARE(lines.value(1), u" 9 8 A 0 A 0 1"_s);
            QCOMPARE(lines.mid(header + 1, 17).filter(QRegularExpression(u"^([0-9A-F]{2} ){16}$"_s)).size(),
                     17);
            QCOMPARE(lines.value(header + 17), u"86 2C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "_s);
            QCOMPARE(lines.value(header + 18), u"Rta%= 0  Chk%= 245  del PLC= 10"_s);
        }
        QCOMPARE(f.read(u"old.obj"_s), QByteArray("old"));
        const QByteArray saved = f.read(u"up.obj"_s);
        QCOMPARE(saved.startsWith(" - ") &&
                     saved.endsWith(QByteArray::fromHex("06000b080f") + QByteArray(251, 0)),
                 answers == u"up");
        w->close();
        QTRY_COMPARE(f.editor->focusWidget(), f.txt());
    }

    // "Buscar..." beside the identifier and in the upload window, against a PLC at station 5: the search
    // starts at once over 1..255 with the exchanges disabled, Cancelar stops it after the station in
    // progress, a search of 4..6 finds the PLC, and choosing it sets the identifier or the list.
    void searchStations()
    {
        PlcFixture f({u"--id"_s, u"5"_s});
        QVERIFY(f.startWithSim());
        QStringList seen;
        QTimer stepper;
        int step = 0, last = 0;
        QObject::connect(&stepper, &QTimer::timeout, [&] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!w || w->objectName() != u"Buscar")
                return;
            auto* bar = in<QProgressBar>(w, "pbBuscar");
            if (step == 0 && bar->value() >= 1) {
                seen << u"exchanges %1"_s.arg(f.action("mnRecibir")->isEnabled() ? u"on"_s : u"off"_s);
                in<QPushButton>(w, "cmdCancelar")->click();
                step = 1;
            } else if (step == 1 && in(w, "cmdBuscar")->isEnabled()) {
                // stopped after the station in progress, the one it names
                last = bar->value();
                const QString stopped = in<QLabel>(w, "lbEstado")->text();
                seen << (stopped == u"Búsqueda detenida después del Nº de Id %1."_s.arg(last) && last < 255
                             ? u"stopped"_s
                             : stopped);
                in<QSpinBox>(w, "spDesde")->setValue(4);
                in<QSpinBox>(w, "spHasta")->setValue(6);
                in<QPushButton>(w, "cmdBuscar")->click(); // runs to its end
                auto* list = in<QListWidget>(w, "lstEncontrados");
                seen << in<QLabel>(w, "lbEstado")->text() << list->item(0)->text();
                list->setCurrentRow(0);
                step = 2;
                in<QPushButton>(w, "cmdElegir")->click();
            }
        });
        stepper.start(5);
        // what the search window showed; every station asked: 1 up to the last of the stopped search,
        // then 4..6
        const auto search = [&](const std::function<void()>& start) {
            step = 0;
            seen.clear();
            const qsizetype before = f.sim.received().size();
            start();
            QCOMPARE(seen, (QStringList{u"exchanges off"_s, u"stopped"_s, u"Respondió un PLC."_s,
                                        u"Id 5 (byte de verificación del programa: 0)"_s}));
            QStringList searched{u"4"_s, u"5"_s, u"6"_s};
            for (int i = last; i >= 1; --i)
                searched.prepend(QString::number(i));
            const auto asked = [&f, before] {
                QStringList all;
                for (const QByteArray& frame : f.sim.received().mid(before))
                    all << QString::number(quint8(frame.at(0)));
                return all;
            };
            QTRY_COMPARE(asked(), searched); // the simulator's log may come a little later
        };
        f.prompts.answerInputExtra();
        search([&f] { f.trigger("mnId"); });
        QCOMPARE(f.editor->PlcId, 5);
        QVERIFY(f.action("mnRecibir")->isEnabled());

        // the upload window: every station first, then the one chosen
        f.editor->PlcId = 1;
        f.trigger("mnRecibir");
        auto* r = f.editor->findChild<Recprg*>();
        in<QCheckBox>(r, "chkTodos")->setChecked(true);
        search([r] { in<QPushButton>(r, "cmdBuscar")->click(); });
        QVERIFY(!in<QCheckBox>(r, "chkTodos")->isChecked());
        QCOMPARE(in<QComboBox>(r, "cbId")->currentText(), u" 5"_s);
        r->close();
    }

    void monitorLamps()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        for (const char* line : {"in 0 1", "in 2 1", "out 0 1", "var 0 0x81", "var 3 0xFE"})
            f.sim.command(line);
        f.editor->DebugMode = true;
        f.editor->toolAction(13)->trigger();
        auto* w = f.editor->findChild<Monitor*>();
        QCOMPARE(in<QLabel>(w, "lbVar0")->text(), u"e1"_s);
        QCOMPARE(in<QScrollBar>(w, "VScroll1")->maximum(), f.editor->cbVariables.size() - 4); // 4 in view
        poll(f.sim, w);
        // inputs lit green, outputs (on at a 0 bit) light red, else grey; a value's bit 0 red, else blue
        QCOMPARE(row(w, u"lbEntradas"_s, 8, true) + row(w, u"lbSalidas"_s, 6, true), u"27277777c77777"_s);
        const QString values = row(w, u"lbRta"_s, 4);
        QCOMPARE(values, u" 1  0x81, 0  0x0, 0  0x0, 0  0xFE"_s);
        QCOMPARE(colour(in(w, "lbRta0"), QPalette::WindowText), 4);
        QCOMPARE(colour(in(w, "lbRta3"), QPalette::WindowText), 1);
        QVERIFY(in(w, "cmdRecibir")->isVisible() && !in(w, "cmdDetener")->isVisible());
        // a bad variable answer keeps the last values, in cyan
        f.sim.command("fault badxor:0.5"); // the input/output answer sound, the variables' not
        poll(f.sim, w);
        QCOMPARE(colour(in(w, "lbRta3"), QPalette::WindowText), 3);
        QCOMPARE(row(w, u"lbRta"_s, 4), values);
        // a bad answer lights Rx red, closes the port, and its poll is asked again before the other kind
        f.sim.command("fault badxor");
        const qsizetype before = f.sim.received().size();
        poll(f.sim, w);
        QCOMPARE(colour(in(w, "lbEntradas0"), QPalette::WindowText), 3);
        QCOMPARE(colour(in(w, "lbRx")), 12);
        QVERIFY(!f.editor->link().isOpen());
        const QList<QByteArray> polls = f.sim.received().mid(before);
        QVERIFY(polls.size() >= 2 && polls[0] == polls[1]);
        w->close();
    }

    void closedMidExchangeOpensAgainInWorkingOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>(
            "moment"); // in the first wait, after two frames, or in the (program) answer
        for (const auto& [w, menu] :
             {std::pair{"Monitor", "mnMonitor"}, {"Recprg", "mnRecibir"}, {"Precnt", "mnPresetCnt"}})
            for (const char* m : {"wait", "later", "answer"})
                QTest::addRow("%s, %s", w, m)
                    << QString::fromLatin1(w) << QString::fromLatin1(menu) << QString::fromLatin1(m);
    }
    void closedMidExchangeOpensAgainInWorkingOrder()
    {
        QFETCH(QString, window);
        QFETCH(QString, menu);
        QFETCH(QString, moment);
        PlcFixture f(moment == u"answer" ? QStringList{u"--pace"_s} : QStringList{});
        QVERIFY(f.startWithSim());
        f.editor->waits().setScale(moment == u"answer" ? 1 : 0.05); // a program whose rest is no answer
        QCOMPARE(plclink::download(f.editor->link(), {6, 0, 11, 8, 15}, QDate(2006, 9, 5)).outcome,
                 plclink::DownloadOutcome::Received);
        f.editor->waits().setScale(0.2); // room for a paced answer
        QTimer closer;
        const qsizetype frames = f.sim.received().size(), answers = f.sim.sent().size();
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (moment == u"wait" || (moment == u"later" && f.sim.received().size() >= frames + 2) ||
                (moment == u"answer" && f.sim.sent().size() > answers + (menu == u"mnRecibir"))) {
                closer.stop();
                if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    open->close();
            }
        });
        closer.start(1);
        f.trigger(qPrintable(menu)); // the preset window reads as it opens
        auto* w = f.editor->findChild<QDialog*>(window);
        QVERIFY(w);
        if (menu != u"mnPresetCnt")
            in<QPushButton>(w, "cmdRecibir")->click();
        QTRY_VERIFY(!w->isVisible());
        QTRY_VERIFY(!f.editor->link().busy());
        closer.stop();

        // opened again: idle, and a whole exchange works (a paced program answer takes 1.07 s)
        f.editor->waits().setScale(moment == u"answer" ? 0.6 : 0.2);
        f.prompts.answerFile(std::nullopt);
        f.trigger(qPrintable(menu));
        QVERIFY(w->isVisible());
        if (menu == u"mnMonitor") {
            QVERIFY(in(w, "cmdRecibir")->isVisible() && in(w, "cmdSalirMonitor")->isVisible());
            QVERIFY(!in(w, "cmdDetener")->isVisible());
            poll(f.sim, w);
            QCOMPARE(colour(in(w, "lbRx")), 2);
        } else if (menu == u"mnRecibir") {
            in<QPushButton>(w, "cmdRecibir")->click(); // nothing unless enabled
            QVERIFY(in<QPlainTextEdit>(w, "txtRecibir")->toPlainText().contains(u"...recibido !."_s));
        } else
            QCOMPARE(in<QLineEdit>(w, "txtCnt9")->text() + in<QLabel>(w, "lbMsg")->text(), u"100"_s);
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
        // a sound answer sets the tries back: each pair read at its second try
        QTest::newRow("every second answer bad")
            << QList<bool>{false, true, false, true, false, true, false, true, false, true}
            << "0,1,2,3,4,5,6,7,8,9" << 0;
    }
    void presetLampFollowsThePairJustRead()
    {
        QFETCH(QList<bool>, sound);
        testutil::ScriptedPlc plc;
        for (int i = 0, pair = 0; i < sound.size(); ++i) { // a pair is given up after three bad answers
            const QByteArray answer =
                QByteArray::fromHex("0108") + char(2 * pair) + '\0' + char(2 * pair + 1) + '\0';
            plc.script << qMakePair(7 * i + 7,
                                    answer + char(plclink::XorChecksum(answer) ^ (sound[i] ? 0 : 255)));
            pair += sound[i] || (i >= 2 && !sound[i - 1] && !sound[i - 2]) ? 1 : 0;
        }
        plclink::Waits waits(0.5); // room for the scripted answers on a loaded machine
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(plc.pty.path()));
        Precnt w({link, [] { return 1; }, [] { return false; }, [] { return QStringList(); }}, nullptr);
        w.begin();
        QTEST(row(&w, u"txtCnt"_s, 10), "boxes");
        QTEST(in(&w, "lbRx")->palette().color(QPalette::Window).red(), "lamp");
    }

    void presets()
    {
        PlcFixture f;
        QVERIFY(f.startWithSim());
        f.trigger("mnPresetCnt");
        auto* w = f.editor->findChild<Precnt*>();
        QVERIFY(w && w->isVisible());
        // a box that is no value is never written: the message, the focus on the first, nothing sent
        in<QLineEdit>(w, "txtCnt3")->clear();
        in<QLineEdit>(w, "txtCnt5")->setText(u"????"_s);
        const qsizetype before = f.sim.received().size();
        f.prompts.answerMessage(Prompts::Ok);
        in<QPushButton>(w, "cmdPreset")->click();
        QCOMPARE(f.said(), u"Error | Valores admisibles entre 0 y 65535"_s);
        QTRY_VERIFY(in(w, "txtCnt3")->hasFocus());
        in<QPushButton>(w, "cmdZero")->click(); // fills, sends nothing
        QCOMPARE(f.sim.received().size(), before);
        in<QLineEdit>(w, "txtCnt0")->setText(u"300"_s);
        in<QPushButton>(w, "cmdPreset")->click(); // the boxes as typed to station 1, then read back
        QCOMPARE(f.sim.received().size(), before + 16);
        QCOMPARE(f.sim.received().value(before).toHex(' '), QByteArray("01 09 36 00 2c 01 13"));
        QCOMPARE(row(w, u"txtCnt"_s, 10), u"300,0,0,0,0,0,0,0,0,0"_s);
        // silent from the third pair on: every box unread, also those read before; the message says where
        f.sim.command("fault silence:0.4");
        in<QPushButton>(w, "cmdReLeer")->click();
        QCOMPARE(row(w, u"txtCnt"_s, 10), QStringList(10, u"????"_s).join(u','));
        QCOMPARE(in<QLabel>(w, "lbMsg")->text(), u"Leyendo 2"_s);
        w->close();
    }
};

QTEST_MAIN(TestPlcWindows)
#include "tst_plc_windows.moc"
