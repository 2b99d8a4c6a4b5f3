#include "Compiler.h"
#include "TestUtil.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using Status = compiler::CompileResult::Status;

namespace {

// Expected: the bytes; "!N message" for a rejected line N; "?target" for an unresolved jump.
// Jumps target the label "l" on a following "nota" line.
const char* const kRows[][2] = {
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
    {"jp1 l\nl: nota", "11 02 25"},
    {"rjp", "12"},
    {"tpv tpvf1", "13 04"},
    {"tpvf tpvf2", "13 05"},
    {"ldi 200", "14 C8"},
    {"osc 0.5 1", "15 05 0A"},
    {"rct", "16"},
    {"rtp", "17"},
    {"tp tp2 1.5", "19 01 0F 00"},
    {"tp tp1 30", "19 00 2C 01"},
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
    {"inc ctv1", "29 4C"},
    {"incw v01", "2A 0E"},
    {"ifc l\nl: nota", "2B 02 25"},
    {"cpi 75 255", "2C 4B FF"},
    {"ifgt l\nl: nota", "2D 02 25"},
    {"ifeq l\nl: nota", "2E 02 25"},
    {"ld 255", "06 FF"},
    // lines, labels, EQUs
    {"", ""},
    {"; a\r\nx equ 5\r\n' b\r\ny = 3\r\n   \r\n\t\r\n\t; note\r\n", ""},
    {"ld e1\r\nout s1\r\nend\r\n", "06 00 0B 08 0F"},
    {"ld e1\nout s1\nend\n", "06 00 0B 08 0F"},
    {"ld e1\rout s1\rend", "06 00 0B 08 0F"},
    {"   LD  E1 ; start", "06 00"},
    {"ld e1 ' note", "06 00"},
    {"loop: ld e1\nout s1\ngoto loop", "06 00 0B 08 1A 00"},
    {"goto fin\nld e1\nfin: end", "1A 04 06 00 0F"},
    {"ld e1\nfin end\nif0 fin", "06 00 0F 22 02"},
    {"a: ld e1\na: ld e2\njp1 a", "06 00 06 01 11 00"},
    {"out and e1", "00 00"},
    {"end ld e1", "0F"},
    {"tpf and 5", "00 05"}, // the failed tpf attempt leaves no preset bytes behind
    {"x equ 5\nx equ 6\nldi x", "14 05"},
    {"x equ 5\nx equ s1\nldi x", "14 08"},
    {"e1 equ 5\nldi e1", "14 00"},
    {"out motor\nmotor equ s2", "0B 09"},
    {"t1 equ 5\ntp tp1 t1", "19 00 32 00"},
    {"osc 0.25 0.35", "15 02 03"}, // halves to even; 0.35 in single precision lies below 3.5
    {"osc 0.15 s1", "15 02 08"},   // a name takes no scale
    {"h equ .35\nosc h 0", "15 03 00"},
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
    {"t equ 30\nosc t 1", "!2 El argumento \"t\" es mayor que el máximo (255)"},
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
    {"tpv e1", "!1 El argumento \"e1\" da el índice -80, fuera de 0 a 255 para tpv"},
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

// Whole programs: every encoding, labels, jumps, reports and the faults the compile must not have.
class TstCompile : public QObject
{
    Q_OBJECT
private slots:
    void compiles_data();
    void compiles();
    void everyMnemonicCovered();
    void workTables();
    void imageLimit();
    void touchesNoFile();

private:
    compiler::CompileResult run(const QString& source) const { return compiler::compile(source, m_defs); }
    const QStringList m_defs =
        compiler::readDefinitions(testutil::readRaw(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def")));
};

void TstCompile::compiles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    for (const auto& [source, expected] : kRows)
        QTest::newRow(qPrintable(QString::fromLatin1(source).replace(u'\n', u'/').replace(u'\r', u'/')))
            << QString::fromUtf8(source) << QString::fromUtf8(expected);
}

void TstCompile::compiles()
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

void TstCompile::everyMnemonicCovered()
{
    QSet<QString> covered;
    for (const auto& row : kRows)
        covered.insert(QString::fromLatin1(row[0]).section(u' ', 0, 0));
    for (const auto& row : isa::instructions())
        QVERIFY2(covered.contains(QLatin1String(row.mnemonic.data(), qsizetype(row.mnemonic.size()))),
                 row.mnemonic.data());
}

void TstCompile::workTables()
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

void TstCompile::imageLimit()
{
    // 256 bytes fill the image; a longer program is rejected at the first line that does not fit
    const QString fill = QStringLiteral("top: ld e1\n") + QStringLiteral("ld e1\n").repeated(126);
    const compiler::CompileResult full = run(fill + QStringLiteral("goto top\n"));
    QCOMPARE(full.length, 256);
    QCOMPARE(hex(full.image, 256).right(8), QStringLiteral("00 1A 00"));
    for (const QString& tail : {QStringLiteral("nota\nld e2\n"), QStringLiteral("nota\nend\nfin: end\n")}) {
        const compiler::CompileResult r = run(fill + tail);
        QCOMPARE(r.status, Status::LineRejected);
        QCOMPARE(r.lineNumber, int(tail.count(u'\n')) + 127);
        QCOMPARE(r.message, QStringLiteral("El programa excede los 256 bytes"));
    }
}

void TstCompile::touchesNoFile()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()) && testutil::writeRaw(dir.filePath("tmp"), "user data"));
    const bool ok = run("ld e1\nend").status == Status::Ok && run("ld 300").status == Status::LineRejected;
    QDir::setCurrent(previous);
    QVERIFY(ok);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"tmp"});
    QCOMPARE(testutil::readRaw(dir.filePath("tmp")), QByteArray("user data"));
}

QTEST_GUILESS_MAIN(TstCompile)
#include "tst_compile.moc"
