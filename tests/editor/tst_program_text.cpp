// SPDX-License-Identifier: GPL-3.0-or-later
// The program text as a code editor: colours by token, the colour scheme's contrast, the live
// check, completion, tooltips and go-to-label, the line numbers, in the real window.
#include "ColorScheme.h"
#include "Colorset.h"
#include "EditorTest.h"
#include "ProgramTextCompleter.h"
#include "ProgramTextGutter.h"
#include "ProgramTextTokens.h"

using namespace Qt::StringLiterals;

namespace {
QStringList esDef()
{
    QFile f(QStringLiteral(WMK38_BIN_DIR "/es.def"));
    return f.open(QIODevice::ReadOnly) ? compiler::readDefinitions(f.readAll()) : QStringList();
}

// The spans of a line: the word and its kind's letter, m mnemonic, e input, s output, v variable,
// c counter or timer, n number, l label, q equ name, ; comment, ! error.
QString spans(const QString& line, const ProgramSymbols& symbols)
{
    static const QString letters = u"mesvcnlq;!"_s;
    QStringList shown;
    for (const TokenSpan& s : classifyLine(line, symbols).spans)
        shown << line.mid(s.start, s.length) + u'/' + letters[int(s.kind)];
    return shown.join(u' ');
}

const QString kProgram = u"motor equ s1\nt1 equ 2.5\nstart: ld e1\nloop ld e2\n"_s;
} // namespace

class TestProgramText : public QObject
{
    Q_OBJECT
    std::optional<EditorFixture> f;

    // The point of the viewport over the character at a (plain) position.
    QPoint pointAt(int position) const
    {
        QTextCursor c(f->txt()->document());
        c.setPosition(position);
        return f->txt()->cursorRect(c).center() + QPoint(2, 0);
    }
    bool open() { return f.emplace().start(); }

private slots:
    void cleanup() { f.reset(); }

    // One row per kind of token, each with the word that would show another colour if the
    // compiler's reading were not followed.
    void tokens_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("mnemonic, any case") << u"  LD e1"_s << u"LD/m e1/e"_s;
        QTest::newRow("input") << u"and e8"_s << u"and/m e8/e"_s;
        QTest::newRow("output") << u"out s6"_s << u"out/m s6/s"_s;
        QTest::newRow("variable v") << u"ld v46"_s << u"ld/m v46/v"_s;
        QTest::newRow("variable re") << u"set re16"_s << u"set/m re16/v"_s;
        QTest::newRow("counter") << u"ctv ctv4"_s << u"ctv/m ctv4/c"_s;
        QTest::newRow("timer and its time") << u"tp tp1 1.5"_s << u"tp/m tp1/c 1.5/n"_s;
        QTest::newRow("number") << u"ldi 7"_s << u"ldi/m 7/n"_s;
        QTest::newRow("label where defined") << u"start: ld e1"_s << u"start:/l ld/m e1/e"_s;
        QTest::newRow("label in a jump") << u"goto loop"_s << u"goto/m loop/l"_s;
        QTest::newRow("equ where defined") << u"motor equ s1"_s << u"motor/q equ/m s1/s"_s;
        QTest::newRow("equ where used") << u"out motor"_s << u"out/m motor/q"_s;
        QTest::newRow("equ time") << u"tp tp2 t1"_s << u"tp/m tp2/c t1/q"_s;
        QTest::newRow("comment after ;") << u"ld e1 ; motor"_s << u"ld/m e1/e ; motor/;"_s;
        QTest::newRow("comment ' at the start") << u"' ld e1"_s << u"' ld e1/;"_s;
        QTest::newRow("' inside a line is a word") << u"ld e1 ' x"_s << u"ld/m e1/e"_s;
        QTest::newRow("unknown operand") << u"ld xx"_s << u"ld/m xx/!"_s;
        QTest::newRow("jump to no label") << u"goto fin"_s << u"goto/m fin/!"_s;
        QTest::newRow("jump with the colon") << u"goto start:"_s << u"goto/m start:/!"_s;
        QTest::newRow("index out of its group") << u"ctv tpv1"_s << u"ctv/m tpv1/!"_s;
        QTest::newRow("above the maximum") << u"inc 80"_s << u"inc/m 80/!"_s;
        QTest::newRow("out and e1: out is a label") << u"out and e1"_s << u"out/l and/m e1/e"_s;
        QTest::newRow("no instruction") << u"xx yy"_s << u"xx/! yy/!"_s;
        QTest::newRow("one character") << u"x"_s << u"x/!"_s;
        // clang-format on
    }
    void tokens()
    {
        QFETCH(QString, line);
        const QStringList names = esDef();
        QCOMPARE(names.size(), 92);
        const ProgramSymbols symbols(names, kProgram);
        QTEST(spans(line, symbols), "shown");
    }

    // Every token colour reads on every palette background, whatever mnemonic and text colour
    // the user chose; a readable choice is kept as it is.
    void contrast_data()
    {
        QTest::addColumn<int>("background");
        for (int i = 0; i < Colorset::kSwatches; ++i)
            QTest::addRow("background %d", i) << i;
    }
    void contrast()
    {
        QFETCH(int, background);
        const QColor bg = paletteColor(background);
        for (int text = 0; text < Colorset::kSwatches; ++text)
            for (int mnemonic = 0; mnemonic < Colorset::kSwatches; ++mnemonic) {
                const ColorScheme scheme{paletteColor(text), bg, paletteColor(mnemonic)};
                const auto colors = tokenColors(scheme);
                for (int k = 0; k < kTokenKinds; ++k)
                    QVERIFY2(contrastRatio(colors[size_t(k)], bg) >= kMinContrast,
                             qPrintable(u"kind %1 text %2 mnemonic %3: %4"_s.arg(k).arg(text).arg(mnemonic).arg(
                                 colors[size_t(k)].name())));
                if (contrastRatio(scheme.mnemonic, bg) >= kMinContrast)
                    QCOMPARE(colors[size_t(TokenKind::Mnemonic)], scheme.mnemonic);
            }
        QVERIFY(contrastRatio(defaultMnemonicColor(bg), bg) > 3.5);
        // the WCAG figures: black on white 21, the grey 128 on white 3.95
        QCOMPARE(qRound(contrastRatio(Qt::black, Qt::white) * 100), 2100);
        QCOMPARE(qRound(contrastRatio(QColor(128, 128, 128), Qt::white) * 100), 395);
    }

    // The text compiled in memory: the byte count, the rejected line marked with the message
    // "Compilar" gives; nothing of the editor's state, no file, no message box.
    void liveCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("line"); // 1-based; 0 none
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("valid") << u"ld e1\nout s1\nend"_s << u"5 / 256 bytes"_s << 0 << QString();
        QTest::newRow("bad operand") << u"ld e1\n  out xx ; y\nend"_s << u"5 / 256 bytes"_s << 2
                                     << u"El argumento \"xx\" no está entre los EQUs ni es una palabra clave"_s;
        QTest::newRow("unresolved jump") << u"ld e1\nfin: end\ngoto final\ngoto fin"_s << u"7 / 256 bytes"_s << 3
                                         << u"Error: salto a final No hallado."_s;
        QTest::newRow("too long") << u"ldiv 1 v01\n"_s.repeated(86) + u"end"_s
                                  << u"Programa demasiado largo: 259 / 256 bytes, 3 de más"_s << 86
                                  << u"El programa excede los 256 bytes"_s;
        // clang-format on
    }
    void liveCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, message);
        QVERIFY(open());
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(f->path());
        f->setText(text);
        f->editor->CompiledCurrent = true;
        f->editor->ProgramModified = false;
        f->editor->setPanelText(6, u"x"_s);
        QSignalSpy checked(f->txt(), &ProgramText::checked);
        QVERIFY(checked.wait(2000)); // after the pause in typing, by itself
        QDir::setCurrent(cwd);
        QTEST(f->panel(7), "panel");
        QCOMPARE(f->txt()->liveCheck().line + 1, line);
        QCOMPARE(f->txt()->liveCheck().message, message);
        QVERIFY(f->editor->CompiledCurrent && !f->editor->ProgramModified && f->panel(6) == u"x"_s);
        QCOMPARE(QDir(f->path()).entryList(QDir::Files), QStringList{u"es.def"_s});
        const auto marks = f->txt()->extraSelections();
        QCOMPARE(marks.size(), line ? 1 : 0);
        if (!line)
            return;
        QCOMPARE(marks[0].cursor.block().blockNumber(), line - 1);
        QCOMPARE(marks[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(marks[0].cursor.selectedText(), marks[0].cursor.block().text().trimmed());
        // the same words over the gutter's mark (over the line: hover)
        const QTextBlock block = f->txt()->document()->findBlockByNumber(line - 1);
        f->txt()->setTextCursor(QTextCursor(block));
        f->txt()->ensureCursorVisible();
        const QPoint mark(3, pointAt(block.position()).y());
        QHelpEvent hover(QEvent::ToolTip, mark, f->txt()->gutter()->mapToGlobal(mark));
        QApplication::sendEvent(f->txt()->gutter(), &hover);
        QTRY_COMPARE(QToolTip::text(), message);
        // "Compilar" says the same
        f->prompts.answerMessage(Prompts::Ok);
        f->trigger("mnCompilar");
        QVERIFY2(f->said().contains(message), qPrintable(f->said()));
    }

    // Ctrl+Space: the head of the list offered at the caret, by the prefix typed; the keys then
    // typed into the list, and the text they leave.
    void completion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("head"); // the first entries as listed
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after"); // none: the text ends with the first entry in lower case
        auto row = [](const char* name, const QString& text, const QString& head, const QString& keys = {},
                      const QString& after = {}) { QTest::newRow(name) << text << head << keys << after; };
        // clang-format off
        row("instruction expected", u""_s, u"and  dirección|andn dirección|andp"_s);
        row("prefix, any case", u"   T"_s, u"tp   Tp/TpF, tiempo|tpf  TpF, tiempo|tpv  Tpv/TpvF"_s);
        row("after a label", u"start: LDI"_s, u"ldi  valor|ldiv valor, dirección"_s);
        row("address for ld", u"ld "_s, u"e1      entrada|e2      entrada|e3      entrada"_s);
        row("counters for ctv", u"ctv "_s, u"ctv1    contador|ctv2    contador|ctv3    contador|ctv4    contador"_s);
        row("labels for a jump", u"loop: ld e1\nstart: end\ngoto s"_s, u"start"_s);
        row("equ name where it fits", u"motor equ s1\nt equ 5\nout mo"_s, u"motor = s1"_s);
        row("numeric equ for a time", u"motor equ s1\nt equ 5\ntp tp1 "_s, u"motor = 8|t = 5"_s);
        row("nothing after the operands", u"end "_s, QString());
        row("nothing in a comment", u"ld e1 ; l"_s, QString());
        // Esc keeps the text; Tab takes the entry chosen; the usual keys then go on: Enter indents
        row("Esc", u"l"_s, u"ld   dirección"_s, u"Esc"_s, u"l"_s);
        row("Down, Tab, Enter", u"l"_s, u"ld   dirección"_s, u"Down,Tab,Return"_s, u"ldi\n        "_s);
        // clang-format on
    }
    void completion()
    {
        QFETCH(QString, text);
        QFETCH(QString, head);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QVERIFY(open());
        f->setText(text);
        f->txt()->moveCursor(QTextCursor::End);
        QTest::keyClick(f->txt(), Qt::Key_Space, Qt::ControlModifier);
        QAbstractItemModel* list = f->txt()->completer()->completionModel();
        QStringList shown;
        for (int i = 0; i < list->rowCount() && i < head.count(u'|') + 1; ++i)
            shown << list->index(i, 0).data().toString();
        QCOMPARE(shown.join(u'|'), head);
        QCOMPARE(f->txt()->completer()->popup()->isVisible(), !head.isEmpty());
        if (head.isEmpty())
            return;
        // Enter where no keys are given; of an Enter that chooses only the release reaches the text
        QWidget* popup = f->txt()->completer()->popup();
        const QString word = list->index(0, 0).data(Qt::UserRole).toString();
        for (const QString& key : (keys.isEmpty() ? u"Return"_s : keys).split(u',')) {
            const bool chooses = popup->isVisible();
            QTest::keySequence(chooses ? popup : f->txt(), QKeySequence(key));
            if (chooses && key == u"Return"_s)
                QTest::keyRelease(f->txt(), Qt::Key_Return);
        }
        QVERIFY(!popup->isVisible());
        if (!after.isEmpty())
            QCOMPARE(f->txt()->toPlainText(), after);
        else
            QVERIFY2(f->txt()->toPlainText().endsWith(word) && word == word.toLower(),
                     qPrintable(f->txt()->toPlainText()));
    }

    // Tooltips: the quick reference's line of a mnemonic with its code, a predefined name's
    // address and kind, an equ name's value, the line that defines a jump's label, a rejected
    // line's message.
    void hover_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("under"); // the tooltip over the last occurrence of this word
        QTest::addColumn<QString>("tip");
        const QString program = u"motor equ s1\nt equ 2.5\nstart: ld e1\n  out motor\n  goto start"_s;
        // clang-format off
        QTest::newRow("mnemonic") << program << u"ld"_s
            << u"LD       dir             2    carga el estado del operando      ld e1\nCódigo 0x06, 2 bytes"_s;
        QTest::newRow("predefined name") << program << u"e1"_s << u"e1: entrada, dirección 0"_s;
        QTest::newRow("equ name") << program << u"motor"_s << u"motor vale 8"_s;
        QTest::newRow("label in a jump") << program << u"start"_s << u"Etiqueta start, definida en la línea 3"_s;
        QTest::newRow("counter") << u"ctv CTV2"_s << u"CTV2"_s << u"ctv2: contador, dirección 77"_s;
        QTest::newRow("comment: none") << u"ld e1 ; motor"_s << u"motor"_s << QString();
        // a rejected line: its message over any of its words
        QTest::newRow("rejected line") << u"ld e1\n  out xx ; y"_s << u"out"_s << u"El argumento \"xx\" no está entre los EQUs ni es una palabra clave"_s;
        // clang-format on
    }
    void hover()
    {
        QFETCH(QString, text);
        QFETCH(QString, under);
        f.emplace();
        QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/qhelp.ayd"), f->path(u"qhelp.ayd"_s)));
        QVERIFY(f->start());
        f->setText(text);
        f->txt()->checker()->runNow();
        QTEST(f->txt()->toolTipAt(pointAt(int(text.lastIndexOf(under)) + 1)), "tip");
        // past the end of a line nothing is shown
        QCOMPARE(f->txt()->toolTipAt(QPoint(f->txt()->viewport()->width() - 5, pointAt(0).y())), QString());
    }

    // F12 or Ctrl+click on a jump's label: the caret to the line that defines it.
    void goToLabel_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("under");
        QTest::addColumn<int>("line"); // 1-based line of the caret after; 0: the caret stays
        QTest::newRow("F12") << u"F12"_s << u"fin"_s << 2;
        QTest::newRow("Ctrl+click") << u"click"_s << u"fin"_s << 2;
        QTest::newRow("F12 on the mnemonic") << u"F12"_s << u"goto"_s << 0;
        QTest::newRow("F12 on a missing label") << u"F12"_s << u"nada"_s << 0;
    }
    void goToLabel()
    {
        QFETCH(QString, how);
        QFETCH(QString, under);
        QFETCH(int, line);
        QVERIFY(open());
        const QString text = u"ld e1\nfin: out s1\nend\ngoto nada\n  goto fin"_s;
        f->setText(text);
        const int at = int(text.lastIndexOf(under)) + 1;
        QTextCursor c(f->txt()->document());
        c.setPosition(at);
        f->txt()->setTextCursor(c);
        if (how == u"F12"_s)
            QTest::keyClick(f->txt(), Qt::Key_F12);
        else
            QTest::mouseClick(f->txt()->viewport(), Qt::LeftButton, Qt::ControlModifier, pointAt(at));
        QCOMPARE(f->txt()->textCursor().blockNumber() + 1, line ? line : c.blockNumber() + 1);
        // a Ctrl+click that went to a label opens no instruction menu
        QVERIFY(!f->editor->instructionMenu()->isVisible());
    }

    // Colours off: the box as plain as ever, and never in a copy; the gutter as wide as the line
    // count's digits need, gone when switched off; "Destacado" the mnemonics' colour.
    void coloursAndGutter()
    {
        QVERIFY(open());
        QCOMPARE(f->txt()->scheme().mnemonic, kDefaultScheme.mnemonic);
        f->setText(u"ld e1 ; x"_s);
        const QTextLayout* layout = f->txt()->document()->firstBlock().layout();
        QVERIFY(!layout->formats().isEmpty());
        f->txt()->selectAll();
        const std::unique_ptr<QMimeData> copy(f->txt()->createMimeDataFromSelection());
        QCOMPARE(copy->formats(), QStringList{u"text/plain"_s});
        QCOMPARE(copy->text(), u"ld e1 ; x"_s);
        f->trigger("mnResaltar");
        QVERIFY(!f->txt()->highlighting() && layout->formats().isEmpty());
        f->trigger("mnResaltar");
        QVERIFY(!layout->formats().isEmpty());
        ProgramTextGutter* gutter = f->txt()->gutter();
        f->setText(u"ld e1\n"_s.repeated(9));
        const int two = gutter->widthForLines();
        QVERIFY(gutter->isVisible() && f->txt()->viewport()->x() >= two);
        f->setText(u"ld e1\n"_s.repeated(120));
        QVERIFY(gutter->widthForLines() > two);
        f->trigger("mnLineas");
        QVERIFY(!gutter->isVisible());
        QTRY_VERIFY(f->txt()->viewport()->x() < two);
        f->trigger("mnColoresEditor");
        auto* d = f->editor->findChild<Colorset*>();
        for (const char* name : {"opControl1", "lbColorFrente11", "cmdAceptar"})
            QTest::mouseClick(d->findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton);
        QCOMPARE(f->txt()->scheme().mnemonic, paletteColor(11));
        QCOMPARE(f->txt()->tokenColor(TokenKind::Mnemonic), paletteColor(11));
    }
};

QTEST_MAIN(TestProgramText)
#include "tst_program_text.moc"
