// Quick help from qhelp.ayd, the manual's help window, and the shipped help texts.
#include "Ayuda.h"
#include "HelpWindow.h"
#include "Isa.h"
#include "OrvLibClient.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void quickHelp_data()
    {
        QTest::addColumn<QByteArray>("file"); // "-": none
        QTest::addColumn<QString>("shown");   // title, then the raw text; or the message
        QTest::newRow("missing") << QByteArray("-") << u"Error | No se halla el archivo QHELP.AYD"_s;
        QTest::newRow("empty: an empty window") << QByteArray() << u"Ayuda r\u00A0pida | "_s;
        // bytes 0xA0 and 0x80 differ between Windows-1252 and Latin-1
        QTest::newRow("Windows-1252 unchanged")
            << QByteArray("Ayuda r\xE1pida\r\nAcci\xF3n: \x80 5\xA0x\r\n")
            << u"Ayuda r\u00A0pida | Ayuda r\u00E1pida\nAcci\u00F3n: \u20AC 5\u00A0x\n"_s;
    }
    void quickHelp()
    {
        QFETCH(QByteArray, file);
        QString error;
        const std::unique_ptr<OrvLib> lib = OrvLib::create(&error);
        QVERIFY2(lib, qPrintable(error));
        QTemporaryDir dir;
        if (file != "-")
            QVERIFY(testutil::writeRaw(dir.filePath(u"qhelp.ayd"_s), file));
        ScriptedPrompts prompts;
        prompts.answerMessage(Prompts::Ok);
        QString shown;
        // while the modal window is up: read it, then Esc in its text box must close it
        QTimer poll; // a local timer: it cannot fire after this test
        poll.setSingleShot(true);
        connect(&poll, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            auto* box = w ? w->findChild<QPlainTextEdit*>(u"txtAyuda"_s) : nullptr;
            if (!box)
                return;
            // toPlainText() would turn the no-break space into a blank
            shown = w->windowTitle() + u" | "_s +
                    box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
            shown += box->isReadOnly() ? QString() : u" (editable)"_s;
            QTest::keyClick(box, Qt::Key_Escape);
            if (w->isVisible()) {
                shown += u" (Esc ignored)"_s;
                w->close();
            }
        });
        poll.start(50);
        showQuickHelp(nullptr, dir.path() + u'/', *lib);
        if (shown.isEmpty() && !prompts.asked().isEmpty())
            shown = prompts.asked().first().title + u" | "_s + prompts.asked().first().text;
        QTEST(shown, "shown");
    }

    void shippedTextsDocumentEveryMnemonic()
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

    void helpWindow()
    {
        showHelp(nullptr, u"1.02.003"_s);
        showHelp(nullptr, u"1.02.003"_s);
        QList<HelpWindow*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
                windows << h;
        QCOMPARE(windows.size(), 1);
        auto* browser = windows[0]->findChild<QTextBrowser*>(u"txtManual"_s);
        auto* contents = windows[0]->findChild<QListWidget*>(u"lstContenido"_s);
        QVERIFY(browser->toPlainText().contains(u"1.02.003"_s) && contents->count() >= 10);
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
        // choosing an entry, or following a link, moves the page there
        QVERIFY(QTest::qWaitForWindowExposed(windows[0]));
        QScrollBar* bar = browser->verticalScrollBar();
        bar->setValue(0);
        QListWidgetItem* last = contents->item(contents->count() - 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
        QVERIFY(bar->value() > 0);
        bar->setValue(bar->maximum());
        browser->setSource(QUrl(u"#contenido"_s));
        QVERIFY(bar->value() < bar->maximum());
        windows[0]->close();
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
