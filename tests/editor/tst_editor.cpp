// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: menus, start-up, the text box's keys, find, options, colours, help, leaving.
#include "Colorset.h"
#include "EditorTest.h"
#include "HelpWindow.h"
#include "Isa.h"

using namespace Qt::StringLiterals;

namespace {
QString colours(const QWidget* w)
{
    return w->palette().color(QPalette::Text).name() + u" on "_s + w->palette().color(QPalette::Base).name();
}

// What the window shows of its state, one entry each: the prompts asked so far, the windows shown,
// port, identifier, colours, the mnemonics' colour, run option, the document (EditorFixture::doc), the
// options on, the checked menu entries.
QStringList looks(const EditorFixture& f)
{
    QStringList s;
    for (qsizetype i = 0; i < f.prompts.asked().size(); ++i)
        s << f.said(i);
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            s << w->objectName();
    Editor& e = *f.editor;
    s << u"COM%1"_s.arg(e.selectedPort()) << u"ID%1"_s.arg(e.PlcId) << colours(f.txt())
      << u"mnemonics "_s + f.txt()->scheme().mnemonic.name() << u"run %1"_s.arg(e.RunMode) << f.doc();
    const QList<bool> on{bool(e.AutoIndent), bool(e.DebugMode), e.link().fast(), f.txt()->highlighting(),
                         f.txt()->lineNumbers()};
    for (qsizetype i = 0; i < on.size(); ++i)
        if (on[i])
            s << u"indent debug fast colours lines"_s.split(u' ')[i];
    for (const QAction* a : e.findChildren<QAction*>())
        if (a->isChecked() && !a->objectName().isEmpty())
            s << a->objectName();
    return s;
}

struct StartCase
{
    QString missing;       // "es.def" or "library"
    QStringList arguments; // files in the program folder
    QString locale, said;  // said: the one prompt, if any: its title, then what it holds
    QString doc;           // and the text
    bool debug;
};
struct Play
{
    QString text;
    int selStart, selLength; // indices count a line break as CR LF
    bool autoIndent;
    QString steps, expected; // steps: see play()
    QList<int> sel;
    QString panel; // with the line count; none: not checked
    QString told;  // "(menu)": the instruction menu is open
};
} // namespace
Q_DECLARE_METATYPE(StartCase)
Q_DECLARE_METATYPE(Play)

class TestEditor : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;
    // Opens the colour dialog and clicks the named controls in it (comma-separated).
    Colorset* chooseColours(const QString& clicks)
    {
        f->trigger("mnColoresEditor");
        auto* d = f->editor->findChild<Colorset*>();
        for (const QString& name : clicks.split(u',', Qt::SkipEmptyParts))
            QTest::mouseClick(d->findChild<QWidget*>(name), Qt::LeftButton);
        return d;
    }

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    // Each menu entry: its menu, caption and shortcut; that shortcut typed into the text box (else the
    // entry triggered) on a saved program with a change typed, what it sets off (see looks(); "-"
    // what it ends) when none of its prompts is answered. The tool-bar button at a position does the same.
    void menuWiring_data()
    {
        QTest::addColumn<QString>("path"); // menu/entry, by caption, and shortcut
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("effect");
        const QString save = u"Salvar archivo | El Archivo n.prg no ha sido salvado.\r\n¨Salvar ahora?"_s,
                      was = u"-~/n.prg [n.prg] modified"_s,
                      compiled = u"~/n.prg [Bytes compilados:  3] modified compiled, "_s + was;
        // clang-format off
        QTest::newRow("mnCargar") << u"&Archivo/&Cargar Ctrl+F"_s << 2 << u"Cargar programa | *.prg|*.prg"_s;
        QTest::newRow("mnSalvar") << u"&Archivo/&Salvar Ctrl+S"_s << 4 << u"~/n.prg [n.prg], "_s + was;
        QTest::newRow("mnSalvarComo") << u"&Archivo/Salvar co&mo Ctrl+M"_s << 0 << u"Salvar como | Programas *.PRG|*.PRG"_s;
        QTest::newRow("mnNuevoArchivo") << u"&Archivo/&Nuevo Ctrl+N"_s << 3 << save;
        QTest::newRow("mnCerrarArchivo") << u"&Archivo/C&errar"_s << 5 << save + u", ~/ [Nuevo], "_s + was;
        QTest::newRow("mnSalir") << u"&Archivo/Sa&lir Ctrl+F4"_s << 0 << u"Salvar | El programa ha sido modificado. ¨ Salvarlo ?, -Editor"_s;
        QTest::newRow("mnBuscar") << u"&Edición/&Buscar Ctrl+F3"_s << 15 << u"Buscar | Texto a buscar:"_s;
        QTest::newRow("mnBuscarSiguiente") << u"&Edición/Buscar &siguiente F3"_s << 0 << u"Buscar | Texto a buscar:"_s;
        QTest::newRow("mnCompilar") << u"&Programa/&Compilar programa Ctrl+L"_s << 7 << compiled;
        QTest::newRow("mnDescompilar") << u"&Programa/&Descompilar"_s << 0 << save + u", Cargar programa compilado | *.obj|*.obj"_s;
        QTest::newRow("mnEnviarPrg") << u"&Programa/&Enviar programa Ctrl+E"_s << 8 << u"Error de comunicación | No hay respuesta del PLC, "_s + compiled;
        QTest::newRow("mnEnviarBin") << u"&Programa/En&viar compilado (.OBJ)"_s << 0 << save + u", Cargar programa compilado | *.obj|*.obj"_s;
        QTest::newRow("mnEnviarBld") << u"&Programa/Enviar compilado del &Ladder (.BLD)"_s << 0 << save + u", Cargar programa compilado del Ladder | *.bld|*.bld"_s;
        QTest::newRow("mnRecibir") << u"&Programa/&Recibir"_s << 9 << u"Recprg"_s;
        QTest::newRow("mnVerificar") << u"&Programa/Veri&ficar programa"_s << 10 << u"Verificar programa | Contraseña (4B7E es deshabilitado), "_s + compiled;
        QTest::newRow("mnId") << u"PLC/&Id (identificador) PLC"_s << 0 << u"N§ de identificaci¢n |  N£mero de identificador del PLC: entre 1 y 255\r\n"_s;
        QTest::newRow("mnMonitor") << u"PLC/&Monitor variables"_s << 13 << u"Monitor"_s;
        QTest::newRow("mnEnlaceRapido") << u"PLC/Enlace &rápido"_s << 0 << u"fast, mnEnlaceRapido"_s;
        QTest::newRow("mnRunRet") << u"PLC/Retener variables al Correr"_s << 0 << u"run 2, mnRunRet, -run 0, -mnRun0"_s;
        QTest::newRow("mnRunRst") << u"PLC/Reset variables al Correr"_s << 0 << u"run 1, mnRunRst, -run 0, -mnRun0"_s;
        QTest::newRow("mnPresetCnt") << u"PLC/&Presetear contadores"_s << 0 << u"Precnt"_s;
        QTest::newRow("mnColoresEditor") << u"&Opciones/Co&lores"_s << 0 << u"Colorset"_s;
        QTest::newRow("mnAutoIdent") << u"&Opciones/Auto &ident"_s << 0 << u"-indent, -mnAutoIdent"_s;
        QTest::newRow("mnResaltar") << u"&Opciones/&Resaltar sintaxis"_s << 0 << u"-colours, -mnResaltar"_s;
        QTest::newRow("mnLineas") << u"&Opciones/&Números de línea"_s << 0 << u"-lines, -mnLineas"_s;
        QTest::newRow("mnPuertosSerie") << u"&Opciones/&Puertos serie..."_s << 0 << u"Puertos"_s;
        QTest::newRow("mnDebugMode") << u"&Opciones/Modo &debug"_s << 0 << u"debug, mnDebugMode"_s;
        QTest::newRow("mnAyudaSub") << u"A&yuda/Ay&uda F1"_s << 0 << u"HelpWindow"_s;
        QTest::newRow("mnQAyuda") << u"A&yuda/A&yuda rápida Ctrl+F1"_s << 0 << u"Error | No se halla el archivo QHELP.AYD"_s;
        QTest::newRow("mnAcercaDe") << u"A&yuda/&Acerca de"_s << 0 << u"Presenta"_s;
        // clang-format on
    }
    void menuWiring()
    {
        QFETCH(QString, path);
        QFETCH(int, button);
        QAction* entry = f->action(QTest::currentDataTag());
        const auto* menu = entry ? qobject_cast<QMenu*>(entry->associatedObjects().value(0)) : nullptr;
        QVERIFY(menu);
        QCOMPARE(
            QString(menu->title() + u'/' + entry->text() + u' ' + entry->shortcut().toString()).trimmed(),
            path);
        for (const int position : QList<int>{0, button}.first(button ? 2 : 1)) {
            if (position)
                QVERIFY(f.emplace().start());
            f->setText(u"ld e1\nend"_s);
            f->run("mnSalvarComo", u"n.prg"_s);
            QTest::keyClicks(f->txt(), u" "_s);
            f->prompts.clear();
            const QStringList before = looks(*f);
            if (position)
                f->editor->toolAction(position)->trigger();
            else
                entry->shortcut().isEmpty() ? entry->trigger()
                                            : QTest::keySequence(f->txt(), entry->shortcut());
            const QStringList after = looks(*f);
            QStringList changed = after;
            changed.removeIf([&](const QString& t) { return before.contains(t); });
            for (const QString& t : before)
                if (!after.contains(t))
                    changed << u'-' + t;
            f->prompts.clear();
            QTEST(changed.join(u", "_s), "effect");
        }
    }

    // Refused without es.def or the library: the message names what is missing, nothing is loaded
    // and nothing written. A file named on the command line opens as "Cargar" or "Descompilar"
    // would open it; the debug switch counts in any case and place, and leaves its mark off. The
    // date is the user's locale's, or Spanish where none is set.
    void startUp_data()
    {
        QTest::addColumn<StartCase>("c");
        auto row = [](const char* name, const StartCase& c) { QTest::newRow(name) << c; };
        // clang-format off
        row("plain", {{}, {}, {}, {}, "~/ []: ", false});
        row("en_US", {{}, {}, "en_US", {}, "~/ []: ", false});
        row("without es.def", {"es.def", {}, {}, "Archivo faltante | en este caso ~/\r\n", " []: ", false});
        // an empty registration store: the message names the class that cannot be created
        row("without the library", {"library", {}, {}, "OrvLib2 | OrvLibCls", " []: ", false});
        row("source", {{}, {"p.prg", "/debugmode"}, {}, {}, "~/p.prg [p.prg]: ld e1\nend\n", true});
        row("object, unnamed", {{}, {"/DeBugMODE", "P.OBJ"}, {}, {}, "~/ [] modified:         LD e1\n        END\n\n", true});
        row("Ladder", {{}, {"P.BLD"}, {}, {}, "~/ [] modified:         LD e1\n        OUT s1\n        END\n\n", false});
        row("unreadable", {{}, {"none.prg", "/debug"}, {}, "No se puede cargar: | No se puede leer el archivo ~/none.prg", "~/ []: ",
                           false});
        // clang-format on
    }
    void startUp()
    {
        QFETCH(StartCase, c);
        const QByteArray store = qgetenv("ORVLIB_REGISTRY");
        QLocale::setDefault(QLocale(c.locale)); // none: C
        f.emplace(c.missing != u"es.def"_s);
        if (c.missing == u"library"_s)
            qputenv("ORVLIB_REGISTRY", f->path(u"empty.reg"_s).toLocal8Bit());
        f->write(u"p.prg"_s, "ld e1\r\nend");
        f->write(u"P.OBJ"_s, "hdr" + QByteArray::fromHex("06000f") + QByteArray(253, '\0'));
        f->write(u"P.BLD"_s, "ladder\n" + QByteArray::fromHex("06000b080f"));
        for (QString& a : c.arguments)
            a = a.startsWith(u'/') ? a : f->path(a);
        if (!c.said.isEmpty())
            f->prompts.answerMessage(Prompts::Ok);
        const bool started = f->start(c.arguments);
        qputenv("ORVLIB_REGISTRY", store);
        QLocale::setDefault(QLocale::system());
        QCOMPARE(started, c.missing.isEmpty());
        QVERIFY2(f->told().startsWith(c.said.section(u" | "_s, 0, 0)) &&
                     f->told().contains(c.said.section(u" | "_s, 1)),
                 qPrintable(f->told()));
        QCOMPARE(f->doc() + u": "_s + f->txt()->toPlainText(), c.doc);
        QVERIFY(f->editor->DebugMode == c.debug && !f->action("mnDebugMode")->isChecked());
        if (!started) {
            QVERIFY(f->editor->cbVariables.isEmpty() && !f->action("mnI0")->isVisible());
            f->editor->close();
            QVERIFY(!QFile::exists(f->path(u"dmk38.ini"_s)));
            return;
        }
        QVERIFY(f->editor->AppPath == f->path() && f->editor->cbVariables.size() == 92);
        QVERIFY(f->txt()->isVisible() && !f->child("Presenta")->isVisible() &&
                !f->child("frProgreso")->isVisible());
        QCOMPARE(f->panel(3), u"Fila:Columna"_s);
        const QLocale shown(c.locale.isEmpty() ? u"es_ES"_s : c.locale);
        QCOMPARE(f->panel(1), shown.toString(QDate::currentDate(), QLocale::ShortFormat));
        // however narrow the window, the time keeps room for its text
        f->editor->resize(150, 300);
        auto* time = f->child<QLabel>("Panel2");
        QTRY_VERIFY(time->width() >= time->sizeHint().width());
        // where Courier New is absent a metric-compatible face stands in
        QVERIFY2(QFontInfo(f->txt()->font()).fixedPitch(), qPrintable(QFontInfo(f->txt()->font()).family()));
        // the first click sets the mark and keeps the mode on
        f->trigger("mnDebugMode");
        QVERIFY(f->action("mnDebugMode")->isChecked() && f->editor->DebugMode);
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
        // its list is the instruction table's (tst_compile), with the unused entries hidden
        QStringList listed, visible;
        for (const auto* row : isa::menuInstructions())
            listed << row->upperMnemonic();
        for (QAction* a : menu->actions())
            if (a->isVisible() && !a->isSeparator())
                visible << a->text();
        QCOMPARE(visible, listed);
        QVERIFY(!menu->actions().isEmpty() && menu->actions().last()->isSeparator());
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

    // Copy and cut wait for a selection, paste for something to paste.
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
    }

    // What the user's steps leave in the text box: the text, the selection, the status panel (it
    // follows the caret on a key, not on a move made in code), and what was asked.
    void play_data()
    {
        QTest::addColumn<Play>("c");
        const QString line = u"first\n        ld e1"_s, found = u"LD E1\nout s1\nld e2"_s,
                      find = u"Buscar | Texto a buscar:"_s;
        auto row = [](const char* name, const Play& c) { QTest::newRow(name) << c; };
        // clang-format off
        row("Enter at a line end: 8 blanks", {"ld e1", 5, 0, true, "Return", "ld e1\n        ", {15, 0}, "2:9 2", {}});
        row("Enter mid-line: caret 8 in", {"ld e1 and e2 or e3", 5, 0, true, "Return", "ld e1\n and e2 or e3", {15, 0}, "2:9 2", {}});
        row("Enter, auto indent off", {"ld e1", 5, 0, false, "Return", "ld e1\n", {7, 0}, "2:1 2", {}});
        row("Home: column 1", {line, 18, 0, true, "Home", line, {7, 0}, "2:1 2", {}});
        row("Home twice: first letter", {line, 18, 0, true, "Home,Home", line, {15, 0}, "2:9 2", {}});
        row("Home, blanks only", {"x\n    ", 3, 0, true, "Home", "x\n    ", {7, 0}, "2:5 2", {}});
        row("Home, tabs and blanks", {"x\n \t ld", 3, 0, true, "Home", "x\n \t ld", {6, 0}, "2:4 2", {}});
        row("Home, empty line", {"x\n", 3, 0, true, "Home", "x\n", {3, 0}, "2:1 2", {}});
        row("Shift+Home: no selection", {line, 18, 0, true, "Shift+Home", line, {15, 0}, "2:9 2", {}});
        row("Ctrl+Home: top, first letter", {"   x\nabc", 7, 0, true, "Ctrl+Home", "   x\nabc", {3, 0}, "1:4 2", {}});
        row("Right", {"ld e1\n        out s1", 15, 0, true, "Right", "ld e1\n        out s1", {16, 0}, "2:10 2", {}});
        row("Tab replaces the selection", {"ld e1", 2, 1, true, "Tab", "ld        e1", {10, 0}, {}, {}});
        row("Tab, auto indent off", {"ld e1", 2, 0, false, "Tab", "ld e1", {2, 0}, {}, {}});
        // neither types nor leaves the text box
        row("Alt+I: no menu's key", {"ld e1", 5, 0, true, "Alt+I", "ld e1", {5, 0}, {}, {}});
        row("Shift+Tab", {"ld e1", 5, 0, true, "Shift+Backtab", "ld e1", {5, 0}, {}, {}});
        // an instruction goes in with a blank; the Enter right after it does not indent, the next
        // does; chosen in the pop-up by Enter, only that key's release reaches the text
        row("OUT, Enter, Enter", {{}, 0, 0, true, "mnI28,E,1,Return,Return", "OUT e1\n\n        ", {18, 0}, "3:9 3", {}});
        row("OUT from the pop-up, Enter", {{}, 0, 0, true, "Ctrl+P,mnI28,release Return,S,1,Return", "OUT s1\n", {8, 0}, "2:1 2", {}});
        row("OUT replaces the selection", {"ld e1\nxxx s1", 7, 4, true, "mnI28", "ld e1\nOUT s1", {11, 0}, {}, {}});
        // the instruction menu opens at Ctrl+P, or at a click with Shift, Ctrl or Alt
        row("Ctrl+P", {"x", 0, 0, true, "Ctrl+P", "x", {0, 0}, {}, "(menu)"});
        row("click", {"x", 0, 0, true, "click", "x", {1, 0}, {}, {}});
        row("Shift click", {"x", 0, 0, true, "Shift+click", "x", {0, 1}, {}, "(menu)"});
        row("Ctrl click", {"x", 0, 0, true, "Ctrl+click", "x", {1, 0}, {}, "(menu)"});
        row("Alt click", {"x", 0, 0, true, "Alt+click", "x", {1, 0}, {}, "(menu)"});
        row("copy, paste at the end", {"ld e1", 1, 1, true, "mnCopiarTxt,End,mnPegarTxt", "ld e1d", {6, 0}, {}, {}});
        // the clipboard holds the last row's copy: the cut must replace it
        row("cut, paste twice, undo", {"ld e1", 3, 1, true, "mnCortarTxt,Home,mnPegarTxt,End,mnPegarTxt,tbDeshacer", "eld 1", {5, 0}, {}, {}});
        // find starts at the top, whatever the caret, ignoring letter case, offering the selection;
        // find next one past the selection's start; where there is none more the caret stays
        row("find", {found, 15, 2, true, "?ld e,mnBuscar", found, {0, 4}, {}, find});
        row("find next", {found, 15, 2, true, "?ld e,mnBuscar,mnBuscarSiguiente", found, {15, 4}, {}, find});
        row("find next, no more", {found, 15, 2, true, "?ld e,mnBuscar,mnBuscarSiguiente,Ok,mnBuscarSiguiente", found, {15, 0}, {},
                                   find + " / No hallado | No se ha hallado: LD E"});
        row("find, none", {found, 15, 2, true, "?xyz,Ok,mnBuscar", found, {15, 0}, {}, find + " / No hallado | No se halla  XYZ"});
        // a cancelled box empties the search text: find next then asks again
        row("find cancelled", {found, 15, 2, true, "?ld e,mnBuscar,?,tbBuscar,?OUT,mnBuscarSiguiente", found, {7, 3}, {}, find + " / " + find + " / " + find});
        // clang-format on
    }
    void play()
    {
        QFETCH(Play, c);
        f->editor->AutoIndent = c.autoIndent;
        f->setText(c.text, c.selStart, c.selLength);
        // "?text" answers an input box ("?" cancels it), "Ok" a message; mn..., tb... run an action;
        // anything else is a key, typed or (after "release") only released, or a click
        for (const QString& step : c.steps.split(u',', Qt::SkipEmptyParts)) {
            const QKeyCombination key =
                QKeySequence(QString(step).remove(u"release "_s).replace(u"click"_s, u"F35"_s))[0];
            if (step.startsWith(u'?'))
                f->prompts.answerInput(step.size() > 1 ? std::optional(step.mid(1)) : std::nullopt);
            else if (step == u"Ok"_s)
                f->prompts.answerMessage(Prompts::Ok);
            else if (step.startsWith(u"mn"_s) || step.startsWith(u"tb"_s)) {
                emit f->child<QMenu>("mnEdicion")->aboutToShow(); // as a user opening the menu finds it
                f->trigger(qPrintable(step));
                f->editor->instructionMenu()->close();
            } else if (step.endsWith(u"click"_s))
                QTest::mouseClick(f->txt()->viewport(), Qt::LeftButton, key.keyboardModifiers(),
                                  QPoint(20, 10));
            else if (step.startsWith(u"release"_s))
                QTest::keyRelease(f->txt(), key.key(), key.keyboardModifiers());
            else
                QTest::keyClick(f->txt(), key.key(), key.keyboardModifiers());
        }
        const bool menu = f->editor->instructionMenu()->isVisible();
        f->editor->instructionMenu()->close();
        QCOMPARE(f->txt()->toPlainText(), c.expected);
        QCOMPARE(f->sel(), c.sel);
        QVERIFY(f->txt()->hasFocus());
        QCOMPARE(f->told() + (menu ? u"(menu)"_s : QString()), c.told);
        if (c.told.startsWith(u"Buscar"_s))
            QCOMPARE(f->prompts.asked().value(0).defaultText, u"ld"_s); // the selection is offered
        if (c.panel.isEmpty())
            return;
        f->txt()->setSel(0);
        QCOMPARE(f->panel(3) + u' ' + QString::number(f->editor->EditStatus.LineCount), c.panel);
    }

    // Leaving asks to save typed work and stays when that save is cancelled; the settings are
    // written then, or their failure told with the file and the reason.
    void leaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("said"); // how the prompts begin
        const QString save = u"Salvar | El programa ha sido modificado. ¨ Salvarlo ?"_s;
        // clang-format off
        QTest::newRow("Yes, save cancelled, stays") << u"ld e1"_s << u"Yes,-"_s << save + u" / Salvar como | Programas *.PRG|*.PRG"_s;
        QTest::newRow("settings not written") << QString() << u"Ok"_s
                                              << u"Configuración | No se pudieron guardar las opciones (colores, puerto, identificador):\r\n~/dmk38.ini: "_s;
        // clang-format on
    }
    void leaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, answers);
        QFETCH(QString, said);
        const bool unwritable = said.startsWith(u"Configuración"_s);
        if (unwritable)
            QVERIFY(QDir(f->path()).mkdir(u"dmk38.ini"_s));
        QTest::keyClicks(f->txt(), typed);
        f->run("mnSalir", answers);
        QVERIFY2(f->told().startsWith(said), qPrintable(f->told()));
        QCOMPARE(f->editor->isVisible(), answers.endsWith(u'-'));
        QCOMPARE(f->txt()->toPlainText(), typed);
        QCOMPARE(QFileInfo(f->path(u"dmk38.ini"_s)).isFile(), !f->editor->isVisible() && !unwritable);
    }

    void settingsSurviveARestart()
    {
        QCOMPARE(
            looks(*f).join(u", "_s),
            u"Editor, COM2, ID1, #c0c0c0 on #000000, mnemonics #ffff00, run 0, ~/ [], indent, "
            "colours, lines, mnSalsOff, mnRun0, mnAutoIdent, mnResaltar, mnLineas, mnIdiomaSistema, mnCom2"_s);
        for (const char* option :
             {"mnCom6", "mnRunRst", "mnRunRet", "mnAutoIdent", "mnEnlaceRapido", "mnLineas"})
            f->trigger(option);
        chooseColours(u"lbColorFondo1,opControl1,lbColorFrente11,cmdAceptar"_s); // "Destacado": the mnemonics
        QDir(f->path()).mkdir(u"progs"_s);
        f->run("mnSalvarComo", u"progs/a.prg"_s);
        f->prompts.clear();
        QString before = looks(*f).join(u", "_s);
        QCOMPARE(
            before,
            u"Editor, COM6, ID1, #000000 on #000080, mnemonics #00ffff, run 2, ~/progs/a.prg [a.prg], fast, "
            "colours, mnEnlaceRapido, mnSalsOff, mnRunRet, mnResaltar, mnIdiomaSistema, mnCom6"_s);
        f->trigger("mnSalir");
        // a second start of the window on the same folder
        QVERIFY(f->start());
        QCOMPARE(looks(*f).join(u", "_s),
                 before.replace(u"a.prg [a.prg]"_s, u" []"_s)); // the folder, not the program
    }

    // The colour dialog: the last click of a row of swatches chooses, a colour not chosen is 0
    // (black); "Destacado" colours only lbMuestra. "&Aceptar" hands the sample's colours to the text.
    void colourDialog_data()
    {
        QTest::addColumn<QString>("clicks"); // comma-separated
        QTest::addColumn<QString>("shown");  // the sample and lbMuestra; once closed, the text box
        const QString plain = u", muestra "_s + QLabel().palette().color(QPalette::WindowText).name();
        const QString chosen = u"lbColorFrente14,lbColorFondo1,opControl1,lbColorFrente12,"_s;
        // clang-format off
        QTest::newRow("only background 1") << u"lbColorFondo1"_s << u"#000000 on #000080"_s + plain;
        QTest::newRow("last click of a row wins") << u"lbColorFrente12,lbColorFondo3,lbColorFrente15"_s << u"#ffffff on #008080"_s + plain;
        QTest::newRow("Destacado colours only lbMuestra") << u"lbColorFrente10,opControl1,lbColorFrente12,lbColorFondo9"_s
                                                          << u"#00ff00 on #000000, muestra #ff0000"_s;
        QTest::newRow("&Aceptar") << chosen + u"cmdAceptar"_s << u"#ffff00 on #000080"_s;
        QTest::newRow("&Cancelar changes nothing") << chosen + u"cmdCancelar"_s << u"#c0c0c0 on #000000"_s;
        // clang-format on
    }
    void colourDialog()
    {
        QFETCH(QString, clicks);
        Colorset* d = chooseColours(clicks);
        auto shownBy = [d] {
            return colours(d->findChild<QTextEdit*>(u"txtMuestra"_s)) + u", muestra "_s +
                   d->findChild<QLabel*>(u"lbMuestra"_s)->palette().color(QPalette::WindowText).name();
        };
        QTEST(d->isVisible() ? shownBy() : colours(f->txt()), "shown");
        // the dialog does not block the window, there is one at most, and it starts afresh from
        // the text's colours: Editor selected, both numbers 0
        const QString text = colours(f->txt());
        chooseColours({});
        QVERIFY(d->isVisible() && !d->isModal() && f->editor->findChildren<Colorset*>().size() == 1);
        QVERIFY2(shownBy().startsWith(text), qPrintable(shownBy()));
        QTest::mouseClick(d->findChild<QWidget*>(u"lbColorFondo2"_s), Qt::LeftButton);
        QCOMPARE(shownBy(),
                 u"#000000 on #008000, muestra "_s + QLabel().palette().color(QPalette::WindowText).name());
    }

    void aboutBox()
    {
        for (const bool byEsc : {true, false}) {
            f->trigger("mnAcercaDe");
            auto* about = f->child<QDialog>("Presenta");
            QVERIFY(about->isVisible() && !about->isModal());
            // the build's version with the minor as two digits and the revision as three: 1.05.007
            const QString version = about->findChild<QLabel*>(u"lbVersion"_s)->text();
            QVERIFY2(QRegularExpression(u"^\\d+\\.\\d\\d\\.\\d\\d\\d$"_s).match(version).hasMatch() &&
                         QVersionNumber::fromString(version).normalized() ==
                             QVersionNumber::fromString(QStringLiteral(WMK38_VERSION)).normalized(),
                     qPrintable(version));
            const QLabel* licence = about->findChild<QLabel*>(u"lbLicencia"_s);
            QVERIFY(licence->isVisible() && licence->text().contains(u"GPL-3.0-or-later"_s));
            auto* accept = about->findChild<QPushButton*>(u"cmdAceptar"_s);
            QVERIFY(accept->isVisible() && accept->text() == u"&Aceptar"_s);
            byEsc ? QTest::keyClick(about, Qt::Key_Escape) : accept->click();
            QVERIFY(!about->isVisible());
        }
    }

    // Quick help (Ctrl+F1): qhelp.ayd of the program folder as it is, in a read-only window
    // that Esc closes.
    void quickHelp_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown"); // title, then the raw text
        QTest::newRow("empty: an empty window") << QByteArray() << u"Ayuda r\u00A0pida | "_s;
        // bytes 0xA0 and 0x80 differ between Windows-1252 and Latin-1
        QTest::newRow("Windows-1252 unchanged")
            << QByteArray("Ayuda r\xE1pida\r\nAcci\xF3n: \x80 5\xA0x\r\n")
            << u"Ayuda r\u00A0pida | Ayuda r\u00E1pida\nAcci\u00F3n: \u20AC 5\u00A0x\n"_s;
    }
    void quickHelp()
    {
        QFETCH(QByteArray, file);
        QVERIFY(f->write(u"qhelp.ayd"_s, file));
        QString shown;
        // looked for until it shows; one that shows unfound is closed at the deadline, so it fails
        QTimer look;
        const QDeadlineTimer deadline(20000);
        connect(&look, &QTimer::timeout, &look, [&] {
            QWidget* w = QApplication::activeModalWidget();
            auto* box = w ? w->findChild<QPlainTextEdit*>(u"txtAyuda"_s) : nullptr;
            if (!box && deadline.hasExpired() && w)
                w->close();
            if (!box)
                return;
            look.stop();
            // toPlainText() would turn the no-break space into a blank
            shown = w->windowTitle() + u" | "_s +
                    box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
            shown += box->isReadOnly() ? QString() : u" (editable)"_s;
            QTest::keyClick(box, Qt::Key_Escape);
            shown += w->isVisible() ? u" (Esc ignored)"_s : QString();
            w->close();
        });
        look.start(10);
        QTest::keyClick(f->editor.get(), Qt::Key_F1, Qt::ControlModifier);
        QTEST(shown, "shown");
    }

    void shippedHelpDocumentsEveryMnemonic()
    {
        const QByteArray quick = testutil::readRaw(QStringLiteral(WMK38_BIN_DIR "/qhelp.ayd"));
        QVERIFY2(!quick.contains("\xC3") && quick.endsWith("\r\n"), "Windows-1252 with CR LF expected");
        QCOMPARE(quick.count('\n'), quick.count("\r\n"));
        const QString manual = manualHtml(u"1.00.000"_s);
        for (const auto& row : isa::instructions()) {
            const QString m = row.upperMnemonic(), lower = m.toLower();
            QVERIFY2(QString::fromLatin1(quick).contains(QRegularExpression(u"(^|\\n)%1 +\\S"_s.arg(m))),
                     qPrintable(m));
            QVERIFY2(manual.contains(u"<a name=\"i_%1\"></a>%2</h4>"_s.arg(lower, m)), qPrintable(m));
            QVERIFY2(manual.contains(u"<a href=\"#i_%1\">"_s.arg(lower)), qPrintable(m));
        }
    }

    // The manual (F1): one window however often asked, its contents and links leading somewhere.
    void helpWindow()
    {
        QTest::keyClick(f->editor.get(), Qt::Key_F1);
        QTest::keyClick(f->editor.get(), Qt::Key_F1);
        const QList<HelpWindow*> windows = f->editor->findChildren<HelpWindow*>();
        QVERIFY(windows.size() == 1 && windows[0]->isVisible());
        auto* browser = windows[0]->findChild<QTextBrowser*>(u"txtManual"_s);
        auto* contents = windows[0]->findChild<QListWidget*>(u"lstContenido"_s);
        QVERIFY(browser->toPlainText().contains(f->editor->VersionText) && contents->count() >= 10);
        // every internal link of the shown document, and every contents entry, has its anchor
        QStringList anchors, links;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat c = it.fragment().charFormat();
                anchors << c.anchorNames();
                if (c.isAnchor() && !c.anchorHref().isEmpty())
                    links << c.anchorHref();
            }
        QVERIFY(links.size() > 60);
        for (const QString& link : std::as_const(links))
            QVERIFY2(link.startsWith(u'#') && anchors.contains(link.mid(1)), qPrintable(link));
        for (int i = 0; i < contents->count(); ++i)
            QVERIFY(anchors.contains(contents->item(i)->data(Qt::UserRole).toString()));
        // choosing an entry moves the page there
        QVERIFY(QTest::qWaitForWindowExposed(windows[0]));
        QScrollBar* bar = browser->verticalScrollBar();
        bar->setValue(0);
        QListWidgetItem* last = contents->item(contents->count() - 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
        QVERIFY(bar->value() > 0);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
