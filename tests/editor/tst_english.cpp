// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in English: the language chosen by dmk38.ini or the environment, the windows
// translated so far walked for Spanish left over, the help in English, and Qt's own texts
// following the language.
#include "EditorTest.h"
#include "EnglishWalk.h"
#include "HelpWindow.h"
#include "Isa.h"
#include "Language.h"
#include "Precnt.h"

using namespace Qt::StringLiterals;

namespace {

// An environment variable set for one test, put back as it was.
class EnvVar
{
public:
    EnvVar(const char* name, const QByteArray& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvVar() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// The section headings of a manual, as its contents list shows them.
QStringList headings(const QString& html)
{
    QStringList all;
    static const QRegularExpression heading(u"<h[23]><a name=\"[^\"]+\"></a>(.*?)</h[23]>"_s);
    for (auto it = heading.globalMatch(html); it.hasNext();)
        all << QTextDocumentFragment::fromHtml(it.next().captured(1)).toPlainText();
    return all;
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;
    EnglishWalk walk;

    // The editor started on a dmk38.ini whose [Set] holds set, its program folder holding the
    // build's catalogues as a real one does.
    bool start(const QByteArray& set)
    {
        f.emplace();
        const QDir built(QStringLiteral(WMK38_BIN_DIR "/translations"));
        if (!QDir().mkpath(f->path(u"translations"_s)))
            return false;
        for (const QString& qm : built.entryList({u"*.qm"_s}, QDir::Files))
            if (!QFile::copy(built.filePath(qm), f->path(u"translations/"_s + qm)))
                return false;
        return f->write(u"dmk38.ini"_s, "[Set]\r\n" + set) && f->start();
    }
    QString checkedLanguage() const
    {
        for (const char* name : {"mnIdiomaEs", "mnIdiomaEn", "mnIdiomaSistema"})
            if (f->action(name)->isChecked())
                return QLatin1String(name);
        return u"none"_s;
    }
    void verifyEnglish() { QVERIFY2(walk.spanish().isEmpty(), qPrintable(walk.spanish().join(u'\n'))); }

private slots:
    void initTestCase() { QVERIFY(walk.loaded()); }
    void init() { walk = EnglishWalk(); }
    void cleanup()
    {
        f.reset();
        language::use(language::kSpanish, QStringLiteral(WMK38_BIN_DIR));
    }

    // The language of the window from Idioma and the environment, and the mark of the menu.
    void choice_data()
    {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QString>("menu");    // the title of mnIdioma
        QTest::addColumn<QString>("checked"); // the item marked
        QTest::newRow("C, no Idioma: Spanish")
            << QByteArray() << QByteArray("C") << u"Idioma"_s << u"mnIdiomaSistema"_s;
        QTest::newRow("C, Idioma=en: English")
            << QByteArray("Idioma=en\r\n") << QByteArray("C") << u"Language"_s << u"mnIdiomaEn"_s;
        QTest::newRow("English system")
            << QByteArray() << QByteArray("en_GB.UTF-8") << u"Language"_s << u"mnIdiomaSistema"_s;
        QTest::newRow("English system, Idioma=es")
            << QByteArray("Idioma=es\r\n") << QByteArray("en_GB.UTF-8") << u"Idioma"_s << u"mnIdiomaEs"_s;
        QTest::newRow("English system, Idioma empty")
            << QByteArray("Idioma=\r\n") << QByteArray("en_GB.UTF-8") << u"Language"_s
            << u"mnIdiomaSistema"_s;
    }
    void choice()
    {
        QFETCH(QByteArray, set);
        QFETCH(QByteArray, lcMessages);
        EnvVar env("LC_MESSAGES", lcMessages);
        QVERIFY(start(set));
        QTEST(f->child<QMenu>("mnIdioma")->title(), "menu");
        QTEST(checkedLanguage(), "checked");
    }

    // A new choice is kept in dmk38.ini and used at the next start, not at once.
    void choiceTakesEffectAtTheNextStart()
    {
        QVERIFY(start({}));
        f->trigger("mnIdiomaEn");
        QCOMPARE(checkedLanguage(), u"mnIdiomaEn"_s);
        QCOMPARE(language::current(), u"es"_s);
        QVERIFY(!f->action("mnIdiomaNota")->isEnabled());
        QCOMPARE(f->action("mnIdiomaNota")->text(), u"El cambio se aplica al volver a iniciar WMK38"_s);
        f->editor->close();
        QVERIFY(f->read(u"dmk38.ini"_s).contains("Idioma=en\r\n"));
        QVERIFY(f->start());
        QCOMPARE(language::current(), u"en"_s);
        QCOMPARE(checkedLanguage(), u"mnIdiomaEn"_s);
        QCOMPARE(f->action("mnIdiomaSistema")->text(), u"System language"_s);
        f->trigger("mnIdiomaSistema");
        f->editor->close();
        QVERIFY(f->read(u"dmk38.ini"_s).contains("Idioma=\r\n"));
    }

    void languageMenuWalk()
    {
        QVERIFY(start("Idioma=en\r\n"));
        walk.menu(f->child<QMenu>("mnIdioma"), u"mnIdioma"_s);
        verifyEnglish();
    }

    void aboutWalk()
    {
        QVERIFY(start("Idioma=en\r\n"));
        f->trigger("mnAcercaDe");
        auto* about = f->child<QDialog>("Presenta");
        QVERIFY(about->isVisible());
        walk.allow(QRegularExpression::escape(f->editor->VersionText));
        walk.window(about);
        verifyEnglish();
    }

    // The manual in English: its own headings in the contents, the English page shown.
    void helpWalk()
    {
        QVERIFY(start("Idioma=en\r\n"));
        f->trigger("mnAyudaSub");
        auto* help = f->editor->findChild<HelpWindow*>();
        QVERIFY(help && help->isVisible());
        auto* contents = help->findChild<QListWidget*>(u"lstContenido"_s);
        const QStringList english = headings(manualHtml(f->editor->VersionText));
        QVERIFY(contents->count() == english.size() && english.value(0) == u"Contents"_s);
        for (int i = 0; i < contents->count(); ++i)
            QCOMPARE(contents->item(i)->text().trimmed(), english[i]);
        QVERIFY(help->findChild<QTextBrowser*>(u"txtManual"_s)->toPlainText().contains(u"What WMK38 is"_s));
        walk.window(help);
        verifyEnglish();
    }

    // qhelp_en.ayd in English, qhelp.ayd where there is no English one; the message in English.
    void quickHelp_data()
    {
        QTest::addColumn<QByteArray>("spanish"); // qhelp.ayd, "-" none
        QTest::addColumn<QByteArray>("english"); // qhelp_en.ayd, "-" none
        QTest::addColumn<QString>("shown");
        QTest::newRow("English file") << QByteArray("ayuda") << QByteArray("help") << u"Quick help | help"_s;
        QTest::newRow("no English file") << QByteArray("ayuda") << QByteArray("-") << u"Quick help | ayuda"_s;
        QTest::newRow("none") << QByteArray("-") << QByteArray("-")
                              << u"Error | The file QHELP.AYD cannot be found"_s;
    }
    void quickHelp()
    {
        QFETCH(QByteArray, spanish);
        QFETCH(QByteArray, english);
        QVERIFY(start("Idioma=en\r\n"));
        if (spanish != "-")
            QVERIFY(f->write(u"qhelp.ayd"_s, spanish));
        if (english != "-")
            QVERIFY(f->write(u"qhelp_en.ayd"_s, english));
        if (english == "-" && spanish == "-")
            f->prompts.answerMessage(Prompts::Ok);
        QString shown;
        QObject context;
        QTimer::singleShot(50, &context, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* box = w ? w->findChild<QPlainTextEdit*>(u"txtAyuda"_s) : nullptr) {
                shown = w->windowTitle() + u" | "_s + box->toPlainText();
                w->close();
            }
        });
        f->trigger("mnQAyuda");
        if (shown.isEmpty()) {
            shown = f->said();
            walk.message({f->prompts.asked().last().title, f->prompts.asked().last().text});
            verifyEnglish();
        }
        QTEST(shown, "shown");
    }

    // The presets window on a silent line: its captions, the message where reading stopped, and the
    // refusal of a box that holds no value.
    void presetsWalk()
    {
        QVERIFY(language::use(language::kEnglish, QStringLiteral(WMK38_BIN_DIR)));
        testutil::Pty silent;
        plclink::Waits waits(0.02);
        plclink::Link link(waits);
        QVERIFY(!link.openDevice(silent.path()));
        ScriptedPrompts prompts;
        Prompts::setCurrent(&prompts);
        {
            Precnt w({link, [] { return 1; }, [] { return false; }, [] { return QStringList(); }}, nullptr);
            w.show();
            w.begin();
            QCOMPARE(w.findChild<QLabel*>(u"lbMsg"_s)->text(), u"Reading 0"_s);
            walk.window(&w);
            prompts.answerMessage(Prompts::Ok);
            w.findChild<QPushButton*>(u"cmdPreset"_s)->click(); // every box "????"
            QCOMPARE(prompts.asked().size(), 1);
            walk.message({prompts.asked()[0].title, prompts.asked()[0].text});
        }
        Prompts::setCurrent(nullptr);
        verifyEnglish();
    }

    // Qt's stock buttons follow the language: Qt's English, or its Spanish catalogue as ever;
    // the two names a Spanish desktop gives differently are the program's own.
    void stockButtons_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("es") << u"es"_s << u"&Anular,Reintentar,&Omitir"_s;
        QTest::newRow("en") << u"en"_s << u"&Abort,Retry,&Ignore"_s;
    }
    void stockButtons()
    {
        QFETCH(QString, language);
        QVERIFY(language::use(language, QStringLiteral(WMK38_BIN_DIR)));
        QStringList buttons;
        QObject context;
        QTimer::singleShot(50, &context, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (auto b : {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore})
                buttons << box->button(b)->text();
            box->button(QMessageBox::Retry)->click();
        });
        DialogPrompts dialogs;
        QCOMPARE(
            dialogs.message(nullptr, {u"t"_s, u"x"_s, Prompts::Abort | Prompts::Retry | Prompts::Ignore}),
            Prompts::Retry);
        QTEST(buttons.join(u','), "buttons");
    }

    // wmk38 --help in the language its window would use: the environment, then Idioma.
    void usage_data()
    {
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("C") << QByteArray("C") << QByteArray() << u"Uso: wmk38 [/debugmode] [ARCHIVO]"_s;
        QTest::newRow("English") << QByteArray("en_US.UTF-8") << QByteArray()
                                 << u"Usage: wmk38 [/debugmode] [FILE]"_s;
        QTest::newRow("C, Idioma=en")
            << QByteArray("C") << QByteArray("Idioma=en\r\n") << u"Usage: wmk38 [/debugmode] [FILE]"_s;
        QTest::newRow("English, Idioma=es") << QByteArray("en_US.UTF-8") << QByteArray("Idioma=es\r\n")
                                            << u"Uso: wmk38 [/debugmode] [ARCHIVO]"_s;
    }
    void usage()
    {
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, set);
        // a copy of the program with its data, so the build's own settings play no part
        QTemporaryDir dir;
        const QString bin = QStringLiteral(WMK38_BIN_DIR);
        QVERIFY(QDir().mkpath(dir.filePath(u"translations"_s)));
        for (const QString& file : {u"wmk38"_s, u"es.def"_s, u"translations/wmk38_en.qm"_s})
            QVERIFY(QFile::copy(bin + u'/' + file, dir.filePath(file)));
        QVERIFY(testutil::writeRaw(dir.filePath(u"dmk38.ini"_s), "[Set]\r\n" + set));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_MESSAGES"_s, QString::fromLatin1(lcMessages));
        p.setProcessEnvironment(env);
        p.start(dir.filePath(u"wmk38"_s), {u"--help"_s});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QTEST(QString::fromUtf8(p.readAllStandardOutput()).section(u'\n', 0, 0), "firstLine");
    }

    // Both quick references and both manuals document every mnemonic.
    void shippedHelpInBothLanguages_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("es") << QString();
        QTest::newRow("en") << u"_en"_s;
    }
    void shippedHelpInBothLanguages()
    {
        QFETCH(QString, suffix);
        const QByteArray quick = testutil::readRaw(QStringLiteral(WMK38_BIN_DIR "/qhelp%1.ayd").arg(suffix));
        QVERIFY2(!quick.contains("\xC3") && quick.endsWith("\r\n"), "Windows-1252 with CR LF expected");
        QCOMPARE(quick.count('\n'), quick.count("\r\n"));
        manualHtml({}); // registers the manuals' resource
        QFile file(u":/help/manual%1.html"_s.arg(suffix));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(file.readAll());
        for (const auto& row : isa::instructions()) {
            const QString m = row.upperMnemonic(), lower = m.toLower();
            QVERIFY2(QString::fromLatin1(quick).contains(QRegularExpression(u"(^|\\n)%1 +\\S"_s.arg(m))),
                     qPrintable(m));
            QVERIFY2(manual.contains(u"<a name=\"i_%1\"></a>%2</h4>"_s.arg(lower, m)), qPrintable(m));
        }
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
