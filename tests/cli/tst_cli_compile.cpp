#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// mk38c compile, run as a user runs it, on files in a temporary folder.
class TstCliCompile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void hexImage();
    void lengthOnly();
    void rejectedLine();
    void unresolvedJump();
    void customDefinitions();
    void failures_data();
    void failures();
    void help();
    void objectFileNotWritable();

private:
    struct Run
    {
        int exitCode;
        QStringList out;
        QStringList err;
    };
    Run mk38c(const QStringList& args) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    QTemporaryDir m_dir;
};

void TstCliCompile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(WMK38_BIN_DIR "/mk38c")));
}

TstCliCompile::Run TstCliCompile::mk38c(const QStringList& args) const
{
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), args);
    if (!p.waitForFinished(20000))
        return {-1, {}, {}};
    const auto lines = [](const QByteArray& bytes) {
        QStringList l = QString::fromUtf8(bytes).split(u'\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    };
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, lines(p.readAllStandardOutput()),
            lines(p.readAllStandardError())};
}

QString TstCliCompile::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

void TstCliCompile::hexImage()
{
    const QString src = write(QStringLiteral("a.prg"), "; demo\r\nld e1\r\nout s1\r\nend\r\n");
    const Run r = mk38c({"compile", "--hex", src});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QStringList());
    QCOMPARE(r.out.size(), 17);
    QCOMPARE(r.out[0], QStringLiteral("06 00 0B 08 0F 00 00 00 00 00 00 00 00 00 00 00"));
    for (int i = 1; i < 16; ++i)
        QCOMPARE(r.out[i], QStringLiteral("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(r.out[16], QStringLiteral("Bytes compilados:  5"));
}

void TstCliCompile::lengthOnly()
{
    // LF-only lines, as written on Linux
    const QString src = write(QStringLiteral("b.prg"), "top: ld e1\ntp tp1 30\ngoto top\n");
    const Run r = mk38c({"compile", src});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringList{"Bytes compilados:  8"});
    const Run hex = mk38c({"compile", src, "--hex"});
    QCOMPARE(hex.out[0].left(23), QStringLiteral("06 00 19 00 2C 01 1A 00"));
}

void TstCliCompile::rejectedLine()
{
    // the raw line as written, read as Windows-1252
    const QString src = write(QStringLiteral("c.prg"), "ld e1\r\n  LD 300 ; a\xf1o\r\nend\r\n");
    const Run r = mk38c({"compile", "--hex", src});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QStringList());
    QCOMPARE(r.err, (QStringList{"Error en linea", QString::fromUtf8("  LD 300 ; año"),
                                 QString::fromUtf8("El argumento \"300\" es mayor que el máximo (255)")}));
}

void TstCliCompile::unresolvedJump()
{
    const QString src = write(QStringLiteral("d.prg"), "loop: ld e1\r\ngoto loop:\r\n");
    const Run r = mk38c({"compile", src});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QStringList());
    QCOMPARE(r.err, QStringList{" Error: salto a loop: No hallado."});
}

void TstCliCompile::customDefinitions()
{
    const QString defs = write(QStringLiteral("mine.def"), "; two names\r\nmotor equ 0\r\nlamp equ 1\r\n");
    const QString src = write(QStringLiteral("e.prg"), "ld motor\r\nout lamp\r\n");
    const Run r = mk38c({"compile", "--defs", defs, "--hex", src});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out[0].left(11), QStringLiteral("06 00 0B 01"));
    const QString shipped = write(QStringLiteral("f.prg"), "ld e1\r\n");
    const Run other = mk38c({"compile", "--defs", defs, shipped});
    QCOMPARE(other.exitCode, 1);
    QCOMPARE(other.err.value(2),
             QString::fromUtf8("El argumento \"e1\" no está entre los EQUs ni es una palabra clave"));
}

void TstCliCompile::failures_data()
{
    QTest::addColumn<QStringList>("args");
    const QString src = write(QStringLiteral("g.prg"), "end\r\n");
    QTest::newRow("missing es.def") << QStringList{"compile", "--defs", m_dir.filePath("nothing.def"), src};
    QTest::newRow("missing source") << QStringList{"compile", m_dir.filePath("nothing.prg")};
    QTest::newRow("no source") << QStringList{"compile", "--hex"};
    QTest::newRow("two sources") << QStringList{"compile", src, src};
    QTest::newRow("unknown option") << QStringList{"compile", "--fast", src};
    QTest::newRow("--defs without file") << QStringList{"compile", src, "--defs"};
    QTest::newRow("-o without file") << QStringList{"compile", src, "-o"};
}

void TstCliCompile::failures()
{
    QFETCH(QStringList, args);
    const Run r = mk38c(args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QStringList());
    QVERIFY(!r.err.isEmpty());
    QVERIFY(r.err.first().startsWith(QStringLiteral("mk38c compile: ")));
}

void TstCliCompile::help()
{
    const Run r = mk38c({"compile", "--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.value(0).contains(QStringLiteral("mk38c compile [--defs FILE] [--hex] [-o OUT] SOURCE")));
}

void TstCliCompile::objectFileNotWritable()
{
    const QString src = write(QStringLiteral("h.prg"), "end\r\n");
    const Run r = mk38c({"compile", "-o", m_dir.filePath("no/such/folder/h.obj"), src});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QStringList());
    const QString err = r.err.join(u'\n');
    QVERIFY(err.startsWith(QStringLiteral("mk38c compile: ")));
    QCOMPARE(err.count(QStringLiteral("h.obj")), 1);
}

QTEST_GUILESS_MAIN(TstCliCompile)
#include "tst_cli_compile.moc"
