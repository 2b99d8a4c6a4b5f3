// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compiler.h"
#include "Cp1252.h"
#include "Equates.h"
#include "TestUtil.h"
#include "clsCompila.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using Status = compiler::CompileResult::Status;
using namespace Qt::StringLiterals;

namespace {

// Expected: the bytes; "!N message" for a rejected line N; "?target" for an unresolved jump.
// Each encoding row holds the instructions of one operand shape, one per line.
const char* const kRows[][2] = {
    {"andp\ncr\ncs\norp\nrjp\nrct\nrtp\nnota\nend", "02 03 04 0A 12 16 17 25 0F"},
    {"and e2\nandn s1\nor e8\norn ctv1\nout s6\nset v46\nsetb tpf2\nnot e1\nxor e3",
     "00 01 01 08 08 07 09 4C 0B 0D 0D 3B 0E 5B 1C 00 21 02"},
    {"ld v01\nldn re16\nld 255\ninc ctv1\nincw v01\nctv ctv4\ntpv tpvf1\ntpvf tpvf2",
     "06 0E 07 4B 06 FF 29 4C 2A 0E 10 03 13 04 13 05"},
    {"rst s1\nrst s1 4\nsetif1 e1 s1\nclrif1 s2 v02\nccpe 1 2\ncpe 3 4\nmovtct 255 10\ncpi 75 255",
     "0C 01 08 0C 04 08 20 00 08 23 09 0F 26 01 02 27 03 04 28 FF 0A 2C 4B FF"},
    {"ldiv 5 v01\nldi 200\nosc 0.5 1\ntp tp2 1.5\ntp tp1 30\ntpf tpf1 2\ntpf tpf2 327.67",
     "1D 05 0E 14 C8 15 05 0A 19 01 0F 00 19 00 2C 01 19 04 C8 00 19 05 FF 7F"},
    {"if1 l\njp1 l\ngoto l\ngosub l\nifv1 l\njpv1 l\nif0 l\njp0 l\nifc l\nifgt l\nifeq l\nl: nota",
     "05 16 11 16 1A 16 1B 16 1E 16 1F 16 22 16 24 16 2B 16 2D 16 2E 16 25"},
    // lines, labels, EQUs
    {"", ""},
    {"; a\r\nx equ 5\r\n' b\r\ny = 3\r\n   \r\n\t\r\n\t; note\r\n", ""},
    {"ld e1\r\nout s1\nld e2\rend", "06 00 0B 08 06 01 0F"},
    {"   LD  E1 ; start\nld e2 ' note", "06 00 06 01"},
    // backward and forward, with and without colon; the first of two equal labels
    {"a: ld e1\ngoto fin\na: ld e2\nfin end\njp1 a\nif0 fin", "06 00 1A 06 06 01 0F 11 00 22 06"},
    {"out and e1\ntpf and 5\nend ld e1", "00 00 00 05 0F"}, // the failed tpf leaves no preset bytes
    // the first EQU, a name-valued one before a number, es.def before an EQU, use before definition
    {"x equ 5\nx equ 6\ny equ 5\ny equ s1\ne1 equ 5\nldi x\nldi y\nldi e1\n"
     "out m\nm equ s2\nt equ 5\ntp tp1 t",
     "14 05 14 08 14 00 0B 09 19 00 32 00"},
    // halves to even (0.35 in single precision lies below 3.5); a name takes no scale
    {"h equ .35\nosc 0.25 0.35\nosc 0.15 s1\nosc h 0", "15 02 03 15 02 08 15 03 00"},
    {"ldi 12-3", "14 0C"},
    // rejected lines
    {"ld", "!1 Falta argumento"},
    {"LD e1\r\n  Ld 300  ; max\r\n", "!2 El argumento \"300\" es mayor que el máximo (255)"},
    {"ldi -5", "!1 El argumento \"-5\" es menor que el mínimo (0)"},
    {"osc 30 1", "!1 El argumento \"30\" es mayor que el máximo (255)"},
    {"inc 80", "!1 El argumento \"80\" es mayor que el máximo (75)"},
    {"cpi 76 0", "!1 El argumento \"76\" es mayor que el máximo (75)"},
    {"x equ 255\ninc x", "29 FF"}, // a name takes no rule range, only its byte's
    {"x equ 25.6\nosc x 0", "!2 El argumento \"x\" es mayor que el máximo (255)"},
    {"t equ -.5\nosc t 1", "!2 El argumento \"t\" es menor que el mínimo (0)"},
    {"tp tp1 5000",
     "!1 El argumento \"5000\" excede el rango de 16 bits (-32768 a 32767) al multiplicarlo por 10"},
    {"ld 1e9", "!1 El argumento \"1e9\" excede el rango de 16 bits (-32768 a 32767)"},
    {"ld -1", "!1 El argumento \"-1\" no está entre los EQUs ni es una palabra clave"},
    {"osc -0.1 1", "!1 El argumento \"-0.1\" no está entre los EQUs ni es una palabra clave"},
    {"ld 1,5", "!1 El argumento \"1,5\" no está entre los EQUs ni es una palabra clave"},
    {"ld 1e2", "!1 El argumento \"1e2\" no está entre los EQUs ni es una palabra clave"},
    {"ld e1\nx;c", "!2 La palabra \"x\" de un solo caracter no es una instrucción"},
    {"xx", "!1 La etiqueta \"xx\" no tiene instrucción"},
    {"lda e1", "!1 Ni \"lda\" ni \"e1\" es una instrucción"},
    {"\t' note", "!1 Ni \"'\" ni \"note\" es una instrucción"},
    {"loop: ld 300", "!1 El argumento \"300\" es mayor que el máximo (255)"},
    {"out and e1\nxx", "!2 La etiqueta \"xx\" no tiene instrucción"}, // no message left from line 1
    {"tpf tp1 2", "!1 El argumento \"tp1\" da el índice 0, fuera de 4 a 255 para tpf"},
    {"tpvf tpv1", "!1 El argumento \"tpv1\" da el índice 0, fuera de 4 a 5 para tpvf"},
    {"out and e1\nctv tpv1", "!2 El argumento \"tpv1\" da el índice 4, fuera de 0 a 3 para ctv"},
    {"tp ctv1 1", "!1 El argumento \"ctv1\" da el índice -10, fuera de 0 a 255 para tp"},
    // unresolved jumps
    {"loop: ld e1\ngoto loop:", "?loop:"},
    {"gosub", "?"},
    {"goto b\ngoto a\na: end", "?b"},
    {"GOTO Fin", "?fin"},
};

QString hex(const isa::ProgramImage& image, int length)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(image.data()), length).toHex(' ').toUpper());
}

} // namespace

// Whole programs: every encoding, labels, jumps and reports; the EQU pre-pass, es.def and clsCompila;
// the operand names and the instruction menu of the one instruction table.
class TstCompile : public QObject
{
    Q_OBJECT
    compiler::CompileResult run(const QString& source) const { return compiler::compile(source, m_defs); }
    const QStringList m_defs =
        compiler::readDefinitions(testutil::readRaw(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def")));
    QTemporaryDir m_dir;

private slots:
    // Every compile runs in a folder holding a file of the user's: the compile touches no file.
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_dir.path()) && testutil::writeRaw(m_dir.filePath("tmp"), "user data"));
    }

    void cleanupTestCase()
    {
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"tmp"});
        QCOMPARE(testutil::readRaw(m_dir.filePath("tmp")), QByteArray("user data"));
    }

    void compiles_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        for (const auto& [source, expected] : kRows)
            QTest::newRow(qPrintable(QString::fromLatin1(source).replace(u'\n', u'/').replace(u'\r', u'/')))
                << QString::fromUtf8(source) << QString::fromUtf8(expected);
        // 256 bytes fill the image; a longer program is rejected at the first line that does not fit
        const QString fill = QStringLiteral("top: ld e1\n") + QStringLiteral("ld e1\n").repeated(126);
        const QString over = QStringLiteral("El programa excede los 256 bytes");
        QTest::newRow("full") << fill + "goto top" << QStringLiteral("06 00 ").repeated(127) + "1A 00";
        QTest::newRow("over by one") << fill + u"nota\nld e2"_s << u"!129 "_s + over;
        QTest::newRow("over at an end") << fill + u"nota\nend\nfin: end"_s << u"!130 "_s + over;
    }

    void compiles()
    {
        QFETCH(QString, source);
        QFETCH(QString, expected);
        const compiler::CompileResult r = run(source);
        QString got = hex(r.image, r.length);
        if (r.status == Status::LineRejected) {
            got = u'!' + QString::number(r.lineNumber) + u' ' + r.message;
            static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
            QCOMPARE(r.rawLine, source.split(lineEnd).value(r.lineNumber - 1));
        } else if (r.status == Status::UnresolvedJump) {
            got = u'?' + r.jumpTarget;
        }
        QCOMPARE(got, expected);
        QVERIFY(r.status == Status::Ok || r.length == 0);
        QVERIFY(std::all_of(r.image.begin() + r.length, r.image.end(), [](quint8 b) { return b == 0; }));
    }

    void everyMnemonicCovered()
    {
        QSet<QString> covered;
        for (const auto& row : kRows)
            for (const QString& line : QString::fromLatin1(row[0]).split(u'\n'))
                covered.insert(line.section(u' ', 0, 0));
        for (const auto& row : isa::instructions())
            QVERIFY2(covered.contains(QLatin1String(row.mnemonic.data(), qsizetype(row.mnemonic.size()))),
                     row.mnemonic.data());
    }

    void workTables()
    {
        const compiler::CompileResult r =
            run("m equ s1\nt equ 2\nstart: ld e1\nout m\nfin: goto start\nfin end\nif1 fin");
        // lstLabel, lstLabelPos, lstJumpLabel, lstJumpLabelPos, cbEQUs, lstEqusPos
        QCOMPARE(
            (r.labels + r.labelPositions + r.jumpLabels + r.jumpLabelPositions + r.equs.names + r.equs.values)
                .join(u' '),
            QStringLiteral("start: fin: fin 0 4 6 start fin 5 8 m t 8 2"));
        QCOMPARE(hex(r.image, r.length), QStringLiteral("06 00 0B 08 1A 00 0F 05 04"));
    }

    void collectEquates_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("equs"); // name=value, in cbEQUs order
        const char* const rows[][2] = {
            {"Motor EQU S1\nd equ 2.5\nx equ .5\ny equ -.5\nz equ 255\nt1\tequ\t5\nc equ 5;n\nk equ 6 ; n",
             "motor=8 d=2.5 x=.5 y=-.5 z=255 t1=5 c=5 k=6"},
            {"a equ 2.50\nb equ 0.5\nc equ 256\nd equ -1\nsequ equ 3\ne equ ;5\nf equ a", ""},
            {"a equ 5\nb equ e2\nc equ 7\nd equ tp1", "b=1 d=86 a=5 c=7"},
        };
        for (const auto& [source, equs] : rows)
            QTest::newRow(source) << QString::fromLatin1(source) << QString::fromLatin1(equs);
    }

    void collectEquates()
    {
        QFETCH(QString, source);
        QFETCH(QString, equs);
        const compiler::EquTable t = compiler::CollectEquates(source, m_defs);
        QStringList got;
        for (int i = 0; i < t.names.size(); ++i)
            got << t.names[i] + u'=' + t.values.value(i);
        QCOMPARE(got.join(u' '), equs);
    }

    void definitionLines()
    {
        // comments, blank and stray lines take no position; "equ" is looked for as written
        const QByteArray file =
            "; header\r\na equ 0\r\n\r\n   \nstray\n  b   equ x\rc equ\nDequal\n; e equ 9\nx EQU 1\nf equ 1";
        QCOMPARE(compiler::readDefinitions(file), (QStringList{"a", "b", "c", "D", "f"}));
    }

    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("args"); // UBoundArg, then the arguments up to the last non-empty one
        QTest::newRow("kept case") << u"  LD  E1  "_s << u"1 LD|E1"_s;
        QTest::newRow("tab separates") << u"a\tb"_s << u"1 a|b"_s;
        QTest::newRow("comment") << u"ld e1 ; x"_s << u"2 ld|e1"_s;
        QTest::newRow("comment glued") << u"ld e1;x"_s << u"1 ld|e1"_s;
        QTest::newRow("apostrophe") << u"a 'b"_s << u"1 a"_s;
        QTest::newRow("comment line") << u"; all"_s << u"0 "_s;
        QTest::newRow("trailing tab") << u"a b\t"_s << u"2 a|b"_s;
    }

    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, args);
        compiler::clsCompila c;
        c.ParseLine(QStringLiteral("x y z w")); // every argument is cleared first
        QVERIFY(c.ParseLine(line));
        QString got = QString::number(c.UBoundArg()) + u' ';
        for (qint16 i = 0; i <= 20; ++i)
            got += c.Arg(i) + u'|';
        while (got.endsWith(u'|'))
            got.chop(1);
        QCOMPARE(got, args);
    }

    void clsCompilaErrors()
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

    void namesAndMenu()
    {
        // es.def holds the names in address order; printed names keep their capitals
        QCOMPARE(m_defs.size(), isa::kOperandSpaceSize);
        for (int a = 0; a < isa::kOperandSpaceSize; ++a)
            QCOMPARE(m_defs[a], isa::operandName(a).toLower());
        QStringList capitals;
        for (int a : {76, 80, 84, 86, 90})
            capitals << isa::operandName(a);
        QCOMPARE(capitals.join(u' '), QStringLiteral("Ctv1 Tpv1 TpvF1 Tp1 TpF1"));
        QVERIFY(isa::operandName(92).isEmpty() && isa::operandName(255).isEmpty());
        QStringList menu;
        for (const auto* row : isa::menuInstructions())
            menu << row->upperMnemonic();
        QCOMPARE(menu.join(','),
                 QStringLiteral(
                     "AND,ANDN,ANDP,CCPE,CLRIF1,CPE,CR,CS,CTV,END,GOSUB,GOTO,IF0,IF1,IFV1,JP0,JP1,JPV1,LD,"
                     "LDI,LDN,MOVTCT,NOT,NOTA,OR,ORN,ORP,OSC,OUT,RJP,RST,RCT,RTP,SET,SETB,SETIF1,TP,TPF,"
                     "TPV,TPVF,XOR"));
    }

    void cp1252RoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(isa::toCp1252(isa::fromCp1252(all)), all);
        QCOMPARE(isa::fromCp1252("\xa2\xa8\xa7\x80"), QString::fromUtf8("¢¨§€"));
        QCOMPARE(isa::toCp1252(QString::fromUtf8("ó€\u4e00")), QByteArray("\xf3\x80?"));
    }
};

QTEST_GUILESS_MAIN(TstCompile)
#include "tst_compile.moc"
