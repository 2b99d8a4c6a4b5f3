#include "Cp1252.h"
#include "Isa.h"
#include "TestUtil.h"

#include <QtTest>

class TstIsa : public QObject
{
    Q_OBJECT
private slots:
    void namesAndMenu();
    void cp1252RoundTrip();
};

void TstIsa::namesAndMenu()
{
    // es.def holds the names in address order; printed names keep their capitals
    const QStringList names = testutil::shippedDefinitionNames();
    QCOMPARE(names.size(), isa::kOperandSpaceSize);
    for (int a = 0; a < isa::kOperandSpaceSize; ++a)
        QCOMPARE(names[a], isa::operandName(a).toLower());
    QStringList capitals;
    for (int a : {76, 80, 84, 86, 90})
        capitals << isa::operandName(a);
    QCOMPARE(capitals.join(u' '), QStringLiteral("Ctv1 Tpv1 TpvF1 Tp1 TpF1"));
    QVERIFY(isa::operandName(92).isEmpty() && isa::operandName(255).isEmpty());
    QStringList menu;
    for (const auto* row : isa::menuInstructions())
        menu << row->upperMnemonic();
    QCOMPARE(
        menu.join(','),
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
