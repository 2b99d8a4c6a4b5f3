// The main window: menus, tool bar, start-up, leaving, and the keys of the program text box.
#include "EditorTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
using Keys = QList<QKeyCombination>;
struct KeyCase
{
    QString text;
    int selStart, selLength; // indices count a line break as CR LF
    bool autoIndent;
    Keys keys;
    QString expected;
    int caret;
    QString panel;
};
} // namespace
Q_DECLARE_METATYPE(KeyCase)

class TestEditor : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    // Each menu as the window is built, before start-up changes anything: caption, shortcut,
    // "-" when disabled, "*" when checked.
    void menus()
    {
        Editor editor(u"/nonexistent"_s, {});
        QStringList bar;
        for (QAction* top : editor.menuBar()->actions())
            if (!top->isSeparator())
                bar << top->text();
        QCOMPARE(bar.join(','), u"&Archivo,&Edición,&Programa,PLC,&Opciones,Insertar instrucciones,A&yuda"_s);
        const auto items = [&editor](const char* menu) {
            QStringList shown;
            for (QAction* a : editor.findChild<QMenu*>(QLatin1String(menu))->actions())
                if (a->isVisible() && !a->isSeparator() && !a->menu())
                    shown << a->text() + (a->shortcut().isEmpty() ? u""_s : u' ' + a->shortcut().toString()) +
                                 (a->isEnabled() ? u""_s : u" -"_s) + (a->isChecked() ? u" *"_s : u""_s);
            return shown.join(u',');
        };
        QCOMPARE(items("mnArchivo"),
                 u"&Cargar Ctrl+F,&Salvar Ctrl+S,Salvar co&mo Ctrl+M,&Nuevo Ctrl+N,Sa&lir Ctrl+F4"_s);
        QCOMPARE(items("mnEdicion"), u"&Copiar -,&Pegar,Co&rtar -,&Buscar Ctrl+F3,Buscar &siguiente F3"_s);
        QCOMPARE(items("mnPrograma"), u"&Compilar programa Ctrl+L,&Descompilar,&Salvar compilado (.OBJ) -,"
                                      "&Enviar programa Ctrl+E,En&viar compilado (.OBJ),"
                                      "Enviar compilado del &Ladder (.BLD),&Recibir,Correr,Detener"_s);
        QCOMPARE(items("mnPLC"), u"&Id (identificador) PLC,&Monitor variables,Enlace &rápido,Apagar salidas al detener *,"
                                 "Retener variables al Correr,Reset variables al Correr,"
                                 "Reiniciar PLC al Correr,&Presetear contadores"_s);
        QCOMPARE(items("mnOpciones"), u"Co&lores,Auto &ident *,&Puertos serie...,Modo &debug"_s);
        QCOMPARE(items("mnAyuda"), u"Ay&uda F1,A&yuda rápida Ctrl+F1,&Acerca de"_s);
        // 44 instruction items hidden until start-up fills them, then a separator
        const QList<QAction*> instructions = editor.instructionMenu()->actions();
        QVERIFY(instructions.size() == 45 && instructions.last()->isSeparator());
        QVERIFY(std::none_of(instructions.begin(), instructions.end() - 1,
                             [](QAction* i) { return i->isVisible(); }));
    }

    void toolBar_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("asks"); // title of the first prompt the command shows
        QTest::newRow("1") << 1 << QString();
        QTest::newRow("2 open") << 2 << u"Cargar programa"_s;
        QTest::newRow("3 new") << 3 << u"Salvar archivo"_s;
        QTest::newRow("4 save") << 4 << u"Salvar como"_s;
        QTest::newRow("5 close") << 5 << u"Salvar archivo"_s;
        QTest::newRow("14 find") << 14 << u"Buscar"_s;
        QTest::newRow("15") << 15 << QString();
    }
    void toolBar()
    {
        QFETCH(int, position);
        f->setText(u"ld e1"_s);
        f->editor->toolAction(position)->trigger(); // unanswered: the prompt is cancelled
        QTEST(f->prompts.asked().value(0).title, "asks");
        f->prompts.clear();
    }
    void toolTips()
    {
        // the tip the user sees is the button's own; "-" is a separator
        QStringList tips;
        for (int position = 1; position <= 21; ++position) {
            QAction* a = f->editor->toolAction(position);
            tips << (a->isSeparator() ? u"-"_s : f->child<QToolBar>("Toolbar")->widgetForAction(a)->toolTip());
        }
        QCOMPARE(tips, (QStringList{u"-"_s, u"Cargar un programa desde un archivo"_s, u"Nuevo programa"_s,
                                    u"Guardar programa en un archivo"_s, u"Cerrar programa"_s, u"-"_s, u"Compilar"_s,
                                    u"Enviar al PLC"_s, u"Extraer programa del PLC"_s, u"Correr programa "_s,
                                    u"Detener programa"_s, u"Monitor de variables"_s, u"-"_s, u"Buscar texto"_s, u"-"_s,
                                    u"Copiar la selección"_s, u"Cortar la selección"_s, u"Pegar desde el portapapeles"_s,
                                    u"Deshacer"_s, u"-"_s, u"Puerto serie"_s}));
    }

    void startUpRefused_data()
    {
        QTest::addColumn<bool>("esDef");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // the message names the folder where es.def was looked for
        QTest::newRow("without es.def") << false << u"Archivo faltante"_s << u"en este caso %1\r\n"_s;
        // an empty registration store: the message names the class that cannot be created
        QTest::newRow("without the library") << true << u"OrvLib2"_s << u"OrvLibCls"_s;
    }
    void startUpRefused()
    {
        QFETCH(bool, esDef);
        QFETCH(QString, text);
        const QByteArray store = qgetenv("ORVLIB_REGISTRY");
        f.emplace(esDef);
        if (esDef)
            qputenv("ORVLIB_REGISTRY", f->path(u"empty.reg"_s).toLocal8Bit());
        f->prompts.answerMessage(Prompts::Ok);
        const bool started = f->start();
        qputenv("ORVLIB_REGISTRY", store);
        QVERIFY(!started);
        QCOMPARE(f->prompts.asked().size(), 1);
        const auto& m = f->prompts.asked().first();
        QTEST(m.title, "title");
        QVERIFY2(m.text.contains(esDef ? text : text.arg(f->path())), qPrintable(m.text));
        // nothing else is loaded, and leaving writes no settings
        QVERIFY(f->editor->cbVariables.isEmpty() && !f->action("mnI0")->isVisible());
        f->editor->close();
        QVERIFY(!QFile::exists(f->path(u"dmk38.ini"_s)));
    }

    void startUp_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("debug");
        QTest::newRow("plain") << QStringList() << false;
        QTest::newRow("/debugmode") << QStringList{u"/debugmode"_s} << true;
        QTest::newRow("any case") << QStringList{u"/DeBugMODE"_s} << true;
    }
    void startUp()
    {
        QFETCH(QStringList, arguments);
        QVERIFY(f.emplace().start(arguments));
        Editor* e = f->editor.get();
        QVERIFY(e->AppPath == f->path() && e->cbVariables.size() == 92);
        QVERIFY(f->txt()->isVisible() && !f->child("Presenta")->isVisible() &&
                !f->child("frProgreso")->isVisible());
        QCOMPARE(f->panel(3), u"Fila:Columna"_s);
        // where Courier New is absent a metric-compatible face stands in
        QVERIFY2(QFontInfo(f->txt()->font()).fixedPitch(), qPrintable(QFontInfo(f->txt()->font()).family()));
        // the switch leaves the mark off; the first click sets it and keeps the mode on
        QTEST(e->DebugMode, "debug");
        QVERIFY(!f->action("mnDebugMode")->isChecked());
        f->trigger("mnDebugMode");
        QVERIFY(f->action("mnDebugMode")->isChecked() && e->DebugMode);
    }

    void menuPlacement()
    {
        QMenuBar* bar = f->editor->menuBar();
        const QRect help = bar->actionGeometry(f->child<QMenu>("mnAyuda")->menuAction());
        QVERIFY2(bar->width() - help.right() < help.width(), qPrintable(QString::number(help.right())));
        // the 41 instructions open below the bar as one list, on a screen too short for them
        QMenu* menu = f->editor->instructionMenu();
        bar->setActiveAction(menu->menuAction());
        QTRY_VERIFY(menu->isVisible());
        const QRect g = menu->geometry();
        QVERIFY(g.top() > bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()).y());
        QVERIFY(g.bottom() <= menu->screen()->availableGeometry().bottom());
        QVERIFY(menu->sizeHint().height() > g.height());
        for (int i = 1; i < 41; ++i)
            QCOMPARE(menu->actionGeometry(f->action(qPrintable(u"mnI%1"_s.arg(i)))).x(),
                     menu->actionGeometry(f->action("mnI0")).x());
        menu->hide();
    }

    // Qt's own texts in Spanish: the stock buttons and the text box's menu
    void stockTextsInSpanish()
    {
        const int buttons = Prompts::Ok | Prompts::Cancel | Prompts::Yes | Prompts::No | Prompts::Abort |
                            Prompts::Retry | Prompts::Ignore;
        QStringList names;
        QTimer::singleShot(0, [&names] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* b : box->buttons())
                names << b->text().remove(u'&');
            box->done(0); // whatever its buttons: a box left open would hold the test for ever
        });
        DialogPrompts().message(f->editor.get(), {u"t"_s, u"x"_s, buttons});
        names.sort();
        QCOMPARE(names.join(u','), u"Aceptar,Anular,Cancelar,No,Omitir,Reintentar,Sí"_s);
        const std::unique_ptr<QMenu> menu(f->txt()->createStandardContextMenu());
        QVERIFY(menu->actions().value(0) && menu->actions().value(0)->text().startsWith(u"&Deshacer"_s));
    }

    // the user's locale, or Spanish where none is set (C); the time panel keeps room for its text
    void clockPanels_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QLocale>("shown");
        QTest::newRow("C") << QLocale::c() << QLocale(QLocale::Spanish, QLocale::Spain);
        QTest::newRow("en_US") << QLocale(u"en_US"_s) << QLocale(u"en_US"_s);
    }
    void clockPanels()
    {
        QFETCH(QLocale, locale);
        QFETCH(QLocale, shown);
        QLocale::setDefault(locale);
        QVERIFY(f.emplace().start());
        QCOMPARE(f->panel(1), shown.toString(QDate::currentDate(), QLocale::ShortFormat));
        f->editor->resize(150, 300);
        auto* time = f->child<QLabel>("Panel2");
        QTRY_VERIFY(time->width() >= time->sizeHint().width());
        QLocale::setDefault(QLocale::system());
    }

    void editMenu()
    {
        auto enabled = [this] {
            emit f->child<QMenu>("mnEdicion")->aboutToShow();
            return QList<bool>{f->action("mnPegarTxt")->isEnabled(), f->action("mnCopiarTxt")->isEnabled(),
                               f->action("mnCortarTxt")->isEnabled()};
        };
        QApplication::clipboard()->clear();
        f->setText(u"ld e1"_s);
        QCOMPARE(enabled(), QList<bool>({false, false, false}));
        f->txt()->setSel(1, 1);
        QApplication::clipboard()->setText(u"x"_s);
        QCOMPARE(enabled(), QList<bool>({true, true, true}));
        f->trigger("mnCopiarTxt");
        QCOMPARE(QApplication::clipboard()->text(), u"d"_s);
        f->trigger("mnCortarTxt");
        QCOMPARE(f->txt()->toPlainText(), u"l e1"_s);
        f->txt()->setSel(0, 1);
        f->trigger("mnPegarTxt");
        QCOMPARE(f->txt()->toPlainText(), u"d e1"_s);
        f->editor->toolAction(19)->trigger(); // undo, through the library
        QCOMPARE(f->txt()->toPlainText(), u"l e1"_s);
    }

    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        const Keys enter{Qt::Key_Return}, home{Qt::Key_Home}, tab{Qt::Key_Tab};
        const QString line = u"first\n        ld e1"_s;
        auto row = [](const char* name, const KeyCase& c) { QTest::newRow(name) << c; };
        // clang-format off
        row("Enter at a line end: 8 blanks", {u"ld e1"_s, 5, 0, true, enter, u"ld e1\n        "_s, 15, u"2:9"_s});
        row("Enter mid-line: caret 8 in", {u"ld e1 and e2 or e3"_s, 5, 0, true, enter, u"ld e1\n and e2 or e3"_s, 15, u"2:9"_s});
        row("Enter, auto indent off", {u"ld e1"_s, 5, 0, false, enter, u"ld e1\n"_s, 7, u"2:1"_s});
        row("Home: column 1", {line, 18, 0, true, home, line, 7, u"2:1"_s});
        row("Home twice: first letter", {line, 18, 0, true, home + home, line, 15, u"2:9"_s});
        row("Home, blanks only", {u"x\n    "_s, 3, 0, true, home, u"x\n    "_s, 7, u"2:5"_s});
        row("Home, tabs and blanks", {u"x\n \t ld"_s, 3, 0, true, home, u"x\n \t ld"_s, 6, u"2:4"_s});
        row("Home, empty line", {u"x\n"_s, 3, 0, true, home, u"x\n"_s, 3, u"2:1"_s});
        row("Shift+Home: no selection", {line, 18, 0, true, {Qt::SHIFT | Qt::Key_Home}, line, 15, u"2:9"_s});
        row("Ctrl+Home: top, first letter", {u"   x\nabc"_s, 7, 0, true, {Qt::CTRL | Qt::Key_Home}, u"   x\nabc"_s, 3, u"1:4"_s});
        row("Tab replaces the selection", {u"ld e1"_s, 2, 1, true, tab, u"ld        e1"_s, 10, {}});
        row("Tab, auto indent off", {u"ld e1"_s, 2, 0, false, tab, u"ld e1"_s, 2, {}});
        // neither types nor leaves the text box
        row("Alt+I: no menu's key", {u"ld e1"_s, 5, 0, true, {Qt::ALT | Qt::Key_I}, u"ld e1"_s, 5, {}});
        row("Shift+Tab", {u"ld e1"_s, 5, 0, true, {Qt::SHIFT | Qt::Key_Backtab}, u"ld e1"_s, 5, {}});
        // clang-format on
    }
    void keys()
    {
        QFETCH(KeyCase, c);
        f->editor->AutoIndent = c.autoIndent;
        f->setText(c.text, c.selStart, c.selLength);
        for (const QKeyCombination k : c.keys)
            QTest::keyClick(f->txt(), k.key(), k.keyboardModifiers());
        QCOMPARE(f->txt()->toPlainText(), c.expected);
        QCOMPARE(QList<int>({f->txt()->selStart(), f->txt()->selLength()}), QList<int>({c.caret, 0}));
        QVERIFY(f->txt()->hasFocus());
        if (!c.panel.isEmpty())
            QCOMPARE(f->panel(3), c.panel);
    }

    void find()
    {
        auto sel = [this] { return QList<int>({f->txt()->selStart(), f->txt()->selLength()}); };
        // find starts at the top, whatever the caret, ignoring letter case, and offers the selection
        f->setText(u"LD E1\nout s1\nld e2"_s, 15, 2);
        f->prompts.answerInput(u"ld e"_s);
        f->trigger("mnBuscar");
        QCOMPARE(f->said(), u"Buscar | Texto a buscar:"_s);
        QCOMPARE(f->prompts.asked().last().defaultText, u"ld"_s);
        QCOMPARE(sel(), QList<int>({0, 4}));
        f->trigger("mnBuscarSiguiente");
        QCOMPARE(sel(), QList<int>({15, 4}));
        // after the last one the caret stays at its start
        f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnBuscarSiguiente");
        QCOMPARE(f->said(), u"No hallado | No se ha hallado: LD E"_s);
        QCOMPARE(sel(), QList<int>({15, 0}));
        f->txt()->setSel(3);
        f->prompts.answerInput(u"xyz"_s);
        f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnBuscar");
        QCOMPARE(f->said(), u"No hallado | No se halla  XYZ"_s);
        QCOMPARE(sel(), QList<int>({3, 0}));
        // a cancelled box empties the search text; find next then asks again
        f->prompts.answerInput(std::nullopt);
        f->trigger("mnBuscar");
        f->prompts.answerInput(u"OUT"_s);
        f->trigger("mnBuscarSiguiente");
        QCOMPARE(f->said(), u"Buscar | Texto a buscar:"_s);
        QCOMPARE(sel(), QList<int>({7, 3}));
    }

    void panel3WaitsForAKey()
    {
        f->setText(u"ld e1\n        out s1"_s, 15);
        QTest::keyClick(f->txt(), Qt::Key_Right);
        QCOMPARE(f->panel(3), u"2:10"_s);
        const EditSts& s = f->editor->EditStatus;
        QCOMPARE(QList<int>({s.LineNo, s.LineStart, s.LineLength, s.LineCount}), QList<int>({2, 7, 14, 2}));
        f->txt()->setSel(1);
        QCOMPARE(f->panel(3), u"2:10"_s);
    }

    // A file named on the command line opens as "Cargar" or "Descompilar" would open it.
    void commandLineFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("option"); // after the file
        QTest::addColumn<bool>("debug");
        QTest::newRow("source") << u"p.prg"_s << u"ld e1\nend\n"_s << u"~/p.prg [p.prg]"_s << u"(nothing)"_s
                                << u"/debugmode"_s << true;
        QTest::newRow("object, unnamed") << u"p.obj"_s << u"        LD e1\n        END\n\n"_s << u"~/ [] modified"_s
                                         << u"(nothing)"_s << u"/DeBugMODE"_s << true;
        QTest::newRow("unreadable") << u"none.prg"_s << QString() << u"~/ []"_s
                                    << u"No se puede cargar: | No se puede leer el archivo %1none.prg"_s
                                    << u"/debug"_s << false;
    }
    void commandLineFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, said);
        f.emplace();
        QVERIFY(f->write(u"p.prg"_s, "ld e1\r\nend"));
        QCOMPARE(testutil::runTool(u"mk38c"_s, {u"compile"_s, u"-o"_s, f->path(u"p.obj"_s), f->path(u"p.prg"_s)})
                     .exitCode,
                 0);
        if (said != u"(nothing)"_s)
            f->prompts.answerMessage(Prompts::Ok);
        QFETCH(QString, option);
        QVERIFY(f->start({f->path(name), option}));
        QTEST(f->txt()->toPlainText(), "text");
        QTEST(f->doc(), "doc");
        QCOMPARE(f->said(), said.replace(u"%1"_s, f->path()));
        QTEST(f->editor->DebugMode, "debug");
    }

    // A settings write that fails is told once, on leaving, with the file and the reason.
    void settingsWriteFailureIsTold()
    {
        QVERIFY(QDir(f->path()).mkdir(u"dmk38.ini"_s));
        f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnSalir");
        QVERIFY(!f->editor->isVisible());
        QCOMPARE(f->prompts.asked().size(), 1);
        QVERIFY2(f->said().startsWith(u"Configuración | No se pudieron guardar"_s) &&
                     f->said().contains(f->path(u"dmk38.ini: "_s)),
                 qPrintable(f->said()));
    }

    void leaving_data()
    {
        QTest::addColumn<int>("answer"); // 0: nothing typed
        QTest::addColumn<bool>("left");
        QTest::newRow("unmodified asks nothing") << 0 << true;
        QTest::newRow("No leaves without saving") << int(Prompts::No) << true;
        // nothing typed is lost: Yes and a cancelled save dialog keep the window
        QTest::newRow("Yes, save cancelled, stays") << int(Prompts::Yes) << false;
    }
    void leaving()
    {
        QFETCH(int, answer);
        QFETCH(bool, left);
        if (answer) {
            QTest::keyClicks(f->txt(), u"ld e1"_s);
            f->prompts.answerMessage(Prompts::Button(answer));
            f->prompts.answerFile(std::nullopt);
        }
        f->trigger("mnSalir");
        QCOMPARE(f->editor->isVisible(), !left);
        QCOMPARE(f->prompts.asked().size(), !answer ? 0 : answer == Prompts::Yes ? 2 : 1);
        QCOMPARE(f->said(0),
                 answer ? u"Salvar | El programa ha sido modificado. ¨ Salvarlo ?"_s : u"(nothing)"_s);
        QCOMPARE(f->txt()->toPlainText(), answer ? u"ld e1"_s : QString());
        QCOMPARE(QFile::exists(f->path(u"dmk38.ini"_s)), left);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
