// The main window's side of settings, colours, option toggles, instruction insertion and help.
#include "Colorset.h"
#include "EditorFixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {
const QString kMnemonics =
    QStringLiteral("AND,ANDN,ANDP,CCPE,CLRIF1,CPE,CR,CS,CTV,END,GOSUB,GOTO,IF0,IF1,IFV1,JP0,JP1,JPV1,"
                   "LD,LDI,LDN,MOVTCT,NOT,NOTA,OR,ORN,ORP,OSC,OUT,RJP,RST,RCT,RTP,SET,SETB,"
                   "SETIF1,TP,TPF,TPV,TPVF,XOR");

QStringList visibleEntries(QMenu* menu)
{
    QStringList names;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator())
            names << a->text();
    return names;
}

QColor textColor(const EditorFixture& f)
{
    return f.txt()->palette().color(QPalette::Text);
}
QColor backColor(const EditorFixture& f)
{
    return f.txt()->palette().color(QPalette::Base);
}
} // namespace

class TestEditorOptions : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWithoutSettingsFile();
    void settingsPersistAcrossStarts();
    void autoIndentOffAndNoRunMark();
    void runOptionsExclusive();
    void instructionMenu();
    void popupOnCtrlP();
    void popupOnModifierClick_data();
    void popupOnModifierClick();
    void insertionThenEnter();
    void insertionReplacesSelection();
    void popupChosenWithEnter();
    void autoIdentToggle();
    void colourDialogModeless();
    void aboutBox();
    void quickHelpMissing();
    void quickHelpShown();
    void helpOnF1();
};

void TestEditorOptions::defaultsWithoutSettingsFile()
{
    EditorFixture f;
    QVERIFY(f.start());
    QCOMPARE(textColor(f), QColor(192, 192, 192));
    QCOMPARE(backColor(f), QColor(0, 0, 0));
    QCOMPARE(f.editor->selectedPort(), 2);
    QVERIFY(f.editor->findChild<QRadioButton*>(QStringLiteral("opCom1"))->isChecked());
    QVERIFY(f.action("mnCom2")->isChecked());
    QCOMPARE(f.editor->PlcId, 1);
    QVERIFY(f.editor->AutoIndent);
    QVERIFY(f.action("mnAutoIdent")->isChecked());
    QVERIFY(f.action("mnRun0")->isChecked());
    QVERIFY(!f.action("mnRunRst")->isChecked());
    QVERIFY(!f.action("mnRunRet")->isChecked());
    QCOMPARE(f.editor->ProgramFolder, f.appPath());
}

void TestEditorOptions::settingsPersistAcrossStarts()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.trigger("mnCom6");
    QCOMPARE(f.editor->selectedPort(), 6);
    f.trigger("mnRunRet");
    f.trigger("mnAutoIdent");
    f.trigger("mnColoresEditor");
    auto* colorset = f.editor->findChild<Colorset*>();
    QVERIFY(colorset);
    emit colorset->colorsChosen(QColor(0, 0, 0), QColor(0, 0, 128));
    QCOMPARE(backColor(f), QColor(0, 0, 128));
    QDir(f.dir.path()).mkdir(QStringLiteral("progs"));
    f.setText(QStringLiteral("end"));
    f.prompts.answerFile(f.path(QStringLiteral("progs/a.prg")));
    f.trigger("mnSalvarComo");
    f.trigger("mnSalir");
    QVERIFY(!f.editor->isVisible());
    QVERIFY(QFile::exists(f.path(QStringLiteral("dmk38.ini"))));

    // a second start of the window on the same folder
    f.editor = std::make_unique<Editor>(f.dir.path(), QStringList());
    QVERIFY(f.editor->startUp());
    QCOMPARE(f.editor->selectedPort(), 6);
    QVERIFY(f.editor->findChild<QRadioButton*>(QStringLiteral("opCom5"))->isChecked());
    QVERIFY(f.action("mnRunRet")->isChecked());
    QVERIFY(!f.action("mnRun0")->isChecked());
    QCOMPARE(f.editor->RunMode, 2);
    QVERIFY(!f.editor->AutoIndent);
    QVERIFY(!f.action("mnAutoIdent")->isChecked());
    QCOMPARE(textColor(f), QColor(0, 0, 0));
    QCOMPARE(backColor(f), QColor(0, 0, 128));
    QCOMPARE(f.editor->ProgramFolder, f.path(QStringLiteral("progs/")));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorOptions::autoIndentOffAndNoRunMark()
{
    EditorFixture f;
    f.writeFile(QStringLiteral("dmk38.ini"), "[Set]\r\nAIdnt=0\r\nRst=5\r\nCOM=9\r\n");
    QVERIFY(f.start());
    QVERIFY(!f.editor->AutoIndent);
    QVERIFY(!f.action("mnAutoIdent")->isChecked());
    QVERIFY(!f.action("mnRun0")->isChecked());
    QVERIFY(!f.action("mnRunRst")->isChecked());
    QVERIFY(!f.action("mnRunRet")->isChecked());
    // a port outside 1..6 leaves the window's own choice, COM6
    QCOMPARE(f.editor->selectedPort(), 6);
    // Tab then inserts nothing, Enter does not indent
    f.setText(QStringLiteral("ld e1"));
    f.txt()->setSel(5);
    QTest::keyClick(f.txt(), Qt::Key_Tab);
    QTest::keyClick(f.txt(), Qt::Key_Return);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1\n"));
    f.trigger("mnSalir");
    const QByteArray ini = f.readFile(QStringLiteral("dmk38.ini")).toLower();
    QVERIFY2(ini.contains("aidnt=false"), ini.constData());
    QVERIFY2(ini.contains("com=6"), ini.constData());
}

void TestEditorOptions::runOptionsExclusive()
{
    EditorFixture f;
    QVERIFY(f.start());
    const char* names[] = {"mnRun0", "mnRunRst", "mnRunRet"};
    for (int mode = 0; mode < 3; ++mode) {
        f.trigger(names[mode]);
        QCOMPARE(f.editor->RunMode, mode);
        for (int other = 0; other < 3; ++other)
            QCOMPARE(f.action(names[other])->isChecked(), other == mode);
    }
}

void TestEditorOptions::instructionMenu()
{
    EditorFixture f;
    QVERIFY(f.start());
    QMenu* menu = f.editor->instructionMenu();
    QCOMPARE(visibleEntries(menu), kMnemonics.split(QLatin1Char(',')));
    for (int i = 41; i < 44; ++i)
        QVERIFY(!f.editor->findChild<QAction*>(QStringLiteral("mnI%1").arg(i))->isVisible());
    QCOMPARE(f.editor->findChild<QAction*>(QStringLiteral("mnI18"))->text(), QStringLiteral("LD"));
    QVERIFY(menu->actions().last()->isSeparator());
}

void TestEditorOptions::popupOnCtrlP()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("x"));
    QMenu* menu = f.editor->instructionMenu();
    QVERIFY(!menu->isVisible());
    QTest::keyClick(f.txt(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(menu->isVisible());
    QCOMPARE(visibleEntries(menu).size(), 41);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("x"));
    menu->close();
}

void TestEditorOptions::popupOnModifierClick_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("plain") << int(Qt::NoModifier) << false;
    QTest::newRow("shift") << int(Qt::ShiftModifier) << true;
    QTest::newRow("ctrl") << int(Qt::ControlModifier) << true;
    QTest::newRow("alt") << int(Qt::AltModifier) << true;
}

void TestEditorOptions::popupOnModifierClick()
{
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    QTest::mouseClick(f.txt()->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers), QPoint(20, 10));
    QCOMPARE(f.editor->instructionMenu()->isVisible(), opens);
    f.editor->instructionMenu()->close();
}

void TestEditorOptions::insertionThenEnter()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QString());
    f.editor->findChild<QAction*>(QStringLiteral("mnI18"))->trigger(); // LD
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("LD "));
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(f.editor->EditStatus.SkipIndent);
    QTest::keyClicks(f.txt(), QStringLiteral("e1"));
    QTest::keyClick(f.txt(), Qt::Key_Return);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("LD e1\n"));
    QVERIFY(!f.editor->EditStatus.SkipIndent);
    QTest::keyClick(f.txt(), Qt::Key_Return);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("LD e1\n\n        "));
}

void TestEditorOptions::popupChosenWithEnter()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QString());
    QTest::keyClick(f.txt(), Qt::Key_P, Qt::ControlModifier);
    // Enter in the pop-up chooses the entry; only its release reaches the text box
    QMenu* menu = f.editor->instructionMenu();
    f.editor->findChild<QAction*>(QStringLiteral("mnI28"))->trigger(); // OUT
    menu->close();
    QTest::keyRelease(f.txt(), Qt::Key_Return);
    QVERIFY(f.editor->EditStatus.SkipIndent);
    QTest::keyClicks(f.txt(), QStringLiteral("s1"));
    QTest::keyClick(f.txt(), Qt::Key_Return);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("OUT s1\n"));
}

void TestEditorOptions::insertionReplacesSelection()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nxxx s1"));
    f.txt()->setSel(7, 4);
    f.editor->findChild<QAction*>(QStringLiteral("mnI28"))->trigger(); // OUT
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1\nOUT s1"));
}

void TestEditorOptions::autoIdentToggle()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.trigger("mnAutoIdent");
    QVERIFY(!f.action("mnAutoIdent")->isChecked());
    QVERIFY(!f.editor->AutoIndent);
    f.trigger("mnAutoIdent");
    QVERIFY(f.editor->AutoIndent);
}

void TestEditorOptions::colourDialogModeless()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.trigger("mnColoresEditor");
    auto* colorset = f.editor->findChild<Colorset*>();
    QVERIFY(colorset && colorset->isVisible());
    QVERIFY(!colorset->isModal());
    emit colorset->colorsChosen(QColor(255, 255, 0), QColor(0, 0, 128));
    QCOMPARE(textColor(f), QColor(255, 255, 0));
    QCOMPARE(backColor(f), QColor(0, 0, 128));
    // at most one
    f.trigger("mnColoresEditor");
    QCOMPARE(f.editor->findChildren<Colorset*>().size(), 1);
}

void TestEditorOptions::aboutBox()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.trigger("mnAcercaDe");
    auto* about = f.editor->findChild<QDialog*>(QStringLiteral("Presenta"));
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lbVersion"))->text(), f.editor->VersionText);
    QPushButton* accept = nullptr;
    for (auto* b : about->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Aceptar") && b->isVisible())
            accept = b;
    QVERIFY(accept);
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
    f.trigger("mnAcercaDe");
    about = f.editor->findChild<QDialog*>(QStringLiteral("Presenta"));
    QVERIFY(about->isVisible());
    for (auto* b : about->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Aceptar"))
            b->click();
    QVERIFY(!about->isVisible());
}

void TestEditorOptions::quickHelpMissing()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnQAyuda");
    QCOMPARE(f.prompts.asked().size(), 1);
    QCOMPARE(f.prompts.asked().first().text, QStringLiteral("No se halla el archivo QHELP.AYD"));
}

void TestEditorOptions::quickHelpShown()
{
    EditorFixture f;
    QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/qhelp.ayd"), f.path(QStringLiteral("qhelp.ayd"))));
    QVERIFY(f.start());
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            title = w->windowTitle();
            w->close();
        }
    });
    QTest::keyClick(f.editor.get(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(title, QStringLiteral("Ayuda r\u00A0pida"));
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestEditorOptions::helpOnF1()
{
    EditorFixture f;
    QVERIFY(f.start());
    QTest::keyClick(f.editor.get(), Qt::Key_F1);
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("HelpWindow") && w->isVisible())
            help = w;
    QVERIFY(help);
    help->close();
}

QTEST_MAIN(TestEditorOptions)
#include "tst_editor_options.moc"
