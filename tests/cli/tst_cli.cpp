#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

// What every mk38c command shares, run through the shell: the commands, standard output that
// cannot be written, file names that are not UTF-8, input from a pipe.
class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void runs_data();
    void runs();
    void portsShowTheComMapping();
    // the folder cannot list names that are not UTF-8 to remove them; the shell can
    void cleanupTestCase() { testutil::runShell(QStringLiteral("rm -f ./*"), m_dir.path()); }

private:
    QTemporaryDir m_dir;
};

namespace {
const QByteArray kText("        LD e1\r\n        OUT s1\r\n        END\r\n\r\n");
} // namespace

void TstCli::initTestCase()
{
    QVERIFY(testutil::writeRaw(m_dir.filePath("ok.prg"), "ld e1\r\nout s1\r\nend\r\n"));
    QVERIFY(testutil::writeRaw(m_dir.filePath("ok.obj"), " - 03-05-2026 09:04:07 - OrvSoftware - " +
                                                             QByteArray::fromHex("06000b080f") +
                                                             QByteArray(251, '\0')));
}

void TstCli::runs_data()
{
    QTest::addColumn<QString>("commandLine"); // run in the temporary folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err"); // its start
    QTest::newRow("no command") << "mk38c" << 2 << QByteArray() << QByteArray("Usage:");
    QTest::newRow("unknown command") << "mk38c send2 ok.obj" << 2 << QByteArray()
                                     << QByteArray("mk38c: unknown command \"send2\"\nUsage:");
    QTest::newRow("decompile to a full disk") << "mk38c decompile ok.obj >/dev/full" << 2 << QByteArray()
                                              << QByteArray("mk38c: cannot write the standard output");
    QTest::newRow("compile to a closed output") << "mk38c compile ok.prg >&-" << 2 << QByteArray()
                                                << QByteArray("mk38c: cannot write the standard output");
    QTest::newRow("names not UTF-8")
        << "printf 'ld e1\\r\\nout s1\\r\\nend\\r\\n' >\"$(printf 'a\\377.prg')\" && "
           "mk38c compile -o \"$(printf 'b\\377.obj')\" \"$(printf 'a\\377.prg')\" && "
           "mk38c decompile \"$(printf 'b\\377.obj')\""
        << 0 << "Bytes compilados:  5\n" + kText << QByteArray();
    // the object file's name field is the name it is written under
    QTest::newRow("compile -o") << "mk38c compile -o c.obj ok.prg >/dev/null && head -c 8 c.obj" << 0
                                << QByteArray("c.obj - ") << QByteArray();
    QTest::newRow("object from a pipe")
        << "cat ok.obj | mk38c decompile /dev/stdin" << 0 << kText << QByteArray();
}

void TstCli::runs()
{
    QFETCH(QString, commandLine);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const testutil::Run r = testutil::runShell(commandLine, m_dir.path());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, out);
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(err), r.err);
}

void TstCli::portsShowTheComMapping()
{
    // a copy of the tool with a settings file beside it, as an installed one reads its own
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/mk38c"), folder + QStringLiteral("/mk38c")));
    QVERIFY(testutil::writeRaw(folder + QStringLiteral("/dmk38.ini"),
                               "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=/tmp/plc\r\nCOM5=/dev/ttyUSB0\r\n"));
    const testutil::Run r = testutil::runShell(QStringLiteral("./mk38c ports"), folder);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QByteArray ini = QFile::encodeName(folder) + "/dmk38.ini";
    const QByteArray mapping = "COM1\t/dev/ttyS0\tdefault\nCOM2\t/tmp/plc\t" + ini +
                               "\nCOM3\t/dev/ttyS2\tdefault\nCOM4\t/dev/ttyS3\tdefault\nCOM5\t/dev/ttyUSB0\t" + ini +
                               "\nCOM6\t/dev/ttyS5\tdefault\n";
    QVERIFY2(r.out.endsWith(mapping), r.out);
    // before it, the ports present: five fields each, or a line saying there are none
    const QList<QByteArray> ports = r.out.chopped(mapping.size()).split('\n');
    QVERIFY2(ports.size() >= 2 && ports.last().isEmpty(), r.out);
    for (const QByteArray& line : ports.first(ports.size() - 1))
        QVERIFY2(line.count('\t') == 4 || line == "no serial ports found", line);
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
