#include "Compiler.h"
#include "TestSupport.h"

#include <QSet>
#include <QtTest>

// Every mnemonic's encoding, from source line to bytes.
class TstEncoding : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void encodes_data();
    void encodes();
    void everyMnemonicCovered();
    void indexRulesReject_data();
    void indexRulesReject();

private:
    QStringList m_defs;
    QSet<QString> m_covered;
};

void TstEncoding::initTestCase()
{
    m_defs = shippedDefinitions();
    QCOMPARE(m_defs.size(), isa::kOperandSpaceSize);
}

void TstEncoding::encodes_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("bytes");
    // jumps target the label "l" on a following "nota" line
    const QList<QPair<const char*, const char*>> rows = {
        {"and e2", "00 01"},
        {"andn s1", "01 08"},
        {"andp e1 e2", "02"},
        {"cr", "03"},
        {"cs", "04"},
        {"if1 l\nl: nota", "05 02 25"},
        {"ld v01", "06 0E"},
        {"ldn re16", "07 4B"},
        {"or e8", "08 07"},
        {"orn ctv1", "09 4C"},
        {"orp s1", "0A"},
        {"out s6", "0B 0D"},
        {"rst s1", "0C 01 08"},
        {"rst s1 4", "0C 04 08"},
        {"set v46", "0D 3B"},
        {"setb tpf2", "0E 5B"},
        {"end", "0F"},
        {"ctv ctv4", "10 03"},
        {"ctv ctv1", "10 00"},
        {"jp1 l\nl: nota", "11 02 25"},
        {"rjp", "12"},
        {"tpv tpv1", "13 00"},
        {"tpv tpvf1", "13 04"},
        {"tpvf tpvf2", "13 05"},
        {"ldi 200", "14 C8"},
        {"osc 0.5 1", "15 05 0A"},
        {"osc 25.5 0", "15 FF 00"},
        {"rct", "16"},
        {"rtp", "17"},
        {"tp tp2 1.5", "19 01 0F 00"},
        {"tp tp1 30", "19 00 2C 01"},
        {"tp tpf2 3276.7", "19 05 FF 7F"},
        {"tpf tpf1 2", "19 04 C8 00"},
        {"tpf tpf2 327.67", "19 05 FF 7F"},
        {"goto l\nl: nota", "1A 02 25"},
        {"gosub l\nl: nota", "1B 02 25"},
        {"not e1", "1C 00"},
        {"ldiv 5 v01", "1D 05 0E"},
        {"ifv1 l\nl: nota", "1E 02 25"},
        {"jpv1 l\nl: nota", "1F 02 25"},
        {"setif1 e1 s1", "20 00 08"},
        {"xor e3", "21 02"},
        {"if0 l\nl: nota", "22 02 25"},
        {"clrif1 s2 v02", "23 09 0F"},
        {"jp0 l\nl: nota", "24 02 25"},
        {"nota", "25"},
        {"ccpe 1 2", "26 01 02"},
        {"cpe 1 2", "27 01 02"},
        {"movtct 255 10", "28 FF 0A"},
        {"inc 75", "29 4B"},
        {"inc ctv1", "29 4C"}, // names take no rule range
        {"incw v01", "2A 0E"},
        {"ifc l\nl: nota", "2B 02 25"},
        {"cpi 75 255", "2C 4B FF"},
        {"ifgt l\nl: nota", "2D 02 25"},
        {"ifeq l\nl: nota", "2E 02 25"},
        {"ld 0", "06 00"},
        {"ld 255", "06 FF"},
    };
    for (const auto& [source, bytes] : rows)
        QTest::newRow(qPrintable(QString::fromLatin1(source).replace(u'\n', QLatin1String(" / "))))
            << QString::fromLatin1(source) << QString::fromLatin1(bytes);
}

void TstEncoding::encodes()
{
    QFETCH(QString, source);
    QFETCH(QString, bytes);
    m_covered.insert(source.section(u' ', 0, 0).section(u'\n', 0, 0));
    const compiler::CompileResult r = compiler::compile(source, m_defs);
    QCOMPARE(r.message, QString());
    QCOMPARE(r.status, compiler::CompileResult::Status::Ok);
    const int length = int(bytes.split(u' ').size());
    QCOMPARE(r.length, length);
    QCOMPARE(hexPrefix(r.image, length), bytes);
    QVERIFY(zeroFrom(r.image, length));
}

void TstEncoding::everyMnemonicCovered()
{
    for (const auto& row : isa::instructions()) {
        const QString m = QString::fromLatin1(row.mnemonic.data(), qsizetype(row.mnemonic.size()));
        QVERIFY2(m_covered.contains(m), qPrintable(m));
    }
}

void TstEncoding::indexRulesReject_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("tpf below 4") << "tpf tp1 2"
                                 << QString::fromUtf8(
                                        "El argumento \"tp1\" da el índice 0, fuera de 4 a 255 para tpf");
    QTest::newRow("tpvf tpv1") << "tpvf tpv1"
                               << QString::fromUtf8(
                                      "El argumento \"tpv1\" da el índice 0, fuera de 4 a 5 para tpvf");
    QTest::newRow("ctv tpv1") << "ctv tpv1"
                              << QString::fromUtf8(
                                     "El argumento \"tpv1\" da el índice 4, fuera de 0 a 3 para ctv");
    QTest::newRow("tp below its group")
        << "tp ctv1 1"
        << QString::fromUtf8("El argumento \"ctv1\" da el índice -10, fuera de 0 a 255 para tp");
    // an index that does not fit its byte fails like any index rule
    QTest::newRow("tpv e1") << "tpv e1"
                            << QString::fromUtf8(
                                   "El argumento \"e1\" da el índice -80, fuera de 0 a 255 para tpv");
    QTest::newRow("ctv number") << "ctv 75"
                                << QString::fromUtf8(
                                       "El argumento \"75\" da el índice -1, fuera de 0 a 3 para ctv");
}

void TstEncoding::indexRulesReject()
{
    QFETCH(QString, source);
    QFETCH(QString, message);
    const compiler::CompileResult r = compiler::compile(source, m_defs);
    QCOMPARE(r.status, compiler::CompileResult::Status::LineRejected);
    QCOMPARE(r.rawLine, source);
    QCOMPARE(r.lineNumber, 1);
    QCOMPARE(r.message, message);
}

QTEST_GUILESS_MAIN(TstEncoding)
#include "tst_encoding.moc"
