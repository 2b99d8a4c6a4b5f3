#include "Equates.h"
#include "TestUtil.h"
#include "clsCompila.h"

#include <QtTest>

// EQUs, es.def and clsCompila.
class TstParsing : public QObject
{
    Q_OBJECT
private slots:
    void collectEquates_data();
    void collectEquates();
    void definitionLines();
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
