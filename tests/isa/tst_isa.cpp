#include "Cp1252.h"
#include "Isa.h"

#include <QFile>
#include <QtTest>

class TstIsa : public QObject
{
    Q_OBJECT
private slots:
    void tableShape();
    void operandNames_data();
    void operandNames();
    void esDefMatchesOperandSpace();
    void menuOrder();
    void cp1252RoundTrip();
};

void TstIsa::tableShape()
{
    QCOMPARE(isa::instructions().size(), size_t(48));
    QSet<int> opcodes;
    for (const auto& row : isa::instructions()) {
        opcodes.insert(row.opcode);
        int width = 1;
        for (int i = 0; i < row.operandCount; ++i)
            width += row.operands[i].kind == isa::Kind::Preset ? 2 : 1;
        QCOMPARE(int(row.length), width);
        QCOMPARE(isa::findMnemonic(QString::fromLatin1(row.mnemonic.data(), row.mnemonic.size())), &row);
    }
    QCOMPARE(opcodes.size(), 46);
    QVERIFY(!isa::decodeOpcode(0x18));
    QVERIFY(!isa::decodeOpcode(0x2F));
    QCOMPARE(isa::decodeOpcode(0x13)->mnemonic, std::string_view("tpv"));
    QCOMPARE(isa::fastVariant(*isa::decodeOpcode(0x19))->mnemonic, std::string_view("tpf"));
    QVERIFY(!isa::fastVariant(*isa::decodeOpcode(0x06)));
}

void TstIsa::operandNames_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("name");
    const QList<QPair<int, QString>> rows = {
        {0, "e1"},    {7, "e8"},     {8, "s1"},    {13, "s6"},    {14, "v01"},   {22, "v09"},   {23, "v10"},
        {59, "v46"},  {60, "re01"},  {75, "re16"}, {76, "Ctv1"},  {79, "Ctv4"},  {80, "Tpv1"},  {83, "Tpv4"},
        {84, "TpvF1"}, {85, "TpvF2"}, {86, "Tp1"}, {89, "Tp4"},   {90, "TpF1"},  {91, "TpF2"},  {92, ""},
        {255, ""},
    };
    for (const auto& [a, n] : rows)
        QTest::addRow("%d", a) << a << n;
}

void TstIsa::operandNames()
{
    QFETCH(int, address);
    QFETCH(QString, name);
    QCOMPARE(isa::operandName(address), name);
}

void TstIsa::esDefMatchesOperandSpace()
{
    QFile f(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QStringList names;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(';') || line.trimmed().isEmpty())
            continue;
        names << QString::fromLatin1(line.left(line.indexOf("equ")).trimmed());
    }
    QCOMPARE(names.size(), isa::kOperandSpaceSize);
    for (int a = 0; a < isa::kOperandSpaceSize; ++a)
        QCOMPARE(names[a], isa::operandName(a).toLower());
}

void TstIsa::menuOrder()
{
    QStringList menu;
    for (const auto* row : isa::menuInstructions())
        menu << row->upperMnemonic();
    QCOMPARE(menu.join(','),
             QStringLiteral("AND,ANDN,ANDP,CCPE,CLRIF1,CPE,CR,CS,CTV,END,GOSUB,GOTO,IF0,IF1,IFV1,JP0,JP1,JPV1,LD,"
                            "LDI,LDN,MOVTCT,NOT,NOTA,OR,ORN,ORP,OSC,OUT,RJP,RST,RCT,RTP,SET,SETB,SETIF1,TP,TPF,"
                            "TPV,TPVF,XOR"));
}

void TstIsa::cp1252RoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(isa::toCp1252(isa::fromCp1252(all)), all);
    QCOMPARE(isa::fromCp1252("\xa2\xa8\xa7\x80"), QString::fromUtf8("¢¨§€"));
    QCOMPARE(isa::toCp1252(QString::fromUtf8("ó€\u4e00")), QByteArray("\xf3\x80?"));
}

QTEST_APPLESS_MAIN(TstIsa)
#include "tst_isa.moc"
