#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

// mk38c decompile on object and Ladder files written to a real disk.
class TstCliDecompile : public QObject
{
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
    void compileThenDecompile();

private:
    QTemporaryDir m_dir;
};

// The reader follows the extension; the refusals themselves are the readers' (tst_objectfiles).
void TstCliDecompile::runs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QString>("args");        // NAME: the file's name in the temporary folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output"); // stdout on success, else a part of stderr
    const QByteArray prog("\x06\x00\x0b\x08\x0f", 5), image = prog + QByteArray(251, '\0');
    const QByteArray text("        LD e1\r\n        OUT s1\r\n        END\r\n\r\n");
    const auto row = [](const char* tag, const QString& name, const QByteArray& contents, const QString& args,
                        int exitCode, const QByteArray& output) {
        QTest::newRow(tag) << name << contents << args << exitCode << output;
    };
    row("object", "prog0.obj", "prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - " + image, "NAME", 0, text);
    row("other extension", "p.bin", "\nx\n" + image, "NAME", 0, text);
    row(".bld", "l.bld", "MK38\r\n" + prog, "NAME", 0, text);
    row(".Bld without line feed", "l3.Bld", prog, "NAME", 0, text);
    row("marker in Windows-1252", "m.obj", QByteArray("\x10\x04\x0f", 3) + QByteArray(253, '\0'), "NAME", 0,
        "        CTV Ctv5 ** Error: no exixte ese N\xa7 de Ctv **\r\n        END\r\n\r\n");
    row("no end", "empty.obj", QByteArray(256, '\0'), "NAME", 0, QByteArray());
    row("-- ends the options", "-p.obj", image, "-- NAME", 0, text);
    row("refused", "short.obj", QByteArray(255, '\x0f'), "NAME", 1, "255 bytes");
    row("unreadable", "none.obj", QByteArray(), "NAME", 2, "none.obj");
    row("no FILE", "x.obj", image, "", 2, "Usage: mk38c decompile");
    row("two FILEs", "y.obj", image, "NAME NAME", 2, "Usage: mk38c decompile");
}

void TstCliDecompile::runs()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QString, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QVERIFY(contents.isNull() || testutil::writeRaw(m_dir.filePath(name), contents));
    QStringList list{QStringLiteral("decompile")};
    list += QString(args).replace(QStringLiteral("NAME"), name).split(u' ', Qt::SkipEmptyParts);
    const testutil::Run r = testutil::runTool(QStringLiteral("mk38c"), list, m_dir.path());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(exitCode == 0 ? r.err : r.out, QByteArray());
    QVERIFY2(exitCode == 0 ? r.out == output : r.err.contains(output), r.err);
}

// Compiled to an object file, decompiled, compiled again: the same image.
void TstCliDecompile::compileThenDecompile()
{
    const QString source = m_dir.filePath("motor.prg"), obj = m_dir.filePath("motor.obj");
    QVERIFY(testutil::writeRaw(
        source, "; arranque\r\nmotor equ s1\r\ninicio: ld e1\r\n  andn e2\r\n  out motor\r\n"
                "  tp tp1 2.5\r\n  tpf tpf2 1.25\r\n  ldiv 7 v03\r\n  rst ctv1\r\n  gosub sub\r\n"
                "  goto inicio\r\n  end\r\nsub: inc v01\r\n  cpi v01 10\r\n  ifeq sub\r\n  rjp\r\n"));
    QCOMPARE(testutil::runTool(QStringLiteral("mk38c"), {"compile", "-o", obj, source}).exitCode, 0);
    const QByteArray first = testutil::readRaw(obj);
    QVERIFY(first.size() == 9 + 295 && first.startsWith("motor.obj - "));
    const testutil::Run r = testutil::runTool(QStringLiteral("mk38c"), {"decompile", obj});
    QVERIFY(
        r.out.startsWith("L_1     LD e1\r\n        ANDN e2\r\n        OUT s1\r\n        TP Tp1  2.5\r\n"));
    QVERIFY(r.out.contains("        TPF TpF2  1.25\r\n        LDIV  7 v03\r\n        RST Ctv1  1\r\n"));
    QVERIFY(testutil::writeRaw(m_dir.filePath("again.prg"), r.out));
    QCOMPARE(testutil::runTool(QStringLiteral("mk38c"),
                               {"compile", "-o", m_dir.filePath("again.obj"), m_dir.filePath("again.prg")})
                 .exitCode,
             0);
    QCOMPARE(testutil::readRaw(m_dir.filePath("again.obj")).right(256).toHex(' '),
             first.right(256).toHex(' '));
}

QTEST_GUILESS_MAIN(TstCliDecompile)
#include "tst_cli_decompile.moc"
