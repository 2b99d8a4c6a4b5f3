// Source-file commands on real files: open, save, save as, new, close.
#include "EditorFixture.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

class TestEditorFiles : public QObject
{
    Q_OBJECT
private slots:
    void openFile();
    void openCancelledOrEmpty();
    void openUnreadable();
    void loadLimit_data();
    void loadLimit();
    void overflowLeavesNoName();
    void loadAndSaveAddsEmptyLine();
    void saveWithoutNameIsSaveAs();
    void saveDisablesMenuUntilNew();
    void saveAsDeclinedOverwriteKeepsName();
    void saveAsEmptyName();
    void saveFailureAsksRetry();
    void saveFailureYesRetries();
    void newAnswers_data();
    void newAnswers();
    void closeAnswers_data();
    void closeAnswers();
};

void TestEditorFiles::openFile()
{
    EditorFixture f;
    QVERIFY(f.start());
    // Windows-1252 bytes, CR LF, a lone CR and a last line without a break
    f.writeFile(QStringLiteral("prog.prg"), QByteArray("; se\xf1"
                                                       "al\r\nld e1\rout s1\r\nend"));
    f.prompts.answerFile(f.path(QStringLiteral("prog.prg")));
    f.trigger("mnCargar");
    const auto& asked = f.prompts.asked();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].title, QStringLiteral("Cargar programa"));
    QCOMPARE(asked[0].text, QStringLiteral("*.prg|*.prg"));
    QCOMPARE(asked[0].folder, f.appPath());
    QCOMPARE(asked[0].mode, Prompts::FileRequest::Open);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("; señal\nld e1\nout s1\nend\n"));
    QCOMPARE(f.editor->CurrentFileName, QStringLiteral("prog.prg"));
    QCOMPARE(f.editor->ProgramFolder, f.appPath());
    QCOMPARE(f.editor->panelText(6), QStringLiteral("prog.prg"));
    QVERIFY(!f.editor->ProgramModified);
    QVERIFY(!f.editor->CompiledCurrent);
    QVERIFY(f.editor->AutoIndent);
    QVERIFY(f.txt()->isVisible());
    auto* frame = f.editor->findChild<QGroupBox*>(QStringLiteral("frProgreso"));
    QVERIFY(!frame->isVisible());
    // the bar ends at 52 x position / length + 1, the figure at 100
    QCOMPARE(f.editor->findChild<QLabel*>(QStringLiteral("lbProgreso"))->property("units").toInt(), 53);
    QCOMPARE(f.editor->findChild<QLineEdit*>(QStringLiteral("txtProgreso"))->text(), QStringLiteral("100"));
    // the next open proposes the current name
    f.prompts.answerFile(std::nullopt);
    f.trigger("mnCargar");
    QCOMPARE(f.prompts.asked().last().defaultText, QStringLiteral("prog.prg"));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::openCancelledOrEmpty()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerFile(std::nullopt);
    f.trigger("mnCargar");
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    f.prompts.answerFile(QString());
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCargar");
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("No se puede grabar:"));
    QCOMPARE(f.prompts.asked().last().text, QStringLiteral("No se ha especificado el nombre del archivo"));
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::openUnreadable()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerFile(f.path(QStringLiteral("missing.prg")));
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCargar");
    QCOMPARE(f.prompts.asked().size(), 2);
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1"));
    QVERIFY(f.editor->CurrentFileName.isEmpty());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::loadLimit_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("loadedLines");
    QTest::addColumn<bool>("overflow");
    QTest::newRow("32000 in one line") << QByteArray(32000, 'x') << 1 << false;
    QTest::newRow("32001 in one line") << QByteArray(32001, 'x') << 0 << true;
    // 10 characters and their CR LF count 12: 31988 more fit, 31989 do not
    QTest::newRow("two lines fit") << QByteArray(10, 'a') + "\r\n" + QByteArray(31988, 'b') << 2 << false;
    QTest::newRow("two lines over") << QByteArray(10, 'a') + "\r\n" + QByteArray(31989, 'b') << 1 << true;
}

void TestEditorFiles::loadLimit()
{
    QFETCH(QByteArray, file);
    QFETCH(int, loadedLines);
    QFETCH(bool, overflow);
    EditorFixture f;
    QVERIFY(f.start());
    f.writeFile(QStringLiteral("big.prg"), file);
    f.prompts.answerFile(f.path(QStringLiteral("big.prg")));
    QString panelDuringLoad;
    bool frameDuringLoad = false;
    f.prompts.onMessage = [&](const Prompts::Message&) {
        panelDuringLoad = f.editor->panelText(6);
        frameDuringLoad = f.editor->findChild<QGroupBox*>(QStringLiteral("frProgreso"))->isVisible();
    };
    if (overflow)
        f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCargar");
    const QList<QByteArray> lines = file.split(QLatin1Char(0x0a).toLatin1());
    QString expected;
    for (int i = 0; i < loadedLines; ++i)
        expected += QString::fromLatin1(lines[i]).remove(QLatin1Char('\r')) + QLatin1Char('\n');
    QCOMPARE(f.txt()->toPlainText(), expected);
    if (overflow) {
        const auto& m = f.prompts.asked().last();
        QCOMPARE(m.title, QStringLiteral("Desbordamiento"));
        QCOMPARE(m.text,
                 QStringLiteral("El límite son 32000 caracteres: solo se cargar\u00A0 parte del archivo"));
        QCOMPARE(panelDuringLoad,
                 QStringLiteral("Cargando big.prg -  %1 bytes -  ** Espere **").arg(file.size()));
        QVERIFY(frameDuringLoad);
    }
    QVERIFY(!f.editor->findChild<QGroupBox*>(QStringLiteral("frProgreso"))->isVisible());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::overflowLeavesNoName()
{
    EditorFixture f;
    QVERIFY(f.start());
    const QByteArray big = "ld e1\r\n" + QByteArray(32000, 'x') + "\r\n";
    f.writeFile(QStringLiteral("big.prg"), big);
    f.prompts.answerFile(f.path(QStringLiteral("big.prg")));
    f.prompts.answerMessage(Prompts::Ok);
    f.trigger("mnCargar");
    QCOMPARE(f.txt()->toPlainText(), QStringLiteral("ld e1\n"));
    QVERIFY(f.editor->CurrentFileName.isEmpty());
    // a plain save cannot put the shortened text over the longer file: it asks for a name
    f.prompts.answerFile(std::nullopt);
    f.trigger("mnSalvar");
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("Salvar como"));
    QCOMPARE(f.readFile(QStringLiteral("big.prg")), big);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::loadAndSaveAddsEmptyLine()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.writeFile(QStringLiteral("p.prg"), QByteArray("ld e1\r\nout s1 ; \xe1\r\n"));
    f.prompts.answerFile(f.path(QStringLiteral("p.prg")));
    f.trigger("mnCargar");
    f.trigger("mnSalvar");
    QCOMPARE(f.readFile(QStringLiteral("p.prg")), QByteArray("ld e1\r\nout s1 ; \xe1\r\n\r\n"));
    QVERIFY(!f.editor->ProgramModified);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveWithoutNameIsSaveAs()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1\nend"));
    f.prompts.answerFile(f.path(QStringLiteral("nuevo.prg")));
    f.trigger("mnSalvar");
    const auto& r = f.prompts.asked().first();
    QCOMPARE(r.title, QStringLiteral("Salvar como"));
    QCOMPARE(r.text, QStringLiteral("Programas *.PRG|*.PRG"));
    QCOMPARE(r.mode, Prompts::FileRequest::Save);
    QCOMPARE(f.readFile(QStringLiteral("nuevo.prg")), QByteArray("ld e1\r\nend\r\n"));
    QCOMPARE(f.editor->CurrentFileName, QStringLiteral("nuevo.prg"));
    QCOMPARE(f.editor->ProgramFolder, f.appPath());
    QCOMPARE(f.editor->panelText(6), QStringLiteral("nuevo.prg"));
    QVERIFY(!f.editor->ProgramModified);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveDisablesMenuUntilNew()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.prompts.answerFile(f.path(QStringLiteral("a.prg")));
    f.setText(QStringLiteral("ld e1"));
    f.trigger("mnSalvarComo");
    f.trigger("mnSalvar");
    QVERIFY(!f.action("mnSalvar")->isEnabled());
    // the tool-bar button saves in every state
    QTest::keyClicks(f.txt(), QStringLiteral("x"));
    f.editor->toolAction(4)->trigger();
    QVERIFY(!f.editor->ProgramModified);
    QCOMPARE(f.readFile(QStringLiteral("a.prg")), QByteArray("xld e1\r\n"));
    f.trigger("mnNuevoArchivo");
    QVERIFY(f.action("mnSalvar")->isEnabled());
    QCOMPARE(f.editor->panelText(6), QStringLiteral("Nuevo"));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveAsDeclinedOverwriteKeepsName()
{
    EditorFixture f;
    QVERIFY(f.start());
    QDir(f.dir.path()).mkdir(QStringLiteral("otra"));
    f.writeFile(QStringLiteral("otra/existe.prg"), "old");
    f.prompts.answerFile(f.path(QStringLiteral("mio.prg")));
    f.setText(QStringLiteral("ld e1"));
    f.trigger("mnSalvarComo");
    f.prompts.answerFile(f.path(QStringLiteral("otra/existe.prg")));
    f.prompts.answerMessage(Prompts::No);
    f.trigger("mnSalvarComo");
    const auto& q = f.prompts.asked().last();
    QCOMPARE(q.title, QStringLiteral("Sobreescribir"));
    QCOMPARE(q.text, QStringLiteral("El archivo ") + f.path(QStringLiteral("otra/existe.prg")) +
                         QStringLiteral(" ya existe: Sobreescribir?"));
    QCOMPARE(q.buttons, int(Prompts::Yes | Prompts::No));
    QCOMPARE(q.defaultButton, Prompts::No);
    QCOMPARE(q.icon, Prompts::Icon::Question);
    QCOMPARE(f.readFile(QStringLiteral("otra/existe.prg")), QByteArray("old"));
    // the previous folder and name stay current
    QCOMPARE(f.editor->CurrentFileName, QStringLiteral("mio.prg"));
    QCOMPARE(f.editor->ProgramFolder, f.appPath());
    // Yes overwrites
    f.prompts.answerFile(f.path(QStringLiteral("otra/existe.prg")));
    f.prompts.answerMessage(Prompts::Yes);
    f.trigger("mnSalvarComo");
    QCOMPARE(f.readFile(QStringLiteral("otra/existe.prg")), QByteArray("ld e1\r\n"));
    QCOMPARE(f.editor->ProgramFolder, f.path(QStringLiteral("otra/")));
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveAsEmptyName()
{
    EditorFixture f;
    QVERIFY(f.start());
    f.prompts.answerFile(f.appPath());
    f.prompts.answerMessage(Prompts::Ok);
    f.setText(QStringLiteral("ld e1"));
    QVERIFY(!f.editor->mnSalvarComo_Click());
    QCOMPARE(f.prompts.asked().last().title, QStringLiteral("Error"));
    QCOMPARE(f.prompts.asked().last().text,
             QStringLiteral("No se especific¢ un nombre: no es posible salvar!"));
    QCOMPARE(f.prompts.asked().last().icon, Prompts::Icon::Critical);
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveFailureAsksRetry()
{
    EditorFixture f;
    QVERIFY(f.start());
    // the target is a folder: every write fails
    QDir(f.dir.path()).mkdir(QStringLiteral("p.prg"));
    f.editor->CurrentFileName = QStringLiteral("p.prg");
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerMessage(Prompts::Yes);
    f.prompts.answerMessage(Prompts::No);
    QVERIFY(!f.editor->mnSalvar_Click());
    QCOMPARE(f.prompts.asked().size(), 2);
    const auto& q = f.prompts.asked().first();
    QCOMPARE(q.title, QStringLiteral("Error"));
    QVERIFY2(q.text.startsWith(QStringLiteral("Se produjo error ")), qPrintable(q.text));
    QVERIFY(q.text.endsWith(QStringLiteral(". ¨ Reintentar ?")));
    QCOMPARE(q.buttons, int(Prompts::Yes | Prompts::No));
    QCOMPARE(q.icon, Prompts::Icon::Critical);
    QVERIFY(f.editor->ProgramModified);
    QVERIFY(f.action("mnSalvar")->isEnabled());
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::saveFailureYesRetries()
{
    EditorFixture f;
    QVERIFY(f.start());
    QDir(f.dir.path()).mkdir(QStringLiteral("p.prg"));
    f.editor->CurrentFileName = QStringLiteral("p.prg");
    f.setText(QStringLiteral("ld e1"));
    // the user clears the way before answering Yes
    f.prompts.onMessage = [&](const Prompts::Message&) { QDir(f.dir.path()).rmdir(QStringLiteral("p.prg")); };
    f.prompts.answerMessage(Prompts::Yes);
    QVERIFY(f.editor->mnSalvar_Click());
    QCOMPARE(f.readFile(QStringLiteral("p.prg")), QByteArray("ld e1\r\n"));
    QVERIFY(!f.editor->ProgramModified);
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::newAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cancelSave");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("no keeps everything") << int(Prompts::No) << false << false;
    QTest::newRow("yes saves then clears") << int(Prompts::Yes) << false << true;
    QTest::newRow("yes, save cancelled, stops") << int(Prompts::Yes) << true << false;
}

void TestEditorFiles::newAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, cancelSave);
    QFETCH(bool, cleared);
    EditorFixture f;
    QVERIFY(f.start());
    f.prompts.answerFile(f.path(QStringLiteral("n.prg")));
    f.setText(QStringLiteral("ld e1"));
    f.trigger("mnSalvarComo");
    QTest::keyClicks(f.txt(), QStringLiteral("x"));
    f.prompts.answerMessage(Prompts::Button(answer));
    if (answer == Prompts::Yes && cancelSave) {
        // the save fails: the file is a folder now, and the retry is declined
        QFile::remove(f.path(QStringLiteral("n.prg")));
        QDir(f.dir.path()).mkdir(QStringLiteral("n.prg"));
        f.prompts.answerMessage(Prompts::No);
    }
    f.trigger("mnNuevoArchivo");
    const auto& q = f.prompts.asked()[1];
    QCOMPARE(q.title, QStringLiteral("Salvar archivo"));
    QCOMPARE(q.text, QStringLiteral("El Archivo n.prg no ha sido salvado.\r\n¨Salvar ahora?"));
    QCOMPARE(q.icon, Prompts::Icon::Question);
    if (cleared) {
        QVERIFY(f.txt()->toPlainText().isEmpty());
        QVERIFY(f.editor->CurrentFileName.isEmpty());
        QVERIFY(!f.editor->ProgramModified);
        QCOMPARE(f.editor->panelText(6), QStringLiteral("Nuevo"));
        QCOMPARE(f.readFile(QStringLiteral("n.prg")), QByteArray("xld e1\r\n"));
    } else {
        QCOMPARE(f.txt()->toPlainText(), QStringLiteral("xld e1"));
        QCOMPARE(f.editor->CurrentFileName, QStringLiteral("n.prg"));
        QVERIFY(f.editor->ProgramModified);
    }
    QVERIFY(f.prompts.unexpected().isEmpty());
}

void TestEditorFiles::closeAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("no discards") << int(Prompts::No) << true;
    QTest::newRow("yes, save cancelled, stops") << int(Prompts::Yes) << false;
}

void TestEditorFiles::closeAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, cleared);
    EditorFixture f;
    QVERIFY(f.start());
    f.setText(QStringLiteral("ld e1"));
    f.prompts.answerMessage(Prompts::Button(answer));
    if (answer == Prompts::Yes)
        f.prompts.answerFile(std::nullopt); // no name yet: save as, cancelled
    f.editor->toolAction(5)->trigger();
    QCOMPARE(f.txt()->toPlainText().isEmpty(), cleared);
    QCOMPARE(f.editor->ProgramModified, !cleared);
    if (cleared) {
        QCOMPARE(f.editor->panelText(6), QStringLiteral("Nuevo"));
        QVERIFY(!f.editor->CompiledCurrent);
    }
    QVERIFY(f.prompts.unexpected().isEmpty());
}

QTEST_MAIN(TestEditorFiles)
#include "tst_editor_files.moc"
