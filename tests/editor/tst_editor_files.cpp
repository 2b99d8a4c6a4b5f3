// Source-file commands on real files: open, save, save as, new, close; and what a refused load leaves.
#include "EditorTest.h"

#include <QDir>
#include <QLineEdit>

using namespace Qt::StringLiterals;

class TestEditorFiles : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;

private slots:
    void init() { QVERIFY(f.emplace().start()); }
    void cleanup() { f.reset(); }

    void openThenSave()
    {
        // Windows-1252, CR LF and a lone CR; saved unchanged, the file gains one empty line
        f->write(u"p.prg"_s, "; se\xf1"
                             "al\r\nld e1\rout s1\r\nend\r\n");
        f->prompts.answerFile(f->path(u"p.prg"_s));
        f->trigger("mnCargar");
        QCOMPARE(f->said(), u"Cargar programa | *.prg|*.prg"_s);
        QCOMPARE(f->prompts.asked().last().folder, f->path());
        QCOMPARE(f->txt()->toPlainText(), u"; señal\nld e1\nout s1\nend\n"_s);
        QCOMPARE(f->doc(), u"~/p.prg [p.prg]"_s);
        QVERIFY(!f->child("frProgreso")->isVisible());
        // the bar ends at 52 x position / length + 1, the figure at 100
        QCOMPARE(f->child("lbProgreso")->property("units").toInt(), 53);
        QCOMPARE(f->child<QLineEdit>("txtProgreso")->text(), u"100"_s);
        f->trigger("mnSalvar");
        QCOMPARE(f->read(u"p.prg"_s), QByteArray("; se\xf1"
                                                 "al\r\nld e1\r\nout s1\r\nend\r\n\r\n"));
        // the next open proposes the current name
        f->prompts.answerFile(std::nullopt);
        f->trigger("mnCargar");
        QCOMPARE(f->prompts.asked().last().defaultText, u"p.prg"_s);
    }

    void refusedLoad_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file"); // "-": the dialog is cancelled
        QTest::addColumn<QString>("said"); // how the message begins
        const QString noName = u"No se puede grabar: | No se ha especificado el nombre del archivo"_s;
        QTest::newRow("open cancelled") << u"mnCargar"_s << u"-"_s << QString();
        QTest::newRow("open, no name") << u"mnCargar"_s << QString() << noName;
        QTest::newRow("open, missing")
            << u"mnCargar"_s << u"x.prg"_s << u"No se puede cargar: | No se puede leer"_s;
        QTest::newRow("decompile, no name") << u"mnDescompilar"_s << QString() << noName;
        QTest::newRow("decompile, short file")
            << u"mnDescompilar"_s << u"short.obj"_s << u"No se puede cargar: |"_s;
    }
    void refusedLoad()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, said);
        f->write(u"short.obj"_s, QByteArray(100, '\x06'));
        f->setText(u"ld e1"_s);
        // decompile offers to save the typed text before its dialog
        const int asks = command == u"mnDescompilar"_s ? 1 : 0;
        if (asks)
            f->prompts.answerMessage(Prompts::No);
        f->prompts.answerFile(file == u"-"_s ? std::nullopt
                                             : std::optional(file.isEmpty() ? file : f->path(file)));
        if (!said.isEmpty())
            f->prompts.answerMessage(Prompts::Ok);
        f->trigger(qPrintable(command));
        QCOMPARE(f->prompts.asked().size(), asks + (said.isEmpty() ? 1 : 2));
        QVERIFY2(f->said().startsWith(said), qPrintable(f->said()));
        QCOMPARE(f->txt()->toPlainText(), u"ld e1"_s);
        QVERIFY(f->txt()->isVisible());
        QCOMPARE(f->doc(), u"~/ [] modified"_s);
    }

    void loadLimit_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("loadedLines");
        QTest::newRow("32000 in one line") << QByteArray(32000, 'x') << 1;
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
        f->prompts.answerFile(f->path(u"big.prg"_s));
        QString during;
        f->prompts.onMessage = [&](const Prompts::Message&) {
            during = f->panel(6) + (f->child("frProgreso")->isVisible() ? u" (progress shown)"_s : QString());
        };
        if (cut)
            f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnCargar");
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
        f->prompts.answerFile(std::nullopt);
        f->trigger("mnSalvar");
        QCOMPARE(f->said(), u"Salvar como | Programas *.PRG|*.PRG"_s);
        QCOMPARE(f->read(u"big.prg"_s), file);
    }

    void saveAs()
    {
        QDir(f->path()).mkdir(u"otra"_s);
        const QString other = f->path(u"otra/existe.prg"_s);
        testutil::writeRaw(other, "old");
        f->setText(u"ld e1"_s);
        // save without a name is save as; a name typed without extension gets ".prg"
        f->prompts.answerFile(f->path(u"mio"_s));
        f->trigger("mnSalvar");
        QCOMPARE(f->said(), u"Salvar como | Programas *.PRG|*.PRG"_s);
        QCOMPARE(f->prompts.asked().last().mode, Prompts::FileRequest::Save);
        QCOMPARE(f->read(u"mio.prg"_s), QByteArray("ld e1\r\n"));
        QCOMPARE(f->doc(), u"~/mio.prg [mio.prg]"_s);
        // a save disables the menu's save until the text changes again
        f->trigger("mnSalvar");
        QVERIFY(!f->action("mnSalvar")->isEnabled());
        QTest::keyClicks(f->txt(), u"x"_s);
        f->trigger("mnSalvar");
        QCOMPARE(f->read(u"mio.prg"_s), QByteArray("xld e1\r\n"));
        // a declined overwrite writes nothing and keeps the previous folder and name
        f->prompts.answerFile(f->path(u"otra/existe"_s));
        f->prompts.answerMessage(Prompts::No);
        f->trigger("mnSalvarComo");
        QCOMPARE(f->said(), u"Sobreescribir | El archivo %1 ya existe: Sobreescribir?"_s.arg(other));
        QCOMPARE(f->prompts.asked().last().defaultButton, Prompts::No);
        QCOMPARE(testutil::readRaw(other), QByteArray("old"));
        QCOMPARE(f->doc(), u"~/mio.prg [mio.prg]"_s);
        f->prompts.answerFile(other);
        f->prompts.answerMessage(Prompts::Yes);
        f->trigger("mnSalvarComo");
        QCOMPARE(testutil::readRaw(other), QByteArray("xld e1\r\n"));
        QCOMPARE(f->doc(), u"~/otra/existe.prg [existe.prg]"_s);
        // a folder without a name
        f->prompts.answerFile(f->path());
        f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnSalvarComo");
        QCOMPARE(f->said(), u"Error | No se especific¢ un nombre: no es posible salvar!"_s);
        f->trigger("mnNuevoArchivo");
        QVERIFY(f->action("mnSalvar")->isEnabled());
    }

    void saveFailure_data()
    {
        QTest::addColumn<bool>("retry");
        QTest::newRow("No gives up, the text stays modified") << false;
        QTest::newRow("Yes tries again") << true;
    }
    void saveFailure()
    {
        QFETCH(bool, retry);
        // the target is a folder: every write fails until the user clears the way
        QDir(f->path()).mkdir(u"p.prg"_s);
        f->editor->CurrentFileName = u"p.prg"_s;
        f->setText(u"ld e1"_s);
        f->prompts.onMessage = [&](const Prompts::Message&) { retry&& QDir(f->path()).rmdir(u"p.prg"_s); };
        f->prompts.answerMessage(retry ? Prompts::Yes : Prompts::No);
        f->trigger("mnSalvar");
        QCOMPARE(f->prompts.asked().size(), 1);
        QVERIFY2(f->said().startsWith(u"Error | Se produjo error "_s) &&
                     f->said().endsWith(u". ¨ Reintentar ?"_s),
                 qPrintable(f->said()));
        QCOMPARE(f->prompts.asked().first().buttons, int(Prompts::Yes | Prompts::No));
        QCOMPARE(f->read(u"p.prg"_s), retry ? QByteArray("ld e1\r\n") : QByteArray());
        QCOMPARE(f->editor->ProgramModified, !retry);
        QCOMPARE(f->action("mnSalvar")->isEnabled(), !retry);
    }

    // new, close, open and decompile replace the text: unsaved work is offered a save first,
    // and a save that fails stops the command, so nothing typed is lost
    void replaceOffersSave_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        const QString kept = u"~/n.prg [n.prg] modified"_s, cleared = u"~/ [Nuevo]"_s;
        const int no = Prompts::No, yes = Prompts::Yes;
        const auto row = [](const char* tag, const char* command, int answer, bool saveFails,
                            const QString& doc, const QString& text, const QString& file) {
            QTest::newRow(tag) << QString::fromLatin1(command) << answer << saveFails << doc << text << file;
        };
        row("new, No keeps all", "mnNuevoArchivo", no, false, kept, u"xld e1"_s, u"ld e1\r\n"_s);
        row("new, Yes saves, clears", "mnNuevoArchivo", yes, false, cleared, QString(), u"xld e1\r\n"_s);
        row("new, Yes, save fails: stops", "mnNuevoArchivo", yes, true, kept, u"xld e1"_s, QString());
        row("close, No discards", "mnCerrarArchivo", no, false, cleared, QString(), u"ld e1\r\n"_s);
        row("close, Yes, save fails: stops", "mnCerrarArchivo", yes, true, kept, u"xld e1"_s, QString());
        row("open, No loads", "mnCargar", no, false, u"~/other.prg [other.prg]"_s, u"out s1\n"_s,
            u"ld e1\r\n"_s);
        row("open, save fails: stops", "mnCargar", yes, true, kept, u"xld e1"_s, QString());
        row("decompile, No translates", "mnDescompilar", no, false, u"~/ [] modified"_s, u"        END\n\n"_s,
            u"ld e1\r\n"_s);
        row("decompile, save fails: stops", "mnDescompilar", yes, true, kept, u"xld e1"_s, QString());
    }
    void replaceOffersSave()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        f->write(u"other.prg"_s, "out s1\r\n");
        f->write(u"end.obj"_s, QByteArray(" - OrvSoftware - \x0f") + QByteArray(255, '\0'));
        f->prompts.answerFile(f->path(u"n.prg"_s));
        f->setText(u"ld e1"_s);
        f->trigger("mnSalvarComo");
        QTest::keyClicks(f->txt(), u"x"_s);
        const bool open = command == u"mnCargar"_s;
        if (open)
            f->prompts.answerFile(f->path(u"other.prg"_s));
        f->prompts.answerMessage(Prompts::Button(answer));
        if (saveFails) {
            // the file is a folder now, and the retry is declined
            QFile::remove(f->path(u"n.prg"_s));
            QDir(f->path()).mkdir(u"n.prg"_s);
            f->prompts.answerMessage(Prompts::No);
        } else if (command == u"mnDescompilar"_s) {
            f->prompts.answerFile(f->path(u"end.obj"_s));
        }
        f->trigger(qPrintable(command));
        QCOMPARE(f->said(open ? 2 : 1), u"Salvar archivo | El Archivo n.prg no ha sido salvado.\r\n¨Salvar ahora?"_s);
        QTEST(f->doc(), "doc");
        QTEST(f->txt()->toPlainText(), "text");
        QTEST(QString::fromLatin1(f->read(u"n.prg"_s)), "file");
    }
};

QTEST_MAIN(TestEditorFiles)
#include "tst_editor_files.moc"
