#include "Equates.h"
#include "Operand.h"
#include "Source.h"
#include "TestSupport.h"
#include "clsCompila.h"

#include <QtTest>

// Line preparation, EQUs, es.def, clsCompila and operand evaluation.
class TstParsing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void prepareLine_data();
    void prepareLine();
    void lineEnds_data();
    void lineEnds();
    void collectEquates_data();
    void collectEquates();
    void shippedDefinitions();
    void definitionLines();
    void evaluateOperand_data();
    void evaluateOperand();
    void evaluateOperandTrimsInPlace();
    void parseLine_data();
    void parseLine();
    void parseLineTooManyWords();
    void argOutOfRange();
    void comentDelims();

private:
    QStringList m_defs;
};

void TstParsing::initTestCase()
{
    m_defs = ::shippedDefinitions();
}

void TstParsing::prepareLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result"); // "-" nothing, "1" one character, else words joined by "|"
    QTest::newRow("plain") << "ld e1"
                           << "ld|e1";
    QTest::newRow("blanks, capitals, comment") << "   LD  E1 ; start"
                                               << "ld|e1";
    QTest::newRow("tabs between words") << "ld\t\te1"
                                        << "ld|e1";
    QTest::newRow("empty") << ""
                           << "-";
    QTest::newRow("blanks only") << "    "
                                 << "-";
    QTest::newRow("tab only") << "\t"
                              << "-";
    QTest::newRow("semicolon comment") << "; note"
                                       << "-";
    QTest::newRow("apostrophe comment") << "' note"
                                        << "-";
    QTest::newRow("indented semicolon comment") << "   ; note"
                                                << "-";
    QTest::newRow("tab then comment") << "\t; note"
                                      << "-";
    QTest::newRow("apostrophe inside") << "ld e1 ' note"
                                       << "ld|e1|'|note";
    QTest::newRow("one character") << "x"
                                   << "1";
    QTest::newRow("one character with comment") << "x;c"
                                                << "1";
    QTest::newRow("two characters") << "xx"
                                    << "xx";
    QTest::newRow("equ line") << "motor equ s1"
                              << "-";
    QTest::newRow("= line") << "motor = s1"
                            << "-";
    QTest::newRow("six words at most") << "a b c d e f g h"
                                       << "a|b|c|d|e|f";
    QTest::newRow("label") << "loop: ld e1"
                           << "loop:|ld|e1";
    QTest::newRow("comment right after word") << "ld e1;x"
                                              << "ld|e1";
}

void TstParsing::prepareLine()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    const QString lower = line.toLower();
    const compiler::PreparedLine p = compiler::prepareLine(lower);
    QString got;
    if (p.kind == compiler::PreparedLine::Kind::Nothing)
        got = QStringLiteral("-");
    else if (p.kind == compiler::PreparedLine::Kind::OneChar)
        got = QStringLiteral("1");
    else {
        QStringList words;
        for (QStringView w : p.words)
            if (!w.isEmpty())
                words << w.toString();
        got = words.join(u'|');
    }
    QCOMPARE(got, result);
}

void TstParsing::lineEnds_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("CR LF") << "Ld e1\r\nout s1\r\n";
    QTest::newRow("LF") << "Ld e1\nout s1\n";
    QTest::newRow("CR") << "Ld e1\rout s1\r";
    QTest::newRow("no final end") << "Ld e1\r\nout s1";
}

void TstParsing::lineEnds()
{
    QFETCH(QString, source);
    const compiler::SourceText text(source);
    QCOMPARE(text.lines().size(), size_t(2));
    QCOMPARE(text.lines()[0].raw.toString(), QStringLiteral("Ld e1"));
    QCOMPARE(text.lines()[0].lower.toString(), QStringLiteral("ld e1"));
    QCOMPARE(text.lines()[1].raw.toString(), QStringLiteral("out s1"));
    QCOMPARE(text.lines()[1].number, 2);
}

void TstParsing::collectEquates_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    using L = QStringList;
    QTest::newRow("name valued") << "motor equ s1" << L{"motor"} << L{"8"};
    QTest::newRow("capitals") << "Motor EQU S1" << L{"motor"} << L{"8"};
    QTest::newRow("2.5") << "delay equ 2.5" << L{"delay"} << L{"2.5"};
    QTest::newRow("2.50 dropped") << "delay equ 2.50" << L{} << L{};
    QTest::newRow("0.5 dropped") << "x equ 0.5" << L{} << L{};
    QTest::newRow(".5") << "x equ .5" << L{"x"} << L{".5"};
    QTest::newRow("256 dropped") << "x equ 256" << L{} << L{};
    QTest::newRow("-1 dropped") << "x equ -1" << L{} << L{};
    QTest::newRow("255") << "x equ 255" << L{"x"} << L{"255"};
    QTest::newRow("0") << "x equ 0" << L{"x"} << L{"0"};
    QTest::newRow("leading zero dropped") << "x equ 05" << L{} << L{};
    QTest::newRow("-.5") << "x equ -.5" << L{"x"} << L{"-.5"};
    QTest::newRow("sequ defines nothing") << "sequ equ 3" << L{} << L{};
    QTest::newRow("value;note") << "x equ 5;note" << L{"x"} << L{"5"};
    QTest::newRow("value ; note") << "x equ 5 ; note" << L{"x"} << L{"5"};
    QTest::newRow("value is a comment") << "x equ ;5" << L{} << L{};
    QTest::newRow("commented out") << ";x equ 5" << L{} << L{};
    QTest::newRow("no value") << "x equ" << L{} << L{};
    QTest::newRow("= defines nothing") << "x = 5" << L{} << L{};
    QTest::newRow("two names") << "a b equ 5" << L{} << L{};
    QTest::newRow("equ of an equ") << "a equ 5\nb equ a" << L{"a"} << L{"5"};
    QTest::newRow("unknown name") << "a equ foo" << L{} << L{};
    QTest::newRow("tabs") << "t1\tequ\t5" << L{"t1"} << L{"5"};
    QTest::newRow("names before numbers")
        << "a equ 5\nb equ e2\nc equ 7\nd equ tp1" << L{"b", "d", "a", "c"} << L{"1", "86", "5", "7"};
    QTest::newRow("second definition kept") << "x equ 5\nx equ 6" << L{"x", "x"} << L{"5", "6"};
    QTest::newRow("not seven digits") << "x equ 1.2345678" << L{} << L{};
    QTest::newRow("exponent dropped") << "x equ 1e2" << L{} << L{};
}

void TstParsing::collectEquates()
{
    QFETCH(QString, source);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    const compiler::EquTable t = compiler::CollectEquates(source, m_defs);
    QCOMPARE(t.names, names);
    QCOMPARE(t.values, values);
}

void TstParsing::shippedDefinitions()
{
    QCOMPARE(m_defs.size(), isa::kOperandSpaceSize);
    for (int i = 0; i < m_defs.size(); ++i)
        QCOMPARE(m_defs[i], isa::operandName(i).toLower());
}

void TstParsing::definitionLines()
{
    // comments, blank and stray lines take no position; CR, LF and CR LF all end lines
    const QByteArray file = "; header\r\n"
                            "a equ 0\r\n"
                            "\r\n"
                            "   \n"
                            "stray line\n"
                            "  b   equ whatever\r"
                            "c equ\n"
                            "Dequal\n"
                            "; e equ 9\n"
                            "f equ 1";
    QCOMPARE(compiler::readDefinitions(file), (QStringList{"a", "b", "c", "D", "f"}));
    QCOMPARE(compiler::readDefinitions(QByteArray()), QStringList());
    // "equ" is looked for as written
    QCOMPARE(compiler::readDefinitions("x EQU 1\ny equ 2\n"), QStringList{"y"});
}

void TstParsing::evaluateOperand_data()
{
    QTest::addColumn<QString>("operand");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("storage");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message");
    const auto msg = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("number") << "12" << 1.0f << 255 << 255 << 12 << QString();
    QTest::newRow("blanks trimmed") << "  12 " << 1.0f << 255 << 255 << 12 << QString();
    QTest::newRow("empty") << "" << 1.0f << 255 << 255 << -1 << msg("Falta argumento");
    QTest::newRow("blank") << "   " << 1.0f << 255 << 255 << -1 << msg("Falta argumento");
    QTest::newRow("0.25 x10 to even") << "0.25" << 10.0f << 255 << 255 << 2 << QString();
    QTest::newRow("0.35 x10 single") << "0.35" << 10.0f << 255 << 255 << 3 << QString();
    QTest::newRow("0.15 x10 single") << "0.15" << 10.0f << 255 << 255 << 2 << QString();
    QTest::newRow("2.5 to even") << "2.5" << 1.0f << 255 << 255 << 2 << QString();
    QTest::newRow("3.5 to even") << "3.5" << 1.0f << 255 << 255 << 4 << QString();
    QTest::newRow("x100") << "1.5" << 100.0f << 32767 << 32767 << 150 << QString();
    QTest::newRow("-1 is a name")
        << "-1" << 1.0f << 255 << 255 << -1
        << msg("El argumento \"-1\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("scaled to -1 is a name")
        << "-0.1" << 10.0f << 255 << 255 << -1
        << msg("El argumento \"-0.1\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("comma is a name")
        << "1,5" << 1.0f << 255 << 255 << -1
        << msg("El argumento \"1,5\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("plus is a name")
        << "+5" << 1.0f << 255 << 255 << -1
        << msg("El argumento \"+5\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("above rule") << "80" << 1.0f << 75 << 255 << -1
                                << msg("El argumento \"80\" es mayor que el máximo (75)");
    QTest::newRow("above byte") << "300" << 1.0f << 255 << 255 << -1
                                << msg("El argumento \"300\" es mayor que el máximo (255)");
    QTest::newRow("below") << "-5" << 1.0f << 255 << 255 << -1
                           << msg("El argumento \"-5\" es menor que el mínimo (0)");
    QTest::newRow("above movtct") << "11" << 1.0f << 10 << 255 << -1
                                  << msg("El argumento \"11\" es mayor que el máximo (10)");
    QTest::newRow("scaled above") << "30" << 10.0f << 255 << 255 << -1
                                  << msg("El argumento \"30\" es mayor que el máximo (255)");
    QTest::newRow("name") << "s1" << 1.0f << 255 << 255 << 8 << QString();
    QTest::newRow("name unscaled") << "s1" << 10.0f << 255 << 255 << 8 << QString();
    QTest::newRow("name not range checked") << "ctv1" << 1.0f << 75 << 255 << 76 << QString();
    QTest::newRow("name shadows equ") << "e2" << 1.0f << 255 << 255 << 1 << QString();
    QTest::newRow("equ") << "t1" << 1.0f << 255 << 255 << 5 << QString();
    QTest::newRow("equ scaled") << "t1" << 10.0f << 32767 << 32767 << 50 << QString();
    QTest::newRow("equ rounding") << "h" << 10.0f << 255 << 255 << 3 << QString();
    QTest::newRow("first equ wins") << "dup" << 1.0f << 255 << 255 << 4 << QString();
    QTest::newRow("name equ scaled") << "motor" << 10.0f << 255 << 255 << 80 << QString();
    QTest::newRow("equ beyond byte") << "big" << 10.0f << 255 << 255 << -1
                                     << msg("El argumento \"big\" es mayor que el máximo (255)");
    QTest::newRow("equ below zero") << "neg" << 10.0f << 255 << 255 << -1
                                    << msg("El argumento \"neg\" es menor que el mínimo (0)");
    QTest::newRow("equ rounds to -1")
        << "negone" << 1.0f << 255 << 255 << -1 << msg("El argumento \"negone\" es menor que el mínimo (0)");
    QTest::newRow("undefined") << "foo" << 1.0f << 255 << 255 << -1
                               << msg("El argumento \"foo\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("16-bit overflow")
        << "5000" << 10.0f << 32767 << 32767 << -1
        << msg("El argumento \"5000\" excede el rango de 16 bits (-32768 a 32767) al "
               "multiplicarlo por 10");
    QTest::newRow("1e9") << "1e9" << 1.0f << 255 << 255 << -1
                         << msg("El argumento \"1e9\" excede el rango de 16 bits (-32768 a 32767)");
    QTest::newRow("huge digits")
        << "99999999999999999999999999999999999999999" << 1.0f << 255 << 255 << -1
        << msg("El argumento \"99999999999999999999999999999999999999999\" excede el "
               "rango de 16 bits (-32768 a 32767)");
    QTest::newRow("1e2 is a name")
        << "1e2" << 1.0f << 255 << 255 << -1
        << msg("El argumento \"1e2\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("leading number") << "12-3" << 1.0f << 255 << 255 << 12 << QString();
    QTest::newRow("preset top") << "3276.7" << 10.0f << 32767 << 32767 << 32767 << QString();
    QTest::newRow("preset above")
        << "3276.8" << 10.0f << 32767 << 32767 << -1
        << msg("El argumento \"3276.8\" excede el rango de 16 bits (-32768 a 32767) al "
               "multiplicarlo por 10");
}

void TstParsing::evaluateOperand()
{
    QFETCH(QString, operand);
    QFETCH(float, scale);
    QFETCH(int, maximum);
    QFETCH(int, storage);
    QFETCH(int, value);
    QFETCH(QString, message);
    compiler::EquTable equs;
    equs.names = QStringList{"e2", "t1", "h", "dup", "dup", "motor", "big", "neg", "negone"};
    equs.values = QStringList{"7", "5", ".35", "4", "9", "8", "25.6", "-.5", "-.6"};
    const compiler::Symbols symbols(m_defs, equs);
    QString errorText = QStringLiteral("old");
    QStringView text(operand);
    const qint16 got = compiler::EvaluateOperand(text, scale, maximum, 0, symbols, errorText, storage);
    QCOMPARE(int(got), value);
    QCOMPARE(errorText, message.isNull() ? QStringLiteral("old") : message); // success leaves ErrorText alone
}

void TstParsing::evaluateOperandTrimsInPlace()
{
    const compiler::Symbols symbols(m_defs, {});
    QString errorText;
    const QString operand = QStringLiteral("  foo ");
    QStringView text(operand);
    QCOMPARE(compiler::EvaluateOperand(text, 1.0f, 255, 0, symbols, errorText), qint16(-1));
    QCOMPARE(text.toString(), QStringLiteral("foo"));
}

void TstParsing::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("uBound");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("words") << "ld  e1" << 1 << QStringList{"ld", "e1"};
    QTest::newRow("kept case") << "  LD E1  " << 1 << QStringList{"LD", "E1"};
    QTest::newRow("tab separates") << "a\tb" << 1 << QStringList{"a", "b"};
    QTest::newRow("comment") << "ld e1 ; x" << 2 << QStringList{"ld", "e1"};
    QTest::newRow("comment glued") << "ld e1;x" << 1 << QStringList{"ld", "e1"};
    QTest::newRow("apostrophe") << "a 'b" << 1 << QStringList{"a"};
    QTest::newRow("comment line") << "; all" << 0 << QStringList{};
    QTest::newRow("apostrophe line") << "' all" << 0 << QStringList{};
    QTest::newRow("empty") << "" << 0 << QStringList{};
    QTest::newRow("trailing tab") << "a b\t" << 2 << QStringList{"a", "b"};
}

void TstParsing::parseLine()
{
    QFETCH(QString, line);
    QFETCH(int, uBound);
    QFETCH(QStringList, args);
    compiler::clsCompila c;
    c.ParseLine(QStringLiteral("x y z w"));
    compiler::RuntimeError error;
    QVERIFY(c.ParseLine(line, &error));
    QCOMPARE(error.number, 0);
    QCOMPARE(int(c.UBoundArg()), uBound);
    for (qint16 i = 0; i <= 20; ++i)
        QCOMPARE(c.Arg(i), i < args.size() ? args[i] : QString());
}

void TstParsing::parseLineTooManyWords()
{
    compiler::clsCompila c;
    QStringList words;
    for (int i = 0; i < 21; ++i)
        words << QString::number(i);
    compiler::RuntimeError error;
    QVERIFY(c.ParseLine(words.join(u' '), &error));
    QCOMPARE(int(c.UBoundArg()), 20);
    QCOMPARE(c.Arg(20), QStringLiteral("20"));
    QVERIFY(!c.ParseLine(words.join(u' ') + QStringLiteral(" 21"), &error));
    QCOMPARE(error.number, 9);
    QCOMPARE(c.Arg(20), QStringLiteral("20"));
}

void TstParsing::argOutOfRange()
{
    compiler::clsCompila c;
    compiler::RuntimeError error;
    QCOMPARE(c.Arg(21, &error), QString());
    QCOMPARE(error.number, 9);
    QCOMPARE(error.description, QStringLiteral("Se permiten hasta 20 argumentos"));
    error = {};
    c.Arg(-1, &error);
    QCOMPARE(error.number, 9);
    error = {};
    c.Arg(0, &error);
    QCOMPARE(error.number, 0);
}

void TstParsing::comentDelims()
{
    compiler::clsCompila c;
    QCOMPARE(c.ComentDelim1(), QStringLiteral(";"));
    QCOMPARE(c.ComentDelim2(), QStringLiteral("'"));
    compiler::RuntimeError error;
    QVERIFY(!c.setComentDelim1(QString(), &error));
    QCOMPARE(error.number, 93);
    QCOMPARE(error.description, QStringLiteral("El delimitador debe ser de solo 1 caracter"));
    QVERIFY(!c.setComentDelim2(QStringLiteral("//"), &error));
    QCOMPARE(c.ComentDelim1(), QStringLiteral(";"));
    QCOMPARE(c.ComentDelim2(), QStringLiteral("'"));
    QVERIFY(c.setComentDelim1(QStringLiteral("#"), &error));
    QVERIFY(c.ParseLine(QStringLiteral("ld e1 #x ; y")));
    QCOMPARE(c.Arg(1), QStringLiteral("e1"));
    QCOMPARE(c.Arg(2), QString());
    QVERIFY(c.ParseLine(QStringLiteral("ld ;e1")));
    QCOMPARE(c.Arg(1), QStringLiteral(";e1"));
}

QTEST_GUILESS_MAIN(TstParsing)
#include "tst_parsing.moc"
