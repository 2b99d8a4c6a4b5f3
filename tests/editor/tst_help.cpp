#include "Ayuda.h"
#include "HelpWindow.h"
#include "Isa.h"
#include "OrvLibClient.h"
#include "Presenta.h"
#include "ScriptedPrompts.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

namespace {

QString mnemonic(const isa::Instruction& row)
{
    return row.upperMnemonic();
}

struct ShownHelp
{
    bool shown = false;
    QString title;
    QString text;
    bool readOnly = false;
    bool closedByEsc = false;
};

// Runs showQuickHelp and, while its modal window is up, reads it and presses Esc in txtAyuda.
ShownHelp runQuickHelp(const QString& appPath, OrvLib& lib)
{
    ShownHelp seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QLatin1String("Ayuda") || !w->isVisible())
                continue;
            auto* box = w->findChild<QPlainTextEdit*>(QStringLiteral("txtAyuda"));
            seen.shown = true;
            seen.title = w->windowTitle();
            // toPlainText() would turn the no-break space into a blank
            if (box)
                seen.text =
                    box->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            seen.readOnly = box && box->isReadOnly();
            if (box)
                QTest::keyClick(box, Qt::Key_Escape);
            seen.closedByEsc = !w->isVisible();
            if (!seen.closedByEsc)
                w->close(); // never leave the test hanging in the modal loop
        }
    });
    poll.start();
    showQuickHelp(nullptr, appPath, lib);
    poll.stop();
    return seen;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<OrvLib> m_lib;

private slots:
    void quickHelp_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing file") << false << QByteArray() << QString();
        QTest::newRow("empty file opens an empty window") << true << QByteArray() << QString();
        // bytes 0xA0 and 0x80 differ between Windows-1252 and Latin-1; CR LF stays a line break
        QTest::newRow("Windows-1252 text unchanged")
            << true << QByteArray("Ayuda r\xE1pida\r\nAcci\xF3n: \x80 5\xA0x\r\n")
            << QStringLiteral("Ayuda r\u00E1pida\nAcci\u00F3n: \u20AC 5\u00A0x\n");
    }
    void quickHelp()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QString error;
        if (!m_lib)
            m_lib = OrvLib::create(&error);
        QVERIFY2(m_lib, qPrintable(error));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString appPath = dir.path() + QLatin1Char('/');
        if (present) {
            QFile f(appPath + QStringLiteral("qhelp.ayd"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ScriptedPrompts prompts;
        if (!present)
            prompts.answerMessage(Prompts::Ok);

        const ShownHelp seen = runQuickHelp(appPath, *m_lib);

        QCOMPARE(seen.shown, present);
        if (present) {
            QVERIFY(prompts.asked().isEmpty());
            QCOMPARE(seen.title, QStringLiteral("Ayuda r\u00A0pida"));
            QCOMPARE(seen.text, shown);
            QVERIFY(seen.readOnly);
            QVERIFY(seen.closedByEsc);
        } else {
            QCOMPARE(prompts.asked().size(), 1);
            const auto& m = prompts.asked().first();
            QCOMPARE(m.text, QStringLiteral("No se halla el archivo QHELP.AYD"));
            QCOMPARE(m.title, QStringLiteral("Error"));
            QCOMPARE(m.buttons, int(Prompts::Ok));
            QCOMPARE(m.icon, Prompts::Icon::Exclamation);
        }
        QVERIFY(prompts.unexpected().isEmpty());
    }

    void shippedQuickHelpIsWindows1252WithCrLf()
    {
        QFile f(QStringLiteral(WMK38_BIN_DIR "/qhelp.ayd"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.size() > 1000);
        QVERIFY(!bytes.contains("placeholder"));
        QVERIFY2(!bytes.contains("\xC3"), "UTF-8 sequence in a Windows-1252 file");
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n')
                QVERIFY2(i > 0 && bytes[i - 1] == '\r', "bare LF");
        QVERIFY(bytes.endsWith("\r\n"));
    }

    void everyMnemonicDocumented_data()
    {
        QTest::addColumn<QString>("mnemonic");
        for (const auto& row : isa::instructions())
            QTest::newRow(qPrintable(mnemonic(row))) << mnemonic(row);
    }
    void everyMnemonicDocumented()
    {
        QFETCH(QString, mnemonic);
        QFile f(QStringLiteral(WMK38_BIN_DIR "/qhelp.ayd"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString quick = QString::fromLatin1(f.readAll());
        // a row of the reference begins with the mnemonic
        const QRegularExpression row(QStringLiteral("(^|\\n)%1 +\\S").arg(mnemonic));
        QVERIFY2(row.match(quick).hasMatch(), qPrintable(mnemonic + " missing from qhelp.ayd"));

        const QString manual = manualHtml(QStringLiteral("1.00.000"));
        const QString lower = mnemonic.toLower();
        QVERIFY2(manual.contains(QStringLiteral("<a name=\"i_%1\"></a>%2</h4>").arg(lower, mnemonic)),
                 qPrintable(mnemonic + " has no entry in the manual"));
        QVERIFY2(manual.contains(QStringLiteral("<a href=\"#i_%1\">").arg(lower)),
                 qPrintable(mnemonic + " missing from the manual's instruction table"));
    }

    void helpWindow()
    {
        showHelp(nullptr, QStringLiteral("1.02.003"));
        showHelp(nullptr, QStringLiteral("1.02.003"));
        QList<HelpWindow*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
                windows << h;
        QCOMPARE(windows.size(), 1);
        HelpWindow* window = windows.first();
        QCOMPARE(window->objectName(), QStringLiteral("HelpWindow"));
        QVERIFY(QTest::qWaitForWindowExposed(window));

        auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("txtManual"));
        auto* contents = window->findChild<QListWidget*>(QStringLiteral("lstContenido"));
        QVERIFY(browser && contents);
        const QString text = browser->toPlainText();
        QVERIFY(text.contains(QStringLiteral("1.02.003")));
        QVERIFY(!text.contains(QStringLiteral("@VERSION@")));

        // every internal link of the shown document has its anchor
        QSet<QString> anchors;
        QStringList links;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                for (const QString& name : f.anchorNames())
                    anchors.insert(name);
                if (f.isAnchor() && !f.anchorHref().isEmpty())
                    links << f.anchorHref();
            }
        }
        QVERIFY(links.size() > 60);
        for (const QString& link : std::as_const(links)) {
            QVERIFY2(link.startsWith(QLatin1Char('#')), qPrintable(link));
            QVERIFY2(anchors.contains(link.mid(1)), qPrintable("dangling link " + link));
        }

        // the contents list leads to the manual's sections
        QVERIFY(contents->count() >= 10);
        for (int i = 0; i < contents->count(); ++i)
            QVERIFY(anchors.contains(contents->item(i)->data(Qt::UserRole).toString()));
        auto* bar = browser->verticalScrollBar();
        bar->setValue(0);
        QListWidgetItem* last = contents->item(contents->count() - 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
        QVERIFY(bar->value() > 0);

        // a link inside the page moves there too
        bar->setValue(bar->maximum());
        browser->setSource(QUrl(QStringLiteral("#contenido")));
        QVERIFY(bar->value() < bar->maximum());
        window->close();
    }

    void aboutBox()
    {
        Presenta about(QStringLiteral("1.05.007"));
        about.setAboutMode(true);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lbVersion"))->text(), QStringLiteral("1.05.007"));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdAceptar"));
        QVERIFY(ok->isVisible());
        QCOMPARE(ok->text(), QStringLiteral("&Aceptar"));
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
        about.show();
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
