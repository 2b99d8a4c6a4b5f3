#include "Equates.h"
#include "Operand.h"
#include "TestUtil.h"
#include "clsCompila.h"

#include <QtTest>

// EQUs, es.def, operand evaluation and clsCompila.
class TstParsing : public QObject
{
    Q_OBJECT
private slots:
    void collectEquates_data();
    void collectEquates();
    void definitionLines();
    void evaluateOperand_data();
    void evaluateOperand();
    void parseLine_data();
    void parseLine();
    void clsCompilaErrors();

private:
    const QStringList m_defs =
        compiler::readDefinitions(testutil::readRaw(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def")));
};

void TstParsing::collectEquates_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("equs"); // name=value, in cbEQUs order
    const char* const rows[][2] = {
        {"Motor EQU S1", "motor=8"},
        {"delay equ 2.5", "delay=2.5"},
        {"delay equ 2.50", ""},
        {"x equ 0.5", ""},
        {"x equ .5", "x=.5"},
        {"x equ -.5", "x=-.5"},
        {"x equ 256", ""},
        {"x equ -1", ""},
        {"x equ 255", "x=255"},
        {"sequ equ 3", ""},
        {"x equ 5;note", "x=5"},
        {"x equ 5 ; note", "x=5"},
        {"x equ ;5", ""},
        {"a equ 5\nb equ a", "a=5"},
        {"t1\tequ\t5", "t1=5"},
        {"a equ 5\nb equ e2\nc equ 7\nd equ tp1", "b=1 d=86 a=5 c=7"},
    };
    for (const auto& [source, equs] : rows)
        QTest::newRow(source) << QString::fromLatin1(source) << QString::fromLatin1(equs);
}

void TstParsing::collectEquates()
{
    QFETCH(QString, source);
    QFETCH(QString, equs);
    const compiler::EquTable t = compiler::CollectEquates(source, m_defs);
    QStringList got;
    for (int i = 0; i < t.names.size(); ++i)
        got << t.names[i] + u'=' + t.values.value(i);
    QCOMPARE(got.join(u' '), equs);
}

void TstParsing::definitionLines()
{
    // comments, blank and stray lines take no position; "equ" is looked for as written
    const QByteArray file =
        "; header\r\na equ 0\r\n\r\n   \nstray\n  b   equ x\rc equ\nDequal\n; e equ 9\nx EQU 1\nf equ 1";
    QCOMPARE(compiler::readDefinitions(file), (QStringList{"a", "b", "c", "D", "f"}));
}

void TstParsing::evaluateOperand_data()
{
    QTest::addColumn<QString>("operand");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message"); // empty: ErrorText untouched
    const QString undefined = QString::fromUtf8("\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("trimmed") << "  12 " << 1.0f << 255 << 12 << QString();
    QTest::newRow("empty") << "   " << 1.0f << 255 << -1 << "Falta argumento";
    QTest::newRow("0.25 x10 to even") << "0.25" << 10.0f << 255 << 2 << QString();
    QTest::newRow("0.35 x10 single") << "0.35" << 10.0f << 255 << 3 << QString();
    QTest::newRow("0.15 x10 single") << "0.15" << 10.0f << 255 << 2 << QString();
    QTest::newRow("leading number") << "12-3" << 1.0f << 255 << 12 << QString();
    QTest::newRow("scaled to -1 is a name")
        << "-0.1" << 10.0f << 255 << -1 << "El argumento \"-0.1" + undefined;
    QTest::newRow("comma is a name") << "1,5" << 1.0f << 255 << -1 << "El argumento \"1,5" + undefined;
    QTest::newRow("1e2 is a name") << "1e2" << 1.0f << 255 << -1 << "El argumento \"1e2" + undefined;
    QTest::newRow("name not range checked") << "ctv1" << 1.0f << 75 << 76 << QString();
    QTest::newRow("name unscaled") << "s1" << 10.0f << 255 << 8 << QString();
    QTest::newRow("equ single") << "h" << 10.0f << 255 << 3 << QString();
}

void TstParsing::evaluateOperand()
{
    QFETCH(QString, operand);
    QFETCH(float, scale);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(QString, message);
    const compiler::EquTable equs{{"h"}, {".35"}};
    const compiler::Symbols symbols(m_defs, equs);
    QString errorText = QStringLiteral("old");
    QStringView text(operand);
    QCOMPARE(
        int(compiler::EvaluateOperand(text, scale, maximum, 0, symbols, errorText, std::max(maximum, 255))),
        value);
    QCOMPARE(errorText, message.isEmpty() ? QStringLiteral("old") : message);
    QCOMPARE(text.toString(), operand.trimmed()); // written back trimmed
}

void TstParsing::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("uBound");
    QTest::addColumn<QString>("args");
    QTest::newRow("kept case") << "  LD  E1  " << 1 << "LD|E1";
    QTest::newRow("tab separates") << "a\tb" << 1 << "a|b";
    QTest::newRow("comment") << "ld e1 ; x" << 2 << "ld|e1";
    QTest::newRow("comment glued") << "ld e1;x" << 1 << "ld|e1";
    QTest::newRow("apostrophe") << "a 'b" << 1 << "a";
    QTest::newRow("comment line") << "; all" << 0 << "";
    QTest::newRow("trailing tab") << "a b\t" << 2 << "a|b";
}

void TstParsing::parseLine()
{
    QFETCH(QString, line);
    QFETCH(int, uBound);
    QFETCH(QString, args);
    compiler::clsCompila c;
    c.ParseLine(QStringLiteral("x y z w")); // every argument is cleared first
    QVERIFY(c.ParseLine(line));
    QCOMPARE(int(c.UBoundArg()), uBound);
    QString got;
    for (qint16 i = 0; i <= 20; ++i)
        got += c.Arg(i) + u'|';
    while (got.endsWith(u'|'))
        got.chop(1);
    QCOMPARE(got, args);
}

void TstParsing::clsCompilaErrors()
{
    compiler::clsCompila c;
    compiler::RuntimeError error;
    const QString words = QStringLiteral("0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20");
    QVERIFY(c.ParseLine(words, &error) && c.UBoundArg() == 20 && c.Arg(20) == QStringLiteral("20"));
    QVERIFY(!c.ParseLine(words + QStringLiteral(" 21"), &error));
    QCOMPARE(error.number, 9);
    QCOMPARE(c.Arg(21, &error), QString());
    QCOMPARE(error.description, QStringLiteral("Se permiten hasta 20 argumentos"));
    QVERIFY(!c.setComentDelim1(QString(), &error) && !c.setComentDelim2(QStringLiteral("//"), &error));
    QCOMPARE(error.number, 93);
    QCOMPARE(error.description, QStringLiteral("El delimitador debe ser de solo 1 caracter"));
    QCOMPARE(c.ComentDelim1() + c.ComentDelim2(), QStringLiteral(";'"));
    QVERIFY(c.setComentDelim1(QStringLiteral("#")) && c.ParseLine(QStringLiteral("ld ;e1 #x")));
    QCOMPARE(c.Arg(1) + c.Arg(2), QStringLiteral(";e1"));
}

QTEST_GUILESS_MAIN(TstParsing)
#include "tst_parsing.moc"
