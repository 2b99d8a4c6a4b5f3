// The compile, save-compiled and decompile commands in the window, on real files.
#include "EditorFixture.h"
#include "Minimsg.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace {
QByteArray imageBytes(const isa::ProgramImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}
QByteArray padded(QByteArray bytes)
{
    bytes.append(QByteArray(256 - bytes.size(), '\0'));
    return bytes;
}
} // namespace

class TestEditorCompile : public QObject
{
    Q_OBJECT
private slots:
    void compileOk_data();
    void compileOk();
    void rejectedLine();
    void unresolvedJump();
    void equNamesShown();
    void saveCompiled();
    void saveCompiledNamedProgramAsks();
    void saveCompiledDeclinedOverwrite();
    void saveCompiledFailureReported();
    void decompile();
    void decompileCancelledOrEmpty();
    void decompileShortFileKeepsText();
    void roundTrip();
};

void TestEditorCompile::compileOk_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("comments and equ") << QStringLiteral("; nada\nmotor equ s1\n") << QByteArray();
    QTest::newRow("ld out end") << QStringLiteral("ld e1\nout s1\nend") << QByteArray::fromHex("06000b080f");
    QTest::newRow("backward jump") << QStringLiteral("loop: ld e1\ngoto loop")
                                   << QByteArray::fromHex("06001a00");
}

void TestEditorCompile::compileOk()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, bytes);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(source);
    f.trigger("mnCompilar");
    QCOMPARE(f.editor->panelText(6), QStringLiteral("Bytes compilados:  %1").arg(bytes.size()));
    QCOMPARE(imageBytes(f.editor->ProgramImage), padded(bytes));
    QVERIFY(f.editor->CompiledCurrent);
    QVERIFY(f.action("mnSalvarBinario")->isEnabled());
    auto* mini = f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"));
    QVERIFY(mini);
    QCOMPARE(mini->findChild<QLabel*>(QStringLiteral("lbMiniMsg"))->text(), QStringLiteral("Compilando..."));
    QVERIFY(!mini->isVisible());
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestEditorCompile::rejectedLine()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nout s1\nend"));
    f.trigger("mnCompilar");
    const isa::ProgramImage before = f.editor->ProgramImage;
    f.setText(QStringLiteral("ld e1\n  LD   ; falta\nend"));
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCompilar");
    QCOMPARE(f.prompts.asked().size(), 1);
    const auto& m = f.prompts.asked().first();
    QCOMPARE(m.title, QStringLiteral("Error"));
    QCOMPARE(m.icon, Prompts::Icon::Exclamation);
    QCOMPARE(m.buttons, int(Prompts::Ok));
    QCOMPARE(m.text, QStringLiteral("Error en linea\r\n  LD   ; falta\r\nFalta argumento"));
    QCOMPARE(f.editor->panelText(6), QStringLiteral("Error: ") + QStringLiteral("  LD   ; falta"));
    QVERIFY(!f.editor->CompiledCurrent);
    QVERIFY(f.editor->ProgramImage == before);
    QVERIFY(!f.action("mnSalvarBinario")->isEnabled());
    // the rejected line is selected
    QCOMPARE(f.txt()->textCursor().selectedText(), QStringLiteral("  LD   ; falta"));
    QCOMPARE(f.txt()->selStart(), 7);
    QVERIFY(!f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"))->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::unresolvedJump()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("loop: ld e1\ngoto loop:\nend"));
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCompilar");
    const auto& m = f.prompts.asked().first();
    QCOMPARE(m.title, QStringLiteral("Error de salto"));
    QCOMPARE(m.text, QStringLiteral(" Error: salto a loop: No hallado."));
    QCOMPARE(f.editor->panelText(6), QStringLiteral("Error: salto a loop: No hallado."));
    QVERIFY(!f.editor->CompiledCurrent);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::equNamesShown()
{
    EditorFixture f;
    QVERIFY(f.start());
    QComboBox* equs = f.editor->cbEQUs();
    QVERIFY(!equs->isVisible());
    f.setText(QStringLiteral("delay equ 2.5\nmotor equ s1\nld e1\nout motor\nend"));
    f.trigger("mnCompilar");
    QTRY_VERIFY(equs->isVisible());
    // name-valued definitions come first
    QCOMPARE(equs->count(), 2);
    QCOMPARE(equs->itemText(0), QStringLiteral("motor"));
    QCOMPARE(equs->itemText(1), QStringLiteral("delay"));
    QCOMPARE(f.editor->lstEqusPos, QStringList({QStringLiteral("8"), QStringLiteral("2.5")}));
    // close empties the list
    f.prompts.answerMessage(Prompts::No);
    f.trigger("mnCerrarArchivo");
    QCOMPARE(equs->count(), 0);
    QVERIFY(f.editor->lstEqusPos.isEmpty());
}

void TestEditorCompile::saveCompiled()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nout s1\nend"));
    f.trigger("mnCompilar");
    f.prompts.answerFile(f.path(QStringLiteral("prog0.obj")));
    QString miniDuringSave;
    f.trigger("mnSalvarBinario");
    const auto& r = f.prompts.asked().first();
    QCOMPARE(r.title, QStringLiteral("Salvar binario como"));
    QCOMPARE(r.text, QStringLiteral("Programas *.OBJ|*.OBJ"));
    QCOMPARE(r.defaultText, QStringLiteral("prog0.obj"));
    QCOMPARE(r.mode, Prompts::FileRequest::Save);
    const QByteArray file = f.readFile(QStringLiteral("prog0.obj"));
    QCOMPARE(file.size(), 9 + 295);
    QCOMPARE(file.left(12), QByteArray("prog0.obj - "));
    QCOMPARE(file.mid(31, 17), QByteArray(" - OrvSoftware - "));
    QCOMPARE(file.right(256), padded(QByteArray::fromHex("06000b080f")));
    auto* mini = f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"));
    QCOMPARE(mini->text(), QStringLiteral("Salvando compilado..."));
    QVERIFY(!mini->isVisible());
    QCOMPARE(f.editor->ProgramFolder, f.appPath());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::saveCompiledNamedProgramAsks()
{
    EditorFixture f;
    QVERIFY(f.start());
    QDir(f.dir.path()).mkdir(QStringLiteral("progs"));
    f.setText(QStringLiteral("ld e1\nend"));
    f.prompts.answerFile(f.path(QStringLiteral("progs/motor.v2.prg")));
    f.trigger("mnSalvarComo");
    f.trigger("mnCompilar");
    // a named program still asks, proposing its name with .obj in its folder
    f.prompts.answerFile(f.path(QStringLiteral("progs/motor.obj")));
    f.trigger("mnSalvarBinario");
    const auto& r = f.prompts.asked().last();
    QCOMPARE(r.title, QStringLiteral("Salvar binario como"));
    QCOMPARE(r.defaultText, QStringLiteral("motor.obj"));
    QCOMPARE(r.folder, f.path(QStringLiteral("progs/")));
    QCOMPARE(f.readFile(QStringLiteral("progs/motor.obj")).size(), 9 + 295);
    // cancelling writes nothing
    f.prompts.answerFile(std::nullopt);
    QFile::remove(f.path(QStringLiteral("progs/motor.obj")));
    f.trigger("mnSalvarBinario");
    QVERIFY(!QFile::exists(f.path(QStringLiteral("progs/motor.obj"))));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::saveCompiledDeclinedOverwrite()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.writeFile(QStringLiteral("p.obj"), "keep");
    f.setText(QStringLiteral("end"));
    f.trigger("mnCompilar");
    f.prompts.answerFile(f.path(QStringLiteral("p.obj")));
    f.prompts.answerMessage(Prompts::No);
    bool miniShown = false;
    f.prompts.onMessage = [&](const Prompts::Message&) {
        auto* mini = f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"));
        miniShown = mini && mini->isVisible() && mini->text() == QStringLiteral("Salvando compilado...");
    };
    f.trigger("mnSalvarBinario");
    f.prompts.onMessage = nullptr;
    QVERIFY(miniShown);
    const auto& q = f.prompts.asked().last();
    QCOMPARE(q.title, QStringLiteral("Sobreescribir"));
    QCOMPARE(q.text, QStringLiteral("El archivo ") + f.path(QStringLiteral("p.obj")) +
                         QStringLiteral(" ya existe: Sobreescribir?"));
    QCOMPARE(q.defaultButton, Prompts::No);
    QCOMPARE(f.readFile(QStringLiteral("p.obj")), QByteArray("keep"));
    QVERIFY(!f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"))->isVisible());
    f.prompts.answerFile(f.path(QStringLiteral("p.obj")));
    f.prompts.answerMessage(Prompts::Yes);
    f.trigger("mnSalvarBinario");
    QCOMPARE(f.readFile(QStringLiteral("p.obj")).size(), 5 + 295);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::saveCompiledFailureReported()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("end"));
    f.trigger("mnCompilar");
    f.prompts.answerFile(f.path(QStringLiteral("no/such/folder/p.obj")));
    f.prompts.answerMessage(Prompts::No);
    f.trigger("mnSalvarBinario");
    const auto& q = f.prompts.asked().last();
    QCOMPARE(q.title, QStringLiteral("Error"));
    QCOMPARE(q.text,
             QStringLiteral("Se produjo error  76, No se encontró la ruta de acceso. ¨ Reintentar ?"));
    QVERIFY(!f.editor->findChild<Minimsg*>(QStringLiteral("Minimsg"))->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::decompile()
{
    EditorFixture f;
    QVERIFY(f.start());
    // a header of any length: only the last 256 bytes count
    f.writeFile(QStringLiteral("x.obj"), "hdr" + padded(QByteArray::fromHex("1a030f06000b080f")));
    f.setText(QStringLiteral("old text"));
    f.editor->ProgramModified = false;
    f.prompts.answerFile(f.path(QStringLiteral("x.obj")));
    f.trigger("mnDescompilar");
    const auto& r = f.prompts.asked().first();
    QCOMPARE(r.title, QStringLiteral("Cargar programa compilado"));
    QCOMPARE(r.text, QStringLiteral("*.obj|*.obj"));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("        GOTO L_4\n        END\n\n"
                                                    "L_4     LD e1\n        OUT s1\n        END\n\n"));
    QCOMPARE(f.txt()->crlfText(), QStringLiteral("        GOTO L_4\r\n        END\r\n\r\n"
                                                 "L_4     LD e1\r\n        OUT s1\r\n        END\r\n\r\n"));
    QCOMPARE(f.editor->lstJumpLabel, QStringList{QStringLiteral("4")});
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(!f.editor->CompiledCurrent);
    QCOMPARE(f.editor->findChild<QLineEdit*>(QStringLiteral("txtProgreso"))->text(),
             QStringLiteral(" 99.84%"));
    QCOMPARE(f.editor->findChild<QLabel*>(QStringLiteral("lbProgreso"))->property("units").toInt(), 53);
    QVERIFY(f.txt()->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::decompileCancelledOrEmpty()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerFile(std::nullopt);
    f.trigger("mnDescompilar");
    f.prompts.answerFile(QString());
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnDescompilar");
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("No se puede grabar:"));
    QCOMPARE(f.prompts.asked().last().text, QStringLiteral("No se ha especificado el nombre del archivo"));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::decompileShortFileKeepsText()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.writeFile(QStringLiteral("short.obj"), QByteArray(100, '\x06'));
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerFile(f.path(QStringLiteral("short.obj")));
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnDescompilar");
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("No se puede cargar:"));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    QVERIFY(f.txt()->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorCompile::roundTrip()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("inicio: ld e1\nand e2\nout s1\ntp tp1 1.5\nif1 fin\nset v01\nfin: end"));
    f.trigger("mnCompilar");
    QVERIFY(f.editor->CompiledCurrent);
    const isa::ProgramImage first = f.editor->ProgramImage;
    f.prompts.answerFile(f.path(QStringLiteral("rt.obj")));
    f.trigger("mnSalvarBinario");
    f.prompts.answerFile(f.path(QStringLiteral("rt.obj")));
    f.trigger("mnDescompilar");
    f.trigger("mnCompilar");
    QVERIFY(f.editor->CompiledCurrent);
    QCOMPARE(imageBytes(f.editor->ProgramImage), imageBytes(first));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

QTEST_MAIN(TestEditorCompile)
#include "tst_editor_compile.moc"
