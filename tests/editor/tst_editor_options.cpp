// The main window's side of settings, colours, option toggles, instruction insertion and help.
#include "Colorset.h"
#include "EditorTest.h"
#include "Isa.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
// What the window shows of its settings, in one line.
QString shown(const EditorFixture& f)
{
    int menuPort = 0;
    for (int n = 1; n <= 6; ++n)
        if (f.editor->findChild<QAction*>(u"mnCom%1"_s.arg(n))->isChecked())
            menuPort = n;
    QString marks;
    for (const char* name : {"mnRun0", "mnRunRst", "mnRunRet", "mnAutoIdent"})
        marks += f.action(name)->isChecked() ? u'x' : u'-';
    const QPalette p = f.txt()->palette();
    return u"COM%1/%2 ID%3 %4 on %5 marks %6 indent %7 run %8 in %9"_s.arg(f.editor->selectedPort())
        .arg(menuPort)
        .arg(f.editor->PlcId)
        .arg(p.color(QPalette::Text).name(), p.color(QPalette::Base).name(), marks)
        .arg(int(f.editor->AutoIndent))
        .arg(f.editor->RunMode)
        .arg(QString(f.editor->ProgramFolder).replace(f.path(), u"~/"_s));
}

QStringList visibleEntries(QMenu* menu)
{
    QStringList names;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator())
            names << a->text();
    return names;
}
} // namespace

class TestEditorOptions : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    void defaultsWithoutSettingsFile()
    {
        QCOMPARE(shown(*f), u"COM2/2 ID1 #c0c0c0 on #000000 marks x--x indent 1 run 0 in ~/"_s);
    }

    void settingsSurviveARestart()
    {
        f->trigger("mnCom6");
        f->trigger("mnRunRst");
        f->trigger("mnRunRet");
        f->trigger("mnAutoIdent");
        // the colour dialog does not block the window, and there is one at most
        f->trigger("mnColoresEditor");
        f->trigger("mnColoresEditor");
        QCOMPARE(f->editor->findChildren<Colorset*>().size(), 1);
        auto* colorset = f->editor->findChild<Colorset*>();
        QVERIFY(colorset->isVisible() && !colorset->isModal());
        emit colorset->colorsChosen(Qt::black, QColor(0, 0, 128));
        QDir(f->path()).mkdir(u"progs"_s);
        f->prompts.answerFile(f->path(u"progs/a.prg"_s));
        f->trigger("mnSalvarComo");
        const QString before = shown(*f);
        QCOMPARE(before, u"COM6/6 ID1 #000000 on #000080 marks --x- indent 0 run 2 in ~/progs/"_s);
        f->trigger("mnSalir");
        const QByteArray ini = f->read(u"dmk38.ini"_s);
        QVERIFY2(ini.contains("COM=6") && ini.contains("AIdnt=False"), ini.constData());
        // a second start of the window on the same folder
        QVERIFY(f->startOnly());
        QCOMPARE(shown(*f), before);
    }

    void instructionPopup()
    {
        f->setText(u"x"_s);
        QMenu* menu = f->editor->instructionMenu();
        QTest::keyClick(f->txt(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(menu->isVisible());
        // the list itself is the instruction table's (tst_isa)
        QStringList listed;
        for (const auto* row : isa::menuInstructions())
            listed << row->upperMnemonic();
        QCOMPARE(visibleEntries(menu), listed);
        QVERIFY(!f->action("mnI41")->isVisible() && !f->action("mnI43")->isVisible());
        QVERIFY(!menu->actions().isEmpty() && menu->actions().last()->isSeparator());
        QCOMPARE(f->txt()->toPlainText(), u"x"_s);
        menu->close();
    }

    void popupOnModifierClick_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("opens");
        QTest::newRow("plain") << Qt::KeyboardModifiers() << false;
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    }
    void popupOnModifierClick()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        f->setText(u"ld e1"_s);
        QTest::mouseClick(f->txt()->viewport(), Qt::LeftButton, modifiers, QPoint(20, 10));
        QTEST(f->editor->instructionMenu()->isVisible(), "opens");
        f->editor->instructionMenu()->close();
    }

    void insertion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<bool>(
            "viaPopup"); // chosen in the pop-up with Enter: only the release reaches the text
        QTest::addColumn<QString>("typed"); // "\n" is Enter
        QTest::addColumn<QString>("expected");
        QTest::newRow("Enter after it does not indent, the next does") << "" << 0 << 0 << false << "e1\n\n"
                                                                       << "OUT e1\n\n        ";
        QTest::newRow("from the pop-up, then Enter") << "" << 0 << 0 << true << "s1\n"
                                                     << "OUT s1\n";
        QTest::newRow("a selection is replaced") << "ld e1\nxxx s1" << 7 << 4 << false << ""
                                                 << "ld e1\nOUT s1";
    }
    void insertion()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(bool, viaPopup);
        QFETCH(QString, typed);
        f->setText(text, selStart, selLength);
        if (viaPopup)
            QTest::keyClick(f->txt(), Qt::Key_P, Qt::ControlModifier);
        f->trigger("mnI28"); // OUT
        f->editor->instructionMenu()->close();
        if (viaPopup)
            QTest::keyRelease(f->txt(), Qt::Key_Return);
        QVERIFY(f->editor->ProgramModified && f->editor->EditStatus.SkipIndent);
        for (const QChar c : typed)
            QTest::keyClick(f->txt(), c == u'\n' ? Qt::Key_Return : Qt::Key(c.toUpper().unicode()));
        QTEST(f->txt()->toPlainText(), "expected");
    }

    void aboutBox()
    {
        for (const bool byEsc : {true, false}) {
            f->trigger("mnAcercaDe");
            auto* about = f->child<QDialog>("Presenta");
            QVERIFY(about->isVisible() && !about->isModal());
            QCOMPARE(about->findChild<QLabel*>(u"lbVersion"_s)->text(), f->editor->VersionText);
            auto* accept = about->findChild<QPushButton*>(u"cmdAceptar"_s);
            QVERIFY(accept->isVisible() && accept->text() == u"&Aceptar"_s);
            byEsc ? QTest::keyClick(about, Qt::Key_Escape) : accept->click();
            QVERIFY(!about->isVisible());
        }
    }

    void helpKeys()
    {
        f->prompts.answerMessage(Prompts::Ok);
        QTest::keyClick(f->editor.get(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(f->said(), u"Error | No se halla el archivo QHELP.AYD"_s);
        QTest::keyClick(f->editor.get(), Qt::Key_F1);
        const QWidgetList windows = QApplication::topLevelWidgets();
        auto help = std::find_if(windows.begin(), windows.end(), [](QWidget* w) {
            return w->objectName() == u"HelpWindow"_s && w->isVisible();
        });
        QVERIFY(help != windows.end());
        (*help)->close();
    }
};

QTEST_MAIN(TestEditorOptions)
#include "tst_editor_options.moc"
