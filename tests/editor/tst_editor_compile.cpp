// The compile, save-compiled and decompile commands in the window, on real files. What the
// compile and the translation produce is the compiler's and translator's own tables' matter.
#include "EditorTest.h"
#include "Minimsg.h"
#include "ObjCode.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
QByteArray image(const Editor& e)
{
    return QByteArray(reinterpret_cast<const char*>(e.ProgramImage.data()), qsizetype(e.ProgramImage.size()));
}
QByteArray padded(QByteArray bytes)
{
    return bytes.append(QByteArray(256 - bytes.size(), '\0'));
}
} // namespace

class TestEditorCompile : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    void compile_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("said"); // the error message, if any
        QTest::addColumn<QString>("panel");
        QTest::newRow("ld out end") << "ld e1\nout s1\nend"
                                    << ""
                                    << "Bytes compilados:  5";
        // the rejected line is selected, so the user sees where to look
        QTest::newRow("rejected line") << "ld e1\n  LD   ; falta\nend"
                                       << "Error | Error en linea\r\n  LD   ; falta\r\nFalta argumento"
                                       << "Error:   LD   ; falta";
        QTest::newRow("unresolved jump") << "loop: ld e1\ngoto loop:\nend"
                                         << "Error de salto |  Error: salto a loop: No hallado."
                                         << "Error: salto a loop: No hallado.";
    }
    void compile()
    {
        QFETCH(QString, said);
        const bool ok = said.isEmpty();
        f->setText(u"ld e2\nend"_s);
        f->trigger("mnCompilar");
        const QByteArray before = image(*f->editor);
        QFETCH(QString, source);
        f->setText(source);
        if (!ok)
            f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnCompilar");
        QCOMPARE(f->said(), ok ? u"(nothing)"_s : said);
        QTEST(f->panel(6), "panel");
        QCOMPARE(image(*f->editor), ok ? padded(QByteArray::fromHex("06000b080f")) : before);
        QCOMPARE(f->editor->CompiledCurrent, ok);
        QCOMPARE(f->action("mnSalvarBinario")->isEnabled(), ok);
        auto* mini = f->editor->findChild<Minimsg*>(u"Minimsg"_s);
        QVERIFY(mini->text() == u"Compilando..."_s && !mini->isVisible());
        if (QTest::currentDataTag() == "rejected line"_L1)
            QCOMPARE(f->txt()->textCursor().selectedText(), u"  LD   ; falta"_s);
        // any change of the text makes the compiled program stale
        QTest::keyClick(f->txt(), Qt::Key_A);
        QVERIFY(f->editor->ProgramModified && !f->editor->CompiledCurrent);
        QVERIFY(!f->action("mnSalvarBinario")->isEnabled());
    }

    void equNamesShown()
    {
        QComboBox* equs = f->editor->cbEQUs();
        QVERIFY(!equs->isVisible());
        f->setText(u"delay equ 2.5\nmotor equ s1\nld e1\nout motor\nend"_s);
        f->trigger("mnCompilar");
        QTRY_VERIFY(equs->isVisible());
        QCOMPARE(QStringList({equs->itemText(0), equs->itemText(1)}), QStringList({u"motor"_s, u"delay"_s}));
        QCOMPARE(f->editor->lstEqusPos, QStringList({u"8"_s, u"2.5"_s}));
        f->prompts.answerMessage(Prompts::No);
        f->trigger("mnCerrarArchivo");
        QVERIFY(equs->count() == 0 && f->editor->lstEqusPos.isEmpty());
    }

    void saveCompiled_data()
    {
        QTest::addColumn<QString>("program"); // saved first under this name, if any
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed"); // the name given in the dialog
        QTest::addColumn<QString>("written");
        QTest::newRow("unnamed") << QString() << QString() << u"prog0.obj"_s << u"prog0.obj"_s
                                 << u"prog0.obj"_s;
        // a named program still asks, proposing its name with .obj in its folder
        QTest::newRow("named") << u"progs/motor.v2.prg"_s << u"progs/"_s << u"motor.obj"_s << u"motor.obj"_s
                               << u"motor.obj"_s;
        QTest::newRow("typed without extension")
            << QString() << QString() << u"prog0.obj"_s << u"mio"_s << u"mio.obj"_s;
    }
    void saveCompiled()
    {
        QFETCH(QString, program);
        QFETCH(QString, folder);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QDir(f->path()).mkdir(u"progs"_s);
        f->setText(u"ld e1\nout s1\nend"_s);
        if (!program.isEmpty()) {
            f->prompts.answerFile(f->path(program));
            f->trigger("mnSalvarComo");
        }
        f->trigger("mnCompilar");
        f->prompts.answerFile(f->path(folder + typed));
        f->trigger("mnSalvarBinario");
        QCOMPARE(f->said(), u"Salvar binario como | Programas *.OBJ|*.OBJ"_s);
        const auto& r = f->prompts.asked().last();
        QTEST(r.defaultText, "proposed");
        QCOMPARE(r.folder, f->path(folder));
        QCOMPARE(r.mode, Prompts::FileRequest::Save);
        // the file's layout is the object writer's; the window gives it the name and the image
        const QByteArray file = f->read(folder + written);
        QVERIFY2(file.startsWith((written + u" - "_s).toLatin1()), file.constData());
        QCOMPARE(file.right(256), padded(QByteArray::fromHex("06000b080f")));
        auto* mini = f->editor->findChild<Minimsg*>(u"Minimsg"_s);
        QVERIFY(mini->text() == u"Salvando compilado..."_s && !mini->isVisible());
    }

    void saveCompiledRefused()
    {
        f->write(u"p.obj"_s, "keep");
        f->setText(u"end"_s);
        f->trigger("mnCompilar");
        auto* mini = f->editor->findChild<Minimsg*>(u"Minimsg"_s);
        // the message window stays on top: it must not cover the question
        bool miniShown = true;
        f->prompts.onMessage = [&](const Prompts::Message&) { miniShown = mini->isVisible(); };
        f->prompts.answerFile(f->path(u"p.obj"_s));
        f->prompts.answerMessage(Prompts::No);
        f->trigger("mnSalvarBinario");
        QVERIFY(!miniShown && !mini->isVisible());
        QCOMPARE(f->said(),
                 u"Sobreescribir | El archivo %1 ya existe: Sobreescribir?"_s.arg(f->path(u"p.obj"_s)));
        QCOMPARE(f->read(u"p.obj"_s), QByteArray("keep"));
        // a write that fails is reported
        f->prompts.answerFile(f->path(u"no/such/folder/p.obj"_s));
        f->prompts.answerMessage(Prompts::No);
        f->trigger("mnSalvarBinario");
        QCOMPARE(f->said(),
                 u"Error | Se produjo error  76, No se encontró la ruta de acceso. ¨ Reintentar ?"_s);
        f->prompts.answerFile(f->path(u"p.obj"_s));
        f->prompts.answerMessage(Prompts::Yes);
        f->trigger("mnSalvarBinario");
        QCOMPARE(f->read(u"p.obj"_s).size(), 5 + 295);
    }

    void decompile()
    {
        // a header of any length: only the last 256 bytes count
        f->write(u"x.obj"_s, "hdr" + padded(QByteArray::fromHex("1a030f06000b080f")));
        f->setText(u"old text"_s);
        f->prompts.answerFile(f->path(u"src.prg"_s));
        f->trigger("mnSalvar");
        f->trigger("mnSalvar"); // saved under its name: the menu's save waits for a change
        f->prompts.answerFile(f->path(u"x.obj"_s));
        f->trigger("mnDescompilar");
        QCOMPARE(f->said(), u"Cargar programa compilado | *.obj|*.obj"_s);
        QCOMPARE(f->txt()->crlfText(), u"        GOTO L_4\r\n        END\r\n\r\n"
                                       "L_4     LD e1\r\n        OUT s1\r\n        END\r\n\r\n"_s);
        QCOMPARE(f->editor->lstJumpLabel, QStringList{u"4"_s});
        QVERIFY(f->editor->ProgramModified && !f->editor->CompiledCurrent && f->txt()->isVisible());
        QCOMPARE(f->child<QLineEdit>("txtProgreso")->text(), objcode::loadProgressText(256));
        // the translation is a new program: saving it asks for a name, the source stays
        QCOMPARE(f->doc(), u"~/ [] modified"_s);
        f->prompts.answerFile(std::nullopt);
        f->trigger("mnSalvar");
        QCOMPARE(f->said(), u"Salvar como | Programas *.PRG|*.PRG"_s);
        QCOMPARE(f->read(u"src.prg"_s), QByteArray("old text\r\n"));
    }
};

QTEST_MAIN(TestEditorCompile)
#include "tst_editor_compile.moc"
