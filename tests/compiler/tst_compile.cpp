#include "Compiler.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using Status = compiler::CompileResult::Status;

// Whole programs: labels, jumps, reports and the faults the compile must not have.
class TstCompile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void programs_data();
    void programs();
    void rejected_data();
    void rejected();
    void unresolvedJumps_data();
    void unresolvedJumps();
    void workTables();
    void fullImage();
    void longerThanImage();
    void failedAttemptLeavesNoBytes();
    void noLeftOverMessage();
    void touchesNoFile();

private:
    compiler::CompileResult run(const QString& source) const { return compiler::compile(source, m_defs); }
    QStringList m_defs;
};

void TstCompile::initTestCase()
{
    m_defs = shippedDefinitions();
}

void TstCompile::programs_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("comments and equs only") << "; a\r\nx equ 5\r\n' b\r\ny = 3\r\n"
                                            << "";
    QTest::newRow("ld out end") << "ld e1\r\nout s1\r\nend\r\n"
                                << "06 00 0B 08 0F";
    QTest::newRow("LF only") << "ld e1\nout s1\nend\n"
                             << "06 00 0B 08 0F";
    QTest::newRow("CR only") << "ld e1\rout s1\rend"
                             << "06 00 0B 08 0F";
    QTest::newRow("messy line") << "   LD  E1 ; start"
                                << "06 00";
    QTest::newRow("apostrophe word ignored") << "ld e1 ' note"
                                             << "06 00";
    QTest::newRow("backward jump") << "loop: ld e1\nout s1\ngoto loop"
                                   << "06 00 0B 08 1A 00";
    QTest::newRow("forward jump") << "goto fin\nld e1\nfin: end"
                                  << "1A 04 06 00 0F";
    QTest::newRow("label without colon") << "ld e1\nfin end\nif0 fin"
                                         << "06 00 0F 22 02";
    QTest::newRow("label defined twice") << "a: ld e1\na: ld e2\njp1 a"
                                         << "06 00 06 01 11 00";
    QTest::newRow("out as a label") << "out and e1"
                                    << "00 00";
    QTest::newRow("mnemonic word is an instruction") << "end ld e1"
                                                     << "0F";
    QTest::newRow("label named like a mnemonic") << "ld e1\nand: and e2"
                                                 << "06 00 00 01";
    QTest::newRow("equ operands") << "motor equ s1\nt equ 1.5\nout motor\ntp tp1 t"
                                  << "0B 08 19 00 0F 00";
    QTest::newRow("first equ wins") << "x equ 5\nx equ 6\nldi x" << "14 05";
    QTest::newRow("name-valued equ wins") << "x equ 5\nx equ s1\nldi x" << "14 08";
    QTest::newRow("predefined name shadows equ") << "e1 equ 5\nldi e1" << "14 00";
    QTest::newRow("equ after use") << "out motor\nmotor equ s2"
                                   << "0B 09";
    QTest::newRow("equ time scaled") << "t1 equ 5\ntp tp1 t1"
                                     << "19 00 32 00";
    QTest::newRow("words after operands ignored") << "ld e1 e2 e3"
                                                  << "06 00";
    QTest::newRow("tab indented") << "\tld\te1\t; x\n\t; note\n\tend"
                                  << "06 00 0F";
}

void TstCompile::programs()
{
    QFETCH(QString, source);
    QFETCH(QString, bytes);
    const compiler::CompileResult r = run(source);
    QCOMPARE(r.message, QString());
    QCOMPARE(r.status, Status::Ok);
    const int length = bytes.isEmpty() ? 0 : int(bytes.split(u' ').size());
    QCOMPARE(r.length, length);
    QCOMPARE(hexPrefix(r.image, length), bytes);
    QVERIFY(zeroFrom(r.image, length));
}

void TstCompile::rejected_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("message");
    const auto msg = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("ld alone") << "ld" << 1 << "ld" << msg("Falta argumento");
    QTest::newRow("raw line as written")
        << "LD e1\r\n  Ld 300  ; max\r\n"
        << 2 << "  Ld 300  ; max" << msg("El argumento \"300\" es mayor que el máximo (255)");
    QTest::newRow("ldi below") << "ldi -5" << 1 << "ldi -5"
                               << msg("El argumento \"-5\" es menor que el mínimo (0)");
    QTest::newRow("osc scaled above")
        << "osc 30 1" << 1 << "osc 30 1" << msg("El argumento \"30\" es mayor que el máximo (255)");
    QTest::newRow("inc above 75") << "inc 80" << 1 << "inc 80"
                                  << msg("El argumento \"80\" es mayor que el máximo (75)");
    QTest::newRow("equ beyond byte") << "t equ 30\nosc t 1" << 2 << "osc t 1"
                                     << msg("El argumento \"t\" es mayor que el máximo (255)");
    QTest::newRow("negative equ") << "t equ -.5\nosc t 1" << 2 << "osc t 1"
                                  << msg("El argumento \"t\" es menor que el mínimo (0)");
    QTest::newRow("tp 5000") << "tp tp1 5000" << 1 << "tp tp1 5000"
                             << msg("El argumento \"5000\" excede el rango de 16 bits (-32768 a 32767) al "
                                    "multiplicarlo por 10");
    QTest::newRow("ld 1e9") << "ld 1e9" << 1 << "ld 1e9"
                            << msg("El argumento \"1e9\" excede el rango de 16 bits (-32768 a 32767)");
    QTest::newRow("last failing operand")
        << "osc 30 40" << 1 << "osc 30 40" << msg("El argumento \"40\" es mayor que el máximo (255)");
    QTest::newRow("-1 undefined")
        << "ld -1" << 1 << "ld -1"
        << msg("El argumento \"-1\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("dropped equ") << "x equ 0.5\nldi x" << 2 << "ldi x"
                                 << msg("El argumento \"x\" no está entre los EQUs ni es una palabra clave");
    QTest::newRow("one character") << "ld e1\nx" << 2 << "x"
                                   << msg("La palabra \"x\" de un solo caracter no es una instrucción");
    QTest::newRow("label only") << "xx" << 1 << "xx" << msg("La etiqueta \"xx\" no tiene instrucción");
    QTest::newRow("label with comment")
        << "inicio: ; aqui" << 1 << "inicio: ; aqui" << msg("La etiqueta \"inicio:\" no tiene instrucción");
    QTest::newRow("unknown mnemonic")
        << "lda e1" << 1 << "lda e1" << msg("Ni \"lda\" ni \"e1\" es una instrucción");
    QTest::newRow("label then operand error")
        << "loop: ld 300" << 1 << "loop: ld 300" << msg("El argumento \"300\" es mayor que el máximo (255)");
    QTest::newRow("indented apostrophe")
        << "\t' note" << 1 << "\t' note" << msg("Ni \"'\" ni \"note\" es una instrucción");
}

void TstCompile::rejected()
{
    QFETCH(QString, source);
    QFETCH(int, line);
    QFETCH(QString, raw);
    QFETCH(QString, message);
    const compiler::CompileResult r = run(source);
    QCOMPARE(r.status, Status::LineRejected);
    QCOMPARE(r.lineNumber, line);
    QCOMPARE(r.rawLine, raw);
    QCOMPARE(r.message, message);
    QCOMPARE(r.length, 0);
    QVERIFY(zeroFrom(r.image, 0));
}

void TstCompile::unresolvedJumps_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("target with colon") << "loop: ld e1\ngoto loop:"
                                       << "loop:";
    QTest::newRow("undefined") << "goto nowhere"
                               << "nowhere";
    QTest::newRow("missing target") << "gosub"
                                    << "";
    QTest::newRow("first in source order") << "goto b\ngoto a\na: end"
                                           << "b";
    QTest::newRow("capitals") << "GOTO Fin"
                              << "fin";
}

void TstCompile::unresolvedJumps()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    const compiler::CompileResult r = run(source);
    QCOMPARE(r.status, Status::UnresolvedJump);
    QCOMPARE(r.jumpTarget, target);
    QCOMPARE(r.length, 0);
}

void TstCompile::workTables()
{
    const compiler::CompileResult r = run("m equ s1\nt equ 2\nstart: ld e1\nout m\nfin: goto start\nfin end\n"
                                          "if1 fin");
    QCOMPARE(r.status, Status::Ok);
    QCOMPARE(r.labels, (QStringList{"start:", "fin:", "fin"}));
    QCOMPARE(r.labelPositions, (QStringList{"0", "4", "6"}));
    QCOMPARE(r.jumpLabels, (QStringList{"start", "fin"}));
    QCOMPARE(r.jumpLabelPositions, (QStringList{"5", "8"}));
    QCOMPARE(r.equs.names, (QStringList{"m", "t"}));
    QCOMPARE(r.equs.values, (QStringList{"8", "2"}));
    QCOMPARE(hexPrefix(r.image, 9), QStringLiteral("06 00 0B 08 1A 00 0F 05 04"));
}

void TstCompile::fullImage()
{
    QString source = QStringLiteral("top: nota\n");
    for (int i = 1; i < 254; ++i)
        source += QStringLiteral("nota\n");
    source += QStringLiteral("goto top\n");
    const compiler::CompileResult r = run(source);
    QCOMPARE(r.status, Status::Ok);
    QCOMPARE(r.length, 256);
    QCOMPARE(int(r.image[253]), 0x25);
    QCOMPARE(int(r.image[254]), 0x1A);
    QCOMPARE(int(r.image[255]), 0x00);
}

void TstCompile::longerThanImage()
{
    // rejected at the first line that does not fit, never cut short
    QString source;
    for (int i = 0; i < 127; ++i)
        source += QStringLiteral("ld e1\n");
    QCOMPARE(run(source + QStringLiteral("nota\nend\n")).length, 256);
    const compiler::CompileResult r = run(source + QStringLiteral("nota\nld e2\nend\n"));
    QCOMPARE(r.status, Status::LineRejected);
    QCOMPARE(r.lineNumber, 129);
    QCOMPARE(r.rawLine, QStringLiteral("ld e2"));
    QCOMPARE(r.message, QStringLiteral("El programa excede los 256 bytes"));
    const compiler::CompileResult labelled = run(source + QStringLiteral("nota\nend\nfin: end\n"));
    QCOMPARE(labelled.lineNumber, 130);
    QCOMPARE(labelled.message, QStringLiteral("El programa excede los 256 bytes"));
}

void TstCompile::failedAttemptLeavesNoBytes()
{
    // the tpf attempt fails on "and"; its preset bytes must not stay behind "and 5"
    const compiler::CompileResult r = run("tpf and 5");
    QCOMPARE(r.status, Status::Ok);
    QCOMPARE(r.length, 2);
    QCOMPARE(hexPrefix(r.image, 2), QStringLiteral("00 05"));
    QVERIFY(zeroFrom(r.image, 2));
    QCOMPARE(r.labels, QStringList{"tpf"});
}

void TstCompile::noLeftOverMessage()
{
    // line 1 fails its first attempt with a message of its own, then compiles as a label
    const compiler::CompileResult r = run("out and e1\nctv tpv1\nxx");
    QCOMPARE(r.lineNumber, 2);
    QCOMPARE(r.message, QString::fromUtf8("El argumento \"tpv1\" da el índice 4, fuera de 0 a 3 para ctv"));
    const compiler::CompileResult r2 = run("out and e1\nxx");
    QCOMPARE(r2.lineNumber, 2);
    QCOMPARE(r2.message, QString::fromUtf8("La etiqueta \"xx\" no tiene instrucción"));
    QVERIFY(run("ld 300").message.contains(QStringLiteral("300")));
    QCOMPARE(run("yy").message, QString::fromUtf8("La etiqueta \"yy\" no tiene instrucción"));
}

void TstCompile::touchesNoFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile mine(dir.filePath(QStringLiteral("tmp")));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("user data");
    mine.close();
    const compiler::CompileResult ok = run("ld e1\nend");
    const compiler::CompileResult bad = run("ld 300");
    QDir::setCurrent(previous);
    QCOMPARE(ok.status, Status::Ok);
    QCOMPARE(bad.status, Status::LineRejected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"tmp"});
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("user data"));
}

QTEST_GUILESS_MAIN(TstCompile)
#include "tst_compile.moc"
