#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

// mk38c compile, run as a user runs it, on files in a temporary folder.
class TstCliCompile : public QObject
{
    Q_OBJECT
private slots:
    void runs_data();
    void runs();

private:
    QTemporaryDir m_dir;
};

void TstCliCompile::runs_data()
{
    // SRC is the source written from the row, DIR the temporary folder
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // stdout on success, else the start of stderr
    QVERIFY(testutil::writeRaw(m_dir.filePath("mine.def"), "; two names\r\nmotor equ 0\r\nlamp equ 1\r\n"));
    const QString undefined = QString::fromUtf8("\" no está entre los EQUs ni es una palabra clave\n");
    const QByteArray zeros = QByteArray(" 00").repeated(15) + '\n';
    const QByteArray hex = "06 00 0B 08 0F" + zeros.right(34) + ("00" + zeros).repeated(15);
    QTest::newRow("hex") << QByteArray("; demo\r\nld e1\r\nout s1\r\nend\r\n") << "--hex SRC" << 0
                         << QString::fromLatin1(hex + "Bytes compilados:  5\n");
    QTest::newRow("rejected, read as Windows-1252")
        << QByteArray("ld e1\r\n  LD 300 ; a\xf1o\r\nend\r\n") << "--hex SRC" << 1
        << QString::fromUtf8(
               "Error en linea\n  LD 300 ; año\nEl argumento \"300\" es mayor que el máximo (255)\n");
    QTest::newRow("unresolved") << QByteArray("loop: ld e1\r\ngoto loop:\r\n") << "SRC" << 1
                                << " Error: salto a loop: No hallado.\n";
    QTest::newRow("own es.def") << QByteArray("ld motor\r\nout lamp\r\n") << "--defs DIR/mine.def SRC" << 0
                                << "Bytes compilados:  4\n";
    QTest::newRow("own es.def only") << QByteArray("ld e1\r\n") << "--defs DIR/mine.def SRC" << 1
                                     << "Error en linea\nld e1\nEl argumento \"e1" + undefined;
    QTest::newRow("help") << QByteArray() << "--help" << 0
                          << "Usage: mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE\n";
    QTest::newRow("missing es.def") << QByteArray("end") << "--defs DIR/none.def SRC" << 2
                                    << "mk38c compile: ";
    QTest::newRow("missing source") << QByteArray() << "DIR/none.prg" << 2 << "mk38c compile: ";
    QTest::newRow("unknown option") << QByteArray("end") << "--fast SRC" << 2 << "mk38c compile: ";
    QTest::newRow("object file not writable")
        << QByteArray("end") << "-o DIR/no/such/h.obj SRC" << 2 << "mk38c compile: ";
    QTest::newRow("two sources") << QByteArray("end") << "SRC SRC" << 2
                                 << "mk38c compile: more than one SOURCE\n";
    QTest::newRow("-- ends the options") << QByteArray("end") << "-- REL" << 0 << "Bytes compilados:  1\n";
    QTest::newRow("source over 1 MB") << QByteArray(1024 * 1024 + 1, ' ') << "SRC" << 2 << "mk38c compile: ";
    // -o is refused before anything is written: the inputs by any name, a pipe
    QTest::newRow("-o the source") << QByteArray("end") << "-o SRC SRC" << 2 << "mk38c compile: ";
    QTest::newRow("-o a link to the source") << QByteArray("end") << "-o LINK SRC" << 2 << "mk38c compile: ";
    QTest::newRow("-o the definitions")
        << QByteArray("ld motor") << "--defs DIR/mine.def -o DIR/mine.def SRC" << 2 << "mk38c compile: ";
    QTest::newRow("-o a pipe") << QByteArray("end") << "-o FIFO SRC" << 2 << "mk38c compile: ";
}

void TstCliCompile::runs()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
    const QString src = m_dir.filePath(name + ".prg"), link = m_dir.filePath(name + ".lnk"),
                  fifo = m_dir.filePath(name + ".fifo");
    const QByteArray defs = testutil::readRaw(m_dir.filePath("mine.def"));
    QVERIFY(testutil::writeRaw(src, source) && QFile::link(src, link) &&
            ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QStringList list{QStringLiteral("compile")};
    for (const QString& a : args.split(u' '))
        list << QString(a)
                    .replace(QStringLiteral("SRC"), src)
                    .replace(QStringLiteral("REL"), name + ".prg")
                    .replace(QStringLiteral("LINK"), link)
                    .replace(QStringLiteral("FIFO"), fifo)
                    .replace(QStringLiteral("DIR"), m_dir.path());
    const testutil::Run r = testutil::runTool(QStringLiteral("mk38c"), list, m_dir.path());
    QCOMPARE(r.exitCode, exitCode);
    const QString out = QString::fromUtf8(r.out), err = QString::fromUtf8(r.err);
    QCOMPARE(exitCode == 0 ? err : out, QString());
    QVERIFY2(exitCode == 0 ? out == output : err.startsWith(output), qPrintable(out + err));
    if (args.contains(QStringLiteral("h.obj"))) // the failed write is reported, naming the file once
        QCOMPARE(err.count(QStringLiteral("h.obj")), 1);
    // the inputs are never written over, a pipe never replaced
    QCOMPARE(testutil::readRaw(src), source);
    QCOMPARE(testutil::readRaw(m_dir.filePath("mine.def")), defs);
    QVERIFY(QFileInfo(link).isSymLink() && !QFileInfo(fifo).isFile());
}

QTEST_GUILESS_MAIN(TstCliCompile)
#include "tst_cli_compile.moc"
