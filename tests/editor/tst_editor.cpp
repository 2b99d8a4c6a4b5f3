// The main window: menus, tool bar, start-up, leaving, and the keys of the program text box.
#include "EditorFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>

class TestEditor : public QObject
{
    Q_OBJECT
private slots:
    void menuTable_data();
    void menuTable();
    void menuBarOrder();
    void toolBar_data();
    void toolBar();
    void toolBarSeparatorsDoNothing();
    void toolBarCommands_data();
    void toolBarCommands();
    void startUpWithoutEsDef();
    void startUpWithoutLibrary();
    void startUpState();
    void debugModeSwitch_data();
    void debugModeSwitch();
    void editMenuRefresh();
    void editRequests_data();
    void editRequests();
    void enterKey_data();
    void enterKey();
    void homeKey_data();
    void homeKey();
    void tabKey_data();
    void tabKey();
    void find_data();
    void find();
    void findNextAfterLast();
    void statusPanel3();
    void undoThroughLibrary();
    void textChangeClearsCompiled();
    void leavingUnmodifiedAsksNothing();
    void leavingModifiedAsks();
};

void TestEditor::menuTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("parent");
    const struct
    {
        const char* name;
        const char* caption;
        const char* key;
        bool enabled;
        bool checked;
        const char* parent;
    } rows[] = {
        {"mnCargar", "&Cargar", "Ctrl+F", true, false, "mnArchivo"},
        {"mnSalvar", "&Salvar", "Ctrl+S", true, false, "mnArchivo"},
        {"mnSalvarComo", "Salvar co&mo", "Ctrl+M", true, false, "mnArchivo"},
        {"mnNuevoArchivo", "&Nuevo", "Ctrl+N", true, false, "mnArchivo"},
        {"mnSalir", "Sa&lir", "Ctrl+F4", true, false, "mnArchivo"},
        {"mnCopiarTxt", "&Copiar", "", false, false, "mnEdicion"},
        {"mnPegarTxt", "&Pegar", "", true, false, "mnEdicion"},
        {"mnCortarTxt", "Co&rtar", "", false, false, "mnEdicion"},
        {"mnBuscar", "&Buscar", "Ctrl+F3", true, false, "mnEdicion"},
        {"mnBuscarSiguiente", "Buscar &siguiente", "F3", true, false, "mnEdicion"},
        {"mnCompilar", "&Compilar programa", "Ctrl+L", true, false, "mnPrograma"},
        {"mnDescompilar", "&Descompilar", "", true, false, "mnPrograma"},
        {"mnSalvarBinario", "&Salvar compilado (.OBJ)", "", false, false, "mnPrograma"},
        {"mnEnviarPrg", "&Enviar programa", "Ctrl+E", false, false, "mnPrograma"},
        {"mnEnviarBin", "En&viar compilado (.OBJ)", "", false, false, "mnPrograma"},
        {"mnEnviarBld", "Enviar compilado del &Ladder (.BLD)", "", false, false, "mnPrograma"},
        {"mnRecibir", "&Recibir", "", false, false, "mnPrograma"},
        {"mnRun", "Correr", "", false, false, "mnPrograma"},
        {"mnStop", "Detener", "", false, false, "mnPrograma"},
        {"mnId", "&Id (identificador) PLC", "", false, false, "mnPLC"},
        {"mnMonitor", "&Monitor variables", "", false, false, "mnPLC"},
        {"mnSalsOff", "Apagar salidas al detener", "", true, true, "mnPLC"},
        {"mnRunRet", "Retener variables al Correr", "", true, false, "mnPLC"},
        {"mnRunRst", "Reset variables al Correr", "", true, false, "mnPLC"},
        {"mnRun0", "Reiniciar PLC al Correr", "", true, false, "mnPLC"},
        {"mnPresetCnt", "&Presetear contadores", "", false, false, "mnPLC"},
        {"mnColoresEditor", "Co&lores", "", true, false, "mnOpciones"},
        {"mnAutoIdent", "Auto &ident", "", true, true, "mnOpciones"},
        {"mnDebugMode", "Modo &debug", "", true, false, "mnOpciones"},
        {"mnAyudaSub", "Ay&uda", "F1", true, false, "mnAyuda"},
        {"mnQAyuda", "A&yuda rápida", "Ctrl+F1", true, false, "mnAyuda"},
        {"mnAcercaDe", "&Acerca de", "", true, false, "mnAyuda"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromUtf8(r.caption)
                              << QString::fromLatin1(r.key) << r.enabled << r.checked
                              << QString::fromLatin1(r.parent);
}

void TestEditor::menuTable()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    QFETCH(QString, parent);
    // the start state is the window's before start-up changes anything
    Editor editor(QStringLiteral("/nonexistent"), {});
    auto* a = editor.findChild<QAction*>(name);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), QKeySequence(shortcut));
    QCOMPARE(a->isEnabled(), enabled);
    QCOMPARE(a->isChecked(), checked);
    QVERIFY(a->isVisible());
    auto* menu = editor.findChild<QMenu*>(parent);
    QVERIFY(menu);
    QVERIFY(menu->actions().contains(a));
}

void TestEditor::menuBarOrder()
{
    Editor editor(QStringLiteral("/nonexistent"), {});
    QStringList captions;
    for (QAction* a : editor.menuBar()->actions())
        captions << a->text();
    QCOMPARE(captions,
             QStringList({QStringLiteral("&Archivo"), QStringLiteral("&Edición"), QStringLiteral("&Programa"),
                          QStringLiteral("PLC"), QStringLiteral("&Opciones"),
                          QStringLiteral("Insertar instrucciones"), QStringLiteral("A&yuda")}));
    // the close command has no visible entry
    QVERIFY(!editor.findChild<QAction*>(QStringLiteral("mnCerrarArchivo"))->isVisible());
    // 44 instruction items, hidden until start-up fills them, then a separator
    QMenu* instr = editor.instructionMenu();
    QCOMPARE(instr->actions().size(), 45);
    QVERIFY(instr->actions().last()->isSeparator());
    for (int i = 0; i < 44; ++i)
        QVERIFY(!editor.findChild<QAction*>(QStringLiteral("mnI%1").arg(i))->isVisible());
}

void TestEditor::toolBar_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("2") << 2 << "Cargar un programa desde un archivo" << true;
    QTest::newRow("3") << 3 << "Nuevo programa" << true;
    QTest::newRow("4") << 4 << "Guardar programa en un archivo" << true;
    QTest::newRow("5") << 5 << "Cerrar programa" << true;
    QTest::newRow("7") << 7 << "Compilar" << true;
    QTest::newRow("8") << 8 << "Enviar al PLC" << false;
    QTest::newRow("9") << 9 << "Extraer programa del PLC" << false;
    QTest::newRow("10") << 10 << "Correr programa " << false;
    QTest::newRow("11") << 11 << "Detener programa" << false;
    QTest::newRow("12") << 12 << "Monitor de variables" << false;
    QTest::newRow("19") << 19 << "Deshacer" << true;
    QTest::newRow("21") << 21 << "Puerto serie" << true;
}

void TestEditor::toolBar()
{
    QFETCH(int, position);
    QFETCH(QString, tip);
    QFETCH(bool, enabled);
    Editor editor(QStringLiteral("/nonexistent"), {});
    QAction* a = editor.toolAction(position);
    QVERIFY(a);
    QVERIFY(!a->isSeparator());
    QCOMPARE(a->toolTip(), tip);
    QCOMPARE(a->isEnabled(), enabled);
    QVERIFY(!editor.toolAction(position)->icon().isNull() || position == 21);
    QVERIFY(!editor.toolAction(22));
}

void TestEditor::toolBarSeparatorsDoNothing()
{
    Editor editor(QStringLiteral("/nonexistent"), {});
    for (int p : {1, 6, 13, 15, 20})
        QVERIFY2(editor.toolAction(p)->isSeparator(), qPrintable(QString::number(p)));
    QVERIFY(editor.toolAction(21) == editor.findChild<QAction*>(QStringLiteral("tbPuerto")));
}

void TestEditor::toolBarCommands_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("asks"); // title of the first prompt the command shows
    QTest::newRow("2 open") << 2 << "Cargar programa";
    QTest::newRow("3 new") << 3 << "Salvar archivo";
    QTest::newRow("4 save") << 4 << "Salvar como";
    QTest::newRow("5 close") << 5 << "Salvar archivo";
    QTest::newRow("14 find") << 14 << "Buscar";
}

void TestEditor::toolBarCommands()
{
    QFETCH(int, position);
    QFETCH(QString, asks);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    f.editor->toolAction(position)->trigger();
    QVERIFY(!f.prompts.asked().isEmpty());
    QCOMPARE(f.prompts.asked().first().title, asks);
    f.editor->ProgramModified = false;
}

void TestEditor::startUpWithoutEsDef()
{
    EditorFixture f(false);
    f.prompts.answerMessage(Prompts::Ok);
    QVERIFY(!f.start());
    QCOMPARE(f.prompts.asked().size(), 1);
    const auto& m = f.prompts.asked().first();
    QCOMPARE(m.title, QStringLiteral("Archivo faltante"));
    QCOMPARE(m.buttons, int(Prompts::Ok));
    QCOMPARE(m.text, QStringLiteral(" El archivo ES.DEF es necesario para el correcto\r\n"
                                    "funcionamiento del software. Este debe estar en la\r\n"
                                    "misma carpeta dende se halla instalado el DMK38.EXE,\r\n"
                                    "en este caso ") +
                         f.appPath().toUpper() + QStringLiteral("\r\n\r\nVerifique la instalaci¢n.\r\n"));
    // nothing else is loaded: no settings, no instruction menu, and leaving writes nothing
    QVERIFY(f.editor->cbVariables.isEmpty());
    QVERIFY(!f.editor->findChild<QAction*>(QStringLiteral("mnI0"))->isVisible());
    f.editor->close();
    QVERIFY(!QFile::exists(f.path(QStringLiteral("dmk38.ini"))));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditor::startUpWithoutLibrary()
{
    // an empty registration store: OrvLibCls cannot be created, and the window says why
    const QByteArray store = qgetenv("ORVLIB_REGISTRY");
    EditorFixture f;
    qputenv("ORVLIB_REGISTRY", f.path(QStringLiteral("empty.reg")).toLocal8Bit());
    f.prompts.answerMessage(Prompts::Ok);
    const bool started = f.start();
    qputenv("ORVLIB_REGISTRY", store);
    QVERIFY(!started);
    QCOMPARE(f.prompts.asked().size(), 1);
    QVERIFY2(f.prompts.asked().first().text.contains(QStringLiteral("OrvLibCls")),
             qPrintable(f.prompts.asked().first().text));
    QCOMPARE(f.prompts.asked().first().icon, Prompts::Icon::Critical);
    f.editor->close();
    QVERIFY(!QFile::exists(f.path(QStringLiteral("dmk38.ini"))));
}

void TestEditor::startUpState()
{
    EditorFixture f;
    QVERIFY(f.start());
    Editor* e = f.editor.get();
    QCOMPARE(e->AppPath, f.appPath());
    QCOMPARE(e->VersionText, QStringLiteral("1.00.000"));
    QCOMPARE(e->windowTitle(), QStringLiteral("Editor"));
    QCOMPARE(e->cbVariables.size(), 92);
    QCOMPARE(e->cbVariables.first(), QStringLiteral("e1"));
    QVERIFY(f.txt()->isVisible());
    QCOMPARE(f.txt()->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(f.txt()->font().pointSize(), 12);
    // where Courier New is absent a metric-compatible monospaced face stands in
    const QFontInfo shown(f.txt()->font());
    QVERIFY2(shown.fixedPitch(), qPrintable(shown.family()));
    QVERIFY2(shown.family() == QStringLiteral("Courier New") ||
                 shown.family() == QStringLiteral("Liberation Mono"),
             qPrintable(shown.family()));
    QCOMPARE(f.txt()->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(e->IndentWidth, 8);
    QVERIFY(!e->DebugMode);
    QVERIFY(!e->ProgramModified);
    QCOMPARE(e->panelText(3), QStringLiteral("Fila:Columna"));
    QCOMPARE(e->panelText(6), QString());
    QVERIFY(!e->panelText(1).isEmpty());
    QVERIFY(!e->panelText(2).isEmpty());
    auto* presenta = e->findChild<QWidget*>(QStringLiteral("Presenta"));
    QVERIFY(presenta && !presenta->isVisible());
    QVERIFY(!e->findChild<QWidget*>(QStringLiteral("frProgreso"))->isVisible());
    QVERIFY(!e->findChild<QWidget*>(QStringLiteral("frPuertos"))->isVisible());
    QCOMPARE(e->statusBar()->objectName(), QStringLiteral("StatusBar1"));
    // the text box lies 60 twips (4 pixels) from the left, 100 twips short of the right
    const QWidget* area = e->centralWidget();
    QCOMPARE(f.txt()->geometry(), QRect(4, 0, area->width() - 4 - 6, area->height()));
    e->resize(640, 480);
    QCOMPARE(f.txt()->geometry(), QRect(4, 0, area->width() - 4 - 6, area->height()));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditor::debugModeSwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("debug");
    QTest::newRow("none") << QStringList() << false;
    QTest::newRow("lower") << QStringList{QStringLiteral("/debugmode")} << true;
    QTest::newRow("mixed") << QStringList{QStringLiteral("x.prg"), QStringLiteral("/DeBugMODE")} << true;
    QTest::newRow("other") << QStringList{QStringLiteral("/debug")} << false;
}

void TestEditor::debugModeSwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, debug);
    EditorFixture f;
    QVERIFY(f.start(arguments));
    QCOMPARE(f.editor->DebugMode, debug);
    // the switch leaves the mark off; the first click sets it and keeps the mode on
    QVERIFY(!f.action("mnDebugMode")->isChecked());
    f.trigger("mnDebugMode");
    QVERIFY(f.action("mnDebugMode")->isChecked());
    QVERIFY(f.editor->DebugMode);
    f.trigger("mnDebugMode");
    QVERIFY(!f.editor->DebugMode);
}

void TestEditor::editMenuRefresh()
{
    EditorFixture f;
    QVERIFY(f.start());
    auto* menu = f.editor->findChild<QMenu*>(QStringLiteral("mnEdicion"));
    QApplication::clipboard()->clear();
    f.setText(QStringLiteral("ld e1"));
    emit menu->aboutToShow();
    QVERIFY(!f.action("mnPegarTxt")->isEnabled());
    QVERIFY(!f.action("mnCopiarTxt")->isEnabled());
    QVERIFY(!f.action("mnCortarTxt")->isEnabled());
    f.txt()->setSel(1, 1);
    QApplication::clipboard()->setText(QStringLiteral("x"));
    emit menu->aboutToShow();
    QVERIFY(f.action("mnPegarTxt")->isEnabled());
    QVERIFY(f.action("mnCopiarTxt")->isEnabled());
    QVERIFY(f.action("mnCortarTxt")->isEnabled());
    // copy, cut and paste
    f.trigger("mnCopiarTxt");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("d"));
    f.trigger("mnCortarTxt");
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("l e1"));
    f.txt()->setSel(0, 1);
    f.trigger("mnPegarTxt");
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("d e1"));
}

void TestEditor::editRequests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("lineIndex");
    QTest::addColumn<int>("lineLength");
    QTest::addColumn<int>("lineFromChar");
    // indices count each line break as CR LF
    QTest::newRow("empty") << "" << 0 << 0 << 1 << 0 << 0 << 0;
    QTest::newRow("first line") << "ab\ncdef\n" << 1 << 0 << 3 << 0 << 2 << 0;
    QTest::newRow("second line") << "ab\ncdef\n" << 6 << 0 << 3 << 4 << 4 << 1;
    QTest::newRow("last empty") << "ab\ncdef\n" << 10 << 0 << 3 << 10 << 0 << 2;
    // with a selection: the unselected characters of the lines it touches
    QTest::newRow("selection") << "abc\ndefgh" << 1 << 6 << 2 << 5 << 4 << 0;
}

void TestEditor::editRequests()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    ProgramText t;
    t.setPlainText(text);
    t.setSel(selStart, selLength);
    QCOMPARE(t.selStart(), selStart);
    QCOMPARE(t.selLength(), selLength);
    QTEST(int(t.request(186, -1, 0)), "lineCount");
    QTEST(int(t.request(187, -1, 0)), "lineIndex");
    QTEST(int(t.request(193, -1, 0)), "lineLength");
    QTEST(int(t.request(201, -1, 0)), "lineFromChar");
    QCOMPARE(t.crlfLength(), int(text.size() + text.count(QLatin1Char('\n'))));
}

void TestEditor::enterKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("autoIndent");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caretAfter");
    // at a line end: the new line gets 8 blanks and the caret stands after them
    QTest::newRow("end of line") << "ld e1" << 5 << true << "ld e1\n        " << 15;
    // in the middle: nothing inserted, the caret moves 8 characters into the new line
    QTest::newRow("middle") << "ld e1 and e2 or e3" << 5 << true << "ld e1\n and e2 or e3" << 15;
    QTest::newRow("off") << "ld e1" << 5 << false << "ld e1\n" << 7;
}

void TestEditor::enterKey()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, autoIndent);
    EditorFixture f;
    QVERIFY(f.start());
    f.editor->AutoIndent = autoIndent;
    f.setText(text);
    f.txt()->setSel(caret);
    QTest::keyClick(f.txt(), Qt::Key_Return);
    QTEST(f.txt()->toPlainText(), "expected");
    QTEST(f.txt()->selStart(), "caretAfter");
    QCOMPARE(f.txt()->selLength(), 0);
}

void TestEditor::homeKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("columns"); // after each press, 1-based
    const QString line = QStringLiteral("        ld e1");
    QTest::newRow("two steps") << line << 11 << int(Qt::NoModifier) << QList<int>{1, 9, 1};
    QTest::newRow("blanks only") << QStringLiteral("    ") << 0 << int(Qt::NoModifier) << QList<int>{5};
    QTest::newRow("tabs and blanks") << QStringLiteral(" \t ld") << 0 << int(Qt::NoModifier) << QList<int>{4};
    QTest::newRow("empty line") << QString() << 0 << int(Qt::NoModifier) << QList<int>{1};
    QTest::newRow("shift home") << line << 11 << int(Qt::ShiftModifier) << QList<int>{9};
}

void TestEditor::homeKey()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, columns);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("first\n") + text);
    f.txt()->setSel(7 + caret);
    for (int column : columns) {
        QTest::keyClick(f.txt(), Qt::Key_Home, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.txt()->selStart() - 7 + 1, column);
        QCOMPARE(f.txt()->selLength(), 0);
        QCOMPARE(f.editor->panelText(3), QStringLiteral("2:%1").arg(column));
    }
    // Ctrl+Home goes to the top, then on to the first non-blank character there
    f.setText(QStringLiteral("   x\nabc"));
    f.txt()->setSel(7);
    QTest::keyClick(f.txt(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(f.txt()->selStart(), 3);
}

void TestEditor::tabKey_data()
{
    QTest::addColumn<bool>("autoIndent");
    QTest::addColumn<QString>("expected");
    QTest::newRow("on") << true << "ld        e1";
    QTest::newRow("off") << false << "ld e1";
}

void TestEditor::tabKey()
{
    QFETCH(bool, autoIndent);
    EditorFixture f;
    QVERIFY(f.start());
    f.editor->AutoIndent = autoIndent;
    f.setText(QStringLiteral("ld e1"));
    f.txt()->setSel(2, 1);
    QTest::keyClick(f.txt(), Qt::Key_Tab);
    QTEST(f.txt()->toPlainText(), "expected");
    QVERIFY(f.txt()->hasFocus());
}

void TestEditor::find_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("message");
    const QString text = QStringLiteral("LD E1\nout s1\nld e2");
    // find starts at the top, whatever the caret, and ignores letter case
    QTest::newRow("case") << "ld e" << 10 << 0 << 4 << QString();
    QTest::newRow("second line") << "OUT" << 0 << 7 << 3 << QString();
    QTest::newRow("missing") << "xyz" << 3 << 3 << 0 << "No se halla  XYZ";
}

void TestEditor::find()
{
    QFETCH(QString, search);
    QFETCH(int, caret);
    QFETCH(QString, message);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("LD E1\nout s1\nld e2"));
    f.txt()->setSel(caret);
    f.prompts.answerInput(search);
    if (!message.isEmpty())
        f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnBuscar");
    QCOMPARE(f.prompts.asked().first().title, QStringLiteral("Buscar"));
    QCOMPARE(f.prompts.asked().first().text, QStringLiteral("Texto a buscar:"));
    QTEST(f.txt()->selStart(), "selStart");
    QTEST(f.txt()->selLength(), "selLength");
    if (!message.isEmpty()) {
        QCOMPARE(f.prompts.asked().size(), 2);
        QCOMPARE(f.prompts.asked()[1].title, QStringLiteral("No hallado"));
        QCOMPARE(f.prompts.asked()[1].text, message);
    }
    QCOMPARE(f.editor->FindText, search);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditor::findNextAfterLast()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nld e2\nout s1"));
    // find next with no search text runs find; the selection is offered as the default
    f.txt()->setSel(0, 2);
    f.prompts.answerInput(QStringLiteral("LD"));
    f.trigger("mnBuscarSiguiente");
    QCOMPARE(f.prompts.asked().first().defaultText, QStringLiteral("ld"));
    QCOMPARE(f.txt()->selStart(), 0);
    f.trigger("mnBuscarSiguiente");
    QCOMPARE(f.txt()->selStart(), 7);
    QCOMPARE(f.txt()->selLength(), 2);
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnBuscarSiguiente");
    QCOMPARE(f.prompts.asked().last().text, QStringLiteral("No se ha hallado: LD"));
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("No hallado"));
    QCOMPARE(f.txt()->selStart(), 7);
    QCOMPARE(f.txt()->selLength(), 0);
    // a cancelled box empties the search text
    f.prompts.answerInput(std::nullopt);
    f.trigger("mnBuscar");
    QVERIFY(f.editor->FindText.isEmpty());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditor::statusPanel3()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\n        out s1"));
    f.txt()->setSel(15);
    QTest::keyClick(f.txt(), Qt::Key_Right);
    QCOMPARE(f.editor->panelText(3), QStringLiteral("2:10"));
    QCOMPARE(f.editor->EditStatus.LineNo, 2);
    QCOMPARE(f.editor->EditStatus.LineStart, 7);
    QCOMPARE(f.editor->EditStatus.LineLength, 14);
    QCOMPARE(f.editor->EditStatus.LineCount, 2);
    // a mouse move of the caret waits for the next key release
    f.txt()->setSel(1);
    QCOMPARE(f.editor->panelText(3), QStringLiteral("2:10"));
}

void TestEditor::undoThroughLibrary()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QString());
    QTest::keyClicks(f.txt(), QStringLiteral("ld"));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld"));
    f.editor->toolAction(19)->trigger();
    QVERIFY(f.txt()->toPlainText().size() < 2);
}

void TestEditor::textChangeClearsCompiled()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nout s1\nend"));
    f.trigger("mnCompilar");
    QVERIFY(f.editor->CompiledCurrent);
    QVERIFY(f.action("mnSalvarBinario")->isEnabled());
    f.editor->ProgramModified = false;
    QTest::keyClick(f.txt(), Qt::Key_A);
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(!f.editor->CompiledCurrent);
    QVERIFY(!f.action("mnSalvarBinario")->isEnabled());
}

void TestEditor::leavingUnmodifiedAsksNothing()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.trigger("mnSalir");
    QVERIFY(!f.editor->isVisible());
    QVERIFY(f.prompts.asked().isEmpty());
    QVERIFY(QFile::exists(f.path(QStringLiteral("dmk38.ini"))));
}

void TestEditor::leavingModifiedAsks()
{
    EditorFixture f;
    QVERIFY(f.start());
    QTest::keyClicks(f.txt(), QStringLiteral("ld e1"));
    // Yes, then the save dialog is cancelled: the window stays with the text
    f.prompts.answerMessage(Prompts::Yes);
    f.prompts.answerFile(std::nullopt);
    f.editor->close();
    QVERIFY(f.editor->isVisible());
    QCOMPARE(f.prompts.asked().first().title, QStringLiteral("Salvar"));
    QCOMPARE(f.prompts.asked().first().text, QStringLiteral("El programa ha sido modificado. ¨ Salvarlo ?"));
    QCOMPARE(f.prompts.asked().first().buttons, int(Prompts::Yes | Prompts::No));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    // No: leaves without saving
    f.prompts.answerMessage(Prompts::No);
    f.trigger("mnSalir");
    QVERIFY(!f.editor->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
