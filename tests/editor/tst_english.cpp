// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in English: the language chosen by dmk38.ini or the environment, the windows
// translated so far walked for Spanish left over, and Qt's own texts following the language.
#include "EnglishWalk.h"
#include "Exchanges.h"
#include "HelpWindow.h"
#include "Language.h"
#include "Monitor.h"
#include "PlcTest.h"
#include "Precnt.h"
#include "Recprg.h"
#include "Verificar.h"

using namespace Qt::StringLiterals;

class TestEnglish : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;
    EnglishWalk walk;
    const QString kBin = QStringLiteral(WMK38_BIN_DIR);

    // The build's English catalogue in the editor's folder.
    bool catalogue(const EditorFixture& e) const
    {
        return QDir().mkpath(e.path(u"translations"_s)) &&
               QFile::copy(kBin + u"/translations/wmk38_en.qm"_s, e.path(u"translations/wmk38_en.qm"_s));
    }
    // The editor on a dmk38.ini whose [Set] holds set.
    bool start(const QByteArray& set)
    {
        return catalogue(f ? *f : f.emplace()) && f->write(u"dmk38.ini"_s, "[Set]\r\n" + set) && f->start();
    }
    // In English with a simulator on COM2, its program stamped 5 Sep 2006.
    bool startWithSim(PlcFixture& p)
    {
        return catalogue(p) && p.startWithSim("Idioma=en\r\n") &&
               plclink::download(p.editor->link(), {6, 0, 11, 8, 15}, QDate(2006, 9, 5)).outcome ==
                   plclink::DownloadOutcome::Received;
    }
    void walkPrompts(const ScriptedPrompts& prompts)
    {
        walk.allow(u"\\*\\.OBJ\\|\\*\\.OBJ"_s); // a file dialog's filter
        for (const auto& asked : prompts.asked())
            walk.message({asked.title, asked.text});
    }
    QString checked() const { return f->action("mnIdiomaEs")->actionGroup()->checkedAction()->objectName(); }

private slots:
    void initTestCase() { QVERIFY(walk.loaded()); }
    void init() { walk = EnglishWalk(); }
    void cleanup()
    {
        f.reset();
        language::use(language::kSpanish, kBin);
        QVERIFY2(walk.spanish().isEmpty(), qPrintable(walk.spanish().join(u'\n'))); // whatever was walked
    }

    // A new choice is kept in dmk38.ini and used at the next start, not at once (the rows of the
    // choice itself are in tst_language).
    void choiceTakesEffectAtTheNextStart()
    {
        QVERIFY(start({}));
        f->trigger("mnIdiomaEn");
        QVERIFY(language::current() == u"es" && !f->action("mnIdiomaNota")->isEnabled());
        f->editor->close();
        QVERIFY(f->read(u"dmk38.ini"_s).contains("Idioma=en\r\n"));
        QVERIFY(f->start());
        QCOMPARE(f->action("mnIdiomaSistema")->text() + u' ' + checked(), u"System language mnIdiomaEn"_s);
    }

    // The language menu, the about box and the manual with its own English headings.
    void windowsWalk()
    {
        QVERIFY(start("Idioma=en\r\n"));
        walk.menu(f->child<QMenu>("mnIdioma"), u"mnIdioma"_s);
        f->trigger("mnAcercaDe");
        walk.allow(QRegularExpression::escape(f->editor->VersionText));
        walk.window(f->child<QDialog>("Presenta"));
        f->trigger("mnAyudaSub");
        auto* help = f->editor->findChild<HelpWindow*>();
        QVERIFY(help && help->isVisible());
        auto* contents = help->findChild<QListWidget*>(u"lstContenido"_s);
        QCOMPARE(contents->item(0)->text(), u"Contents"_s);
        for (int i = 0; i < contents->count(); ++i)
            walk.allow(QRegularExpression::escape(contents->item(i)->text()));
        QVERIFY(manualHtml({}).contains(u"<h2><a name=\"introduccion\"></a>What WMK38 is</h2>"_s));
        walk.window(help);
    }

    // qhelp_en.ayd in English, qhelp.ayd where there is none; the message in English.
    void quickHelp_data()
    {
        QTest::addColumn<QByteArray>("english"); // qhelp_en.ayd beside qhelp.ayd "ayuda"; "-" none
        QTest::addColumn<QString>("shown");
        QTest::newRow("English file") << QByteArray("help") << u"Quick help | help"_s;
        QTest::newRow("no English file") << QByteArray("-") << u"Quick help | ayuda"_s;
        QTest::newRow("none") << QByteArray() << u"Error | The file QHELP.AYD cannot be found"_s;
    }
    void quickHelp()
    {
        QFETCH(QByteArray, english);
        QVERIFY(start("Idioma=en\r\n"));
        if (!english.isEmpty())
            QVERIFY(f->write(u"qhelp.ayd"_s, "ayuda") &&
                    (english == "-" || f->write(u"qhelp_en.ayd"_s, english)));
        else
            f->prompts.answerMessage(Prompts::Ok);
        QString shown;
        QObject context;
        QTimer::singleShot(50, &context, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* box = w ? w->findChild<QPlainTextEdit*>(u"txtAyuda"_s) : nullptr) {
                shown = w->windowTitle() + u" | "_s + box->toPlainText();
                w->close();
            }
        });
        f->trigger("mnQAyuda");
        QTEST(shown.isEmpty() ? f->said() : shown, "shown");
    }

    // The main window: menus, tool bar, status bar, the colour dialog, and the messages and
    // status texts of a compile (good, rejected, unresolved), a failed search, an unreadable
    // file and a nameless save.
    void mainWindowWalk()
    {
        QVERIFY(start("Idioma=en\r\n"));
        // the same in both languages: the filter, the menu "PLC", the title's mark, the tool
        // bar's name, the mnemonics
        walk.allow(uR"(\*\.prg\|\*\.prg|PLC|Toolbar|Editor\[\*\])"_s);
        for (QAction* a : f->child<QMenu>("mnInstr")->actions())
            walk.allow(QRegularExpression::escape(a->text()));
        for (QAction* top : f->editor->menuBar()->actions())
            if (top->menu())
                walk.menu(top->menu(), top->objectName());
        walk.allow(QRegularExpression::escape(f->panel(1)) + u'|' + QRegularExpression::escape(f->panel(2)));
        walk.window(f->editor.get());
        f->trigger("mnColoresEditor");
        walk.window(f->child<QDialog>("Colorset"));
        for (const auto& [text, answers] : {std::pair{u"ld e1\nend"_s, QString()},
                                            {u"zz e1"_s, u"Ok"_s},
                                            {u"loop: ld e1\ngoto loop:\nend"_s, u"Ok"_s}}) {
            f->setText(text);
            f->run(u"mnCompilar"_s, answers);
            walk.text(f->panel(6), u"Panel6"_s);
        }
        f->prompts.answerInput(u"xyz"_s);
        f->run(u"mnBuscar mnCargar mnSalvarComo"_s, u"Ok,missing.prg,Ok,,Ok"_s);
        walkPrompts(f->prompts);
        QVERIFY(f->told().contains(u"Not found | XYZ was not found"_s)); // one sentence, its own order
    }

    // The hover help of the program text takes its line from qhelp_en.ayd.
    void hoverHelp()
    {
        QVERIFY(QFile::copy(kBin + u"/qhelp.ayd"_s, f.emplace().path(u"qhelp.ayd"_s)) &&
                QFile::copy(kBin + u"/qhelp_en.ayd"_s, f->path(u"qhelp_en.ayd"_s)));
        QVERIFY(start("Idioma=en\r\n"));
        f->setText(u"ld e1"_s);
        f->txt()->checker()->runNow();
        QTextCursor c(f->txt()->document());
        c.setPosition(1);
        QCOMPARE(
            f->txt()->toolTipAt(f->txt()->cursorRect(c).center() + QPoint(2, 0)),
            u"LD       addr            2    loads the state of the operand    ld e1\nCode 0x06, 2 bytes"_s);
    }

    // The presets window on a silent line: captions, the message where reading stopped, the refusal.
    void presetsWalk()
    {
        QVERIFY(language::use(language::kEnglish, kBin));
        testutil::Pty silent;
        plclink::Waits waits(0.02);
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(silent.path()));
        ScriptedPrompts prompts;
        Prompts::setCurrent(&prompts);
        {
            Precnt w({link, [] { return 1; }, [] { return false; }, [] { return QStringList(); }}, nullptr);
            w.show();
            w.begin();
            QCOMPARE(w.findChild<QLabel*>(u"lbMsg"_s)->text(), u"Reading 0"_s);
            walk.window(&w);
            prompts.answerMessage(Prompts::Ok);
            w.findChild<QPushButton*>(u"cmdPreset"_s)->click(); // every box "????"
            walkPrompts(prompts);
        }
        Prompts::setCurrent(nullptr);
        QCOMPARE(prompts.asked().size(), 1);
    }

    // The upload with its date lines, the station search beside it, the monitor with its chart and
    // the serial ports window, each walked in English; the search stopped at once.
    void plcWindowsWalk()
    {
        PlcFixture p;
        QVERIFY(startWithSim(p));
        p.answer({u"-"_s});
        p.trigger("mnRecibir");
        auto* r = p.editor->findChild<Recprg*>();
        QVERIFY(r && r->isVisible());
        r->findChild<QPushButton*>(u"cmdRecibir"_s)->click();
        QVERIFY(r->findChild<QPlainTextEdit*>(u"txtRecibir"_s)->toPlainText().endsWith(
            u"...received.\nProgram date:\n  Day 5\n  Month 9\n  Year 2006\n"_s));
        walk.window(r);
        QTimer stepper;
        QObject::connect(&stepper, &QTimer::timeout, [&] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* cancel = w ? w->findChild<QPushButton*>(u"cmdCancelar"_s) : nullptr;
            if (!w || w->objectName() != u"Buscar")
                return;
            if (!w->findChild<QPushButton*>(u"cmdBuscar"_s)->isEnabled()) {
                cancel->click(); // stops after the station in progress
                return;
            }
            walk.window(w);
            stepper.stop();
            cancel->click();
        });
        stepper.start(5);
        r->findChild<QPushButton*>(u"cmdBuscar"_s)->click();
        QVERIFY(!stepper.isActive());
        r->close();

        p.trigger("mnMonitor");
        auto* m = p.editor->findChild<Monitor*>();
        m->findChild<QCheckBox*>(u"chkGrafico"_s)->setChecked(true);
        const qsizetype until = p.sim.received().size() + 2;
        m->findChild<QPushButton*>(u"cmdRecibir"_s)->click();
        QTRY_VERIFY_WITH_TIMEOUT(p.sim.received().size() >= until, 20000);
        walk.window(m);
        m->findChild<QPushButton*>(u"cmdDetener"_s)->click();
        m->close();

        p.trigger("mnPuertosSerie");
        auto* ports = p.editor->findChild<QDialog*>(u"Puertos"_s);
        ports->findChild<QPushButton*>(u"cmdProbar2"_s)->click();
        QVERIFY(ports->findChild<QLabel*>(u"lbResultado"_s)->text().startsWith(u"COM2: PLC 1 answered"_s));
        walk.allow(u"/dev/.*|\\(/dev/.*\\)"_s); // the devices and their descriptions
        walk.window(ports);
        ports->reject();
        walkPrompts(p.prompts);
    }

    // Verify: the window of differences and its questions, the same program, a failed read; the
    // send with its question, a port that cannot be opened, a wrong identifier.
    void plcMessagesWalk()
    {
        PlcFixture p;
        QVERIFY(startWithSim(p));
        p.setText(u"ld e1\nout s2\nend"_s);
        p.prompts.answerInput(u"4B7E"_s);
        p.trigger("mnVerificar");
        auto* v = p.editor->findChild<Verificar*>();
        QVERIFY(v && v->isVisible());
        QCOMPARE(v->findChild<QLabel*>(u"lbDiferencias"_s)->text(),
                 u"The PLC's program differs from the editor's in 1 byte, at address 3."_s);
        walk.window(v);
        p.answer({u"No"_s});
        v->findChild<QPushButton*>(u"cmdEnviar"_s)->click(); // sent, not run
        p.prompts.answerInput(u"4B7E"_s);
        p.answer({u"Ok"_s});
        p.trigger("mnVerificar");
        p.sim.command("fault badxor:0.5");
        p.prompts.answerInput(u"4B7E"_s);
        p.answer({u"Cancel"_s});
        p.trigger("mnVerificar");
        p.sim.command("fault none");
        for (const QString& typed : {u"0"_s, u"-"_s})
            p.prompts.answerInput(typed == u"-" ? std::nullopt : std::optional(typed));
        p.trigger("mnId");
        p.sim.process().kill();
        QVERIFY(p.sim.process().waitForFinished(5000));
        p.answer({u"Ok"_s});
        p.trigger("mnRun");
        QCOMPARE(p.prompts.asked().size(), 9);
        QVERIFY(p.said(8).startsWith(u"Error 8002 | Communication error 8002\r\n"_s));
        walkPrompts(p.prompts);
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
