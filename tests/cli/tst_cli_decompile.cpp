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

private:
    QTemporaryDir m_dir;
};

// The reader follows the extension; the refusals themselves are the readers' (tst_objectfiles),
// the translation the translator's (tst_roundtrip).
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

QTEST_GUILESS_MAIN(TstCliDecompile)
#include "tst_cli_decompile.moc"
