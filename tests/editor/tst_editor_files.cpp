// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands in the window, on real files: open, save, save as, new, close, compile, save
// compiled, decompile. What the compiler and the translator produce is their own tests' matter.
#include "EditorTest.h"
#include "Minimsg.h"
#include "ObjCode.h"

using namespace Qt::StringLiterals;

namespace {
QByteArray padded(QByteArray bytes)
{
    return bytes.append(QByteArray(256 - bytes.size(), '\0'));
}
const QByteArray kLdOutEnd = padded(QByteArray::fromHex("06000b080f"));

struct Command
{
    QString command, answers; // answers as EditorFixture::run takes them, comma-separated
    bool saveFails;           // n.prg is a folder until a retry
    QString told, doc;        // how the prompts read; the document, its text and its file (else n.prg)
};
struct Build
{
    QString source, program; // saved first under that name, if any
    QString answers, told, panel;
    QString proposed; // by the save dialog, folder and name; none: the compile is rejected
    QStringList equs; // names, then values
    QString written;  // the object file; none: p.obj stays as it was
};
} // namespace
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Build)

class TestEditorFiles : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;
    QByteArray image() const
    {
        const auto& i = f->editor->ProgramImage;
        return QByteArray(reinterpret_cast<const char*>(i.data()), qsizetype(i.size()));
    }
    Minimsg* mini() const { return f->editor->findChild<Minimsg*>(u"Minimsg"_s); }
    // The title as the task bar shows it: Qt's marker as "*" while the program is modified.
    QString title() const
    {
        return QString(f->editor->windowTitle()).replace(u"[*]"_s, f->editor->isWindowModified() ? u"*"_s : QString());
    }

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    void openThenSave()
    {
        f->write(u"p.prg"_s, "se\xf1"
                             "al\rout s1");
        QCOMPARE(title(), u"Editor"_s); // a new program has no name
        f->run("mnCargar", u"p.prg"_s);
        QCOMPARE(title(), u"p.prg — Editor"_s);
        QCOMPARE(f->prompts.asked().value(0).folder, f->path());
        // the bar ends at 52 x position / length + 1, the figure at 100
        QCOMPARE(f->child("lbProgreso")->property("units").toInt(), 53);
        QCOMPARE(f->child<QLineEdit>("txtProgreso")->text(), u"100"_s);
        // saved unchanged, the file gains one empty line; then the menu's save waits for a change
        f->trigger("mnSalvar");
        QCOMPARE(f->read(u"p.prg"_s), QByteArray("se\xf1"
                                                 "al\r\nout s1\r\n\r\n"));
        QVERIFY(!f->action("mnSalvar")->isEnabled());
        QTest::keyClicks(f->txt(), u"x"_s);
        QCOMPARE(title(), u"p.prg* — Editor"_s);
        f->trigger("mnSalvar");
        QCOMPARE(title(), u"p.prg — Editor"_s);
        QVERIFY(f->read(u"p.prg"_s).startsWith("xse"));
        // the next open proposes the current name
        f->run("mnCargar", u"-"_s);
        QCOMPARE(f->prompts.asked().value(1).defaultText, u"p.prg"_s);
    }

    // A command on "xld e1", typed over "ld e1" saved as n.prg. A command that replaces the text
    // offers to save unsaved work first, and a save that fails stops it: nothing typed is lost.
    // A load that is refused leaves the text and its name as they were.
    void commands_data()
    {
        QTest::addColumn<Command>("c");
        const QString
            save = u"Salvar archivo | El Archivo n.prg no ha sido salvado.\r\n¨Salvar ahora?"_s,
            failed =
                u" / Error | Se produjo error  75, Error de acceso a la ruta o el archivo. ¨ Reintentar ?"_s,
            noName = u" / No se puede grabar: | No se ha especificado el nombre del archivo"_s,
            open = u"Cargar programa | *.prg|*.prg"_s, obj = u" / Cargar programa compilado | *.obj|*.obj"_s,
            saveAs = u"Salvar como | Programas *.PRG|*.PRG"_s,
            over = u" / Sobreescribir | El archivo ~/otra/existe.prg ya existe: Sobreescribir?"_s,
            kept = u"~/n.prg [n.prg] modified | xld e1 | ld e1\r\n"_s,
            stopped = u"~/n.prg [n.prg] modified | xld e1 | "_s;
        auto row = [](const char* name, const Command& c) { QTest::newRow(name) << c; };
        // clang-format off
        row("new, No keeps all", {"mnNuevoArchivo", "No", false, save, kept});
        row("new, Yes saves, clears", {"mnNuevoArchivo", "Yes", false, save, "~/ [Nuevo] |  | xld e1\r\n"});
        row("new, Yes, save fails: stops", {"mnNuevoArchivo", "Yes,No", true, save + failed, stopped});
        row("close, No discards", {"mnCerrarArchivo", "No", false, save, "~/ [Nuevo] |  | ld e1\r\n"});
        row("close, Yes, save fails: stops", {"mnCerrarArchivo", "Yes,No", true, save + failed, stopped});
        // Windows-1252, CR LF and a lone CR
        row("open, No loads", {"mnCargar", "other.prg,No", false, open + " / " + save,
                               "~/other.prg [other.prg] | ; señal\nld e1\nout s1\n | ; señal\r\nld e1\rout s1\r\n"});
        row("open, save fails: stops", {"mnCargar", "other.prg,Yes,No", true, open + " / " + save + failed, stopped});
        // the translation is a new program: no name, not compiled
        row("decompile, No translates", {"mnDescompilar", "No,x.obj", false, save + obj,
                                         "~/ [] modified |         GOTO L_4\n        END\n\nL_4     LD e1\n        OUT s1\n        END\n\n | ld e1\r\n"});
        row("decompile, save fails: stops", {"mnDescompilar", "Yes,No", true, save + failed, stopped});
        row("save fails, No gives up", {"mnSalvar", "No", true, failed.mid(3), stopped});
        row("save fails, Yes tries again", {"mnSalvar", "Yes", true, failed.mid(3), "~/n.prg [n.prg] | xld e1 | xld e1\r\n"});
        row("open cancelled", {"mnCargar", "-", false, open, kept});
        row("open, no name", {"mnCargar", ",Ok", false, open + noName, kept});
        row("open, missing", {"mnCargar", "x.prg,Ok", false, open + " / No se puede cargar: | No se puede leer el archivo ~/x.prg", kept});
        row("decompile, no name", {"mnDescompilar", "No,,Ok", false, save + obj + noName, kept});
        row("decompile, short file", {"mnDescompilar", "No,short.obj,Ok", false, save + obj + " / No se puede cargar: |", kept});
        // save as: a name typed without extension gets ".prg"; the folder and the name change only
        // once the file is written
        row("save as, no extension", {"mnSalvarComo", "mio", false, saveAs, "~/mio.prg [mio.prg] | xld e1 | xld e1\r\n"});
        row("save as a folder: no name", {"mnSalvarComo", "otra/,Ok", false, saveAs + " / Error | No se especific¢ un nombre: no es posible salvar!", kept});
        row("save as over a file, No", {"mnSalvarComo", "otra/existe,No", false, saveAs + over, kept});
        row("save as over a file, Yes", {"mnSalvarComo", "otra/existe,Yes", false, saveAs + over, "~/otra/existe.prg [existe.prg] | xld e1 | xld e1\r\n"});
        // clang-format on
    }
    void commands()
    {
        QFETCH(Command, c);
        f->write(u"other.prg"_s, "; se\xf1"
                                 "al\r\nld e1\rout s1\r\n");
        f->write(u"short.obj"_s, QByteArray(100, '\x06'));
        // a header of any length: the last 256 bytes count
        f->write(u"x.obj"_s, "hdr" + padded(QByteArray::fromHex("1a030f06000b080f")));
        QDir(f->path()).mkdir(u"otra"_s);
        f->write(u"otra/existe.prg"_s, "old");
        f->setText(u"ld e1"_s);
        f->run("mnSalvarComo", u"n.prg"_s);
        QTest::keyClicks(f->txt(), u"x"_s);
        f->prompts.clear();
        if (c.saveFails) {
            QFile::remove(f->path(u"n.prg"_s));
            QDir(f->path()).mkdir(u"n.prg"_s);
            f->prompts.onMessage = [this](const Prompts::Message& m) {
                if (m.title == u"Error"_s)
                    QDir(f->path()).rmdir(u"n.prg"_s);
            };
        }
        f->run(c.command, c.answers);
        QVERIFY2(f->told().startsWith(c.told), qPrintable(f->told()));
        const QString file =
            QString(f->editor->ProgramFolder + f->editor->CurrentFileName).mid(f->path().size());
        QCOMPARE(f->doc() + u" | "_s + f->txt()->toPlainText() + u" | "_s +
                     QString::fromLatin1(f->read(file.isEmpty() ? u"n.prg"_s : file)),
                 c.doc);
        QVERIFY(f->txt()->isVisible());
        // the title follows every command: the program's name, the marker while it is modified
        QVERIFY2(title().startsWith(f->editor->CurrentFileName.isEmpty() ? u"Editor"_s : f->editor->CurrentFileName),
                 qPrintable(title()));
        QCOMPARE(title().contains(u'*'), bool(f->editor->ProgramModified));
        const auto last = f->prompts.asked().value(f->prompts.asked().size() - 1);
        if (c.saveFails) {
            QCOMPARE(last.buttons, int(Prompts::Yes | Prompts::No));
            QCOMPARE(f->action("mnSalvar")->isEnabled(), bool(f->editor->ProgramModified));
        }
        if (f->txt()->toPlainText().startsWith(u"        GOTO"_s))
            QCOMPARE(f->child<QLineEdit>("txtProgreso")->text(), objcode::loadProgressText(256));
        if (c.command == u"mnSalvarComo"_s)
            QCOMPARE(f->prompts.asked().value(0).mode, Prompts::FileRequest::Save);
        if (last.title == u"Sobreescribir"_s)
            QCOMPARE(last.defaultButton, Prompts::No);
    }

    void loadLimit_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("loadedLines");
        QTest::newRow("32001 in one line") << QByteArray(32001, 'x') << 0;
        // 10 characters and their CR LF count 12: 31988 more fit, 31989 do not
        QTest::newRow("two lines fit") << QByteArray(10, 'a') + "\r\n" + QByteArray(31988, 'b') << 2;
        QTest::newRow("two lines over") << QByteArray(10, 'a') + "\r\n" + QByteArray(31989, 'b') << 1;
    }
    void loadLimit()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, loadedLines);
        const bool cut = loadedLines <= file.count('\n');
        f->write(u"big.prg"_s, file);
        QString during;
        f->prompts.onMessage = [&](const Prompts::Message&) {
            during = f->panel(6) + (f->child("frProgreso")->isVisible() ? u" (progress shown)"_s : QString());
        };
        f->run("mnCargar", cut ? u"big.prg,Ok"_s : u"big.prg"_s);
        QString expected;
        for (const QByteArray& line : file.split('\n').first(loadedLines))
            expected += QString::fromLatin1(line.trimmed()) + u'\n';
        QCOMPARE(f->txt()->toPlainText(), expected);
        QVERIFY(!f->child("frProgreso")->isVisible());
        // a shortened text has no name, so a plain save cannot put it over the longer file
        QCOMPARE(f->doc(), cut ? u"~/ []"_s : u"~/big.prg [big.prg]"_s);
        if (!cut)
            return;
        QCOMPARE(
            f->said(),
            u"Desbordamiento | El límite son 32000 caracteres: solo se cargar\u00A0 parte del archivo"_s);
        QCOMPARE(during, u"Cargando big.prg -  %1 bytes -  ** Espere ** (progress shown)"_s.arg(file.size()));
        f->run("mnSalvar", u"-"_s);
        QCOMPARE(f->said(), u"Salvar como | Programas *.PRG|*.PRG"_s);
        QCOMPARE(f->read(u"big.prg"_s), file);
    }

    // Compile, then save compiled: it asks where, also for a named program, proposing its name with
    // .obj in its folder. A rejected compile keeps the last image, and saves nothing.
    void compile_data()
    {
        QTest::addColumn<Build>("c");
        const QString dialog = u"Salvar binario como | Programas *.OBJ|*.OBJ"_s,
                      ok = u"Bytes compilados:  5"_s, ldOutEnd = u"ld e1\nout s1\nend"_s,
                      overwrite = u" / Sobreescribir | El archivo ~/p.obj ya existe: Sobreescribir?"_s;
        auto row = [](const char* name, const Build& c) { QTest::newRow(name) << c; };
        // clang-format off
        row("typed without extension", {ldOutEnd, {}, "mio", dialog, ok, "~/prog0.obj", {}, "mio.obj"});
        row("named", {ldOutEnd, "progs/motor.v2.prg", "progs/motor.obj", dialog, ok, "~/progs/motor.obj", {}, "progs/motor.obj"});
        row("overwrite declined", {ldOutEnd, {}, "p.obj,No", dialog + overwrite, ok, "~/prog0.obj", {}, {}});
        row("overwrite", {ldOutEnd, {}, "p.obj,Yes", dialog + overwrite, ok, "~/prog0.obj", {}, "p.obj"});
        row("write fails", {ldOutEnd, {}, "no/such/folder/p.obj,No",
                            dialog + " / Error | Se produjo error  76, No se encontró la ruta de acceso. ¨ Reintentar ?", ok, "~/prog0.obj", {}, {}});
        // the names are shown in their order in the text, and their values kept
        row("EQU names", {"delay equ 2.5\nmotor equ s1\nld e1\nout motor\nend", {}, "equ", dialog, ok, "~/prog0.obj", {"motor", "delay", "8", "2.5"}, "equ.obj"});
        // the rejected line is selected, so the user sees where to look
        row("rejected line", {"ld e1\n  LD   ; falta\nend", {}, "Ok", "Error | Error en linea\r\n  LD   ; falta\r\nFalta argumento",
                              "Error:   LD   ; falta", {}, {}, {}});
        row("unresolved jump", {"loop: ld e1\ngoto loop:\nend", {}, "Ok", "Error de salto |  Error: salto a loop: No hallado.",
                                "Error: salto a loop: No hallado.", {}, {}, {}});
        // clang-format on
    }
    void compile()
    {
        QFETCH(Build, c);
        const bool ok = !c.proposed.isEmpty();
        QDir(f->path()).mkdir(u"progs"_s);
        f->write(u"p.obj"_s, "keep");
        QComboBox* equs = f->editor->cbEQUs();
        QVERIFY(!equs->isVisible());
        f->setText(u"ld e2\nend"_s);
        f->trigger("mnCompilar");
        const QByteArray before = image();
        f->setText(c.source);
        if (!c.program.isEmpty())
            f->run("mnSalvarComo", c.program);
        f->prompts.clear();
        // the message window stays on top: it steps aside for a question
        bool miniShown = false;
        f->prompts.onMessage = [&](const Prompts::Message&) { miniShown = mini()->isVisible(); };
        f->run(u"mnCompilar mnSalvarBinario"_s, c.answers); // the latter disabled after a rejected compile
        QVERIFY(f->editor->CompiledCurrent == ok && f->action("mnSalvarBinario")->isEnabled() == ok);
        QCOMPARE(f->told(), c.told);
        QCOMPARE(f->panel(6), c.panel);
        QCOMPARE(image(), ok ? kLdOutEnd : before);
        QVERIFY(!miniShown && !mini()->isVisible());
        QCOMPARE(mini()->text(), ok ? u"Salvando compilado..."_s : u"Compilando..."_s);
        if (c.told.startsWith(u"Error |"_s))
            QCOMPARE(f->txt()->textCursor().selectedText(), u"  LD   ; falta"_s);
        if (ok) {
            const auto r = f->prompts.asked().value(0);
            QCOMPARE(r.mode, Prompts::FileRequest::Save);
            QCOMPARE(QString(r.folder + r.defaultText).replace(f->path(), u"~/"_s), c.proposed);
        }
        // the file's layout is the object writer's; the window gives it the name and the image
        const QByteArray file = f->read(c.written.isEmpty() ? u"p.obj"_s : c.written);
        QVERIFY2(c.written.isEmpty() ? file == "keep"
                                     : file.startsWith((c.written.section(u'/', -1) + u" - "_s).toLatin1()) &&
                                           file.right(256) == kLdOutEnd,
                 file.constData());
        QTRY_VERIFY(equs->isVisible());
        QStringList shown;
        for (int i = 0; i < equs->count(); ++i)
            shown << equs->itemText(i);
        QCOMPARE(shown + f->editor->lstEqusPos, c.equs);
        // any change of the text makes the compiled program stale
        QTest::keyClick(f->txt(), Qt::Key_A);
        QVERIFY(f->editor->ProgramModified && !f->editor->CompiledCurrent);
        QVERIFY(!f->action("mnSalvarBinario")->isEnabled());
        f->run("mnCerrarArchivo", u"No"_s);
        QVERIFY(equs->count() == 0 && f->editor->lstEqusPos.isEmpty());
    }
};

QTEST_MAIN(TestEditorFiles)
#include "tst_editor_files.moc"
