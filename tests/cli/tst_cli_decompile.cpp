#include <QtTest>

namespace {

const QString kMk38c = QStringLiteral(WMK38_BIN_DIR "/mk38c");
const QByteArray kHeader("prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - ");

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
};

Run mk38c(const QStringList& args)
{
    QProcess p;
    p.start(kMk38c, args);
    Run r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QByteArray image(const QByteArray& program)
{
    return program + QByteArray(256 - program.size(), '\0');
}

bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kLdOutEnd("\x06\x00\x0b\x08\x0f", 5);
const QByteArray kLdOutEndText("        LD e1\r\n        OUT s1\r\n        END\r\n\r\n");

} // namespace

class TstCliDecompile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void prints_data();
    void prints();
    void refuses_data();
    void refuses();
    void compileThenDecompile();

private:
    QTemporaryDir m_dir;
};

void TstCliDecompile::initTestCase()
{
    QVERIFY2(QFileInfo(kMk38c).isExecutable(), "build the mk38c target first");
}

void TstCliDecompile::prints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("object file") << "prog0.obj" << kHeader + image(kLdOutEnd) << kLdOutEndText;
    QTest::newRow("any other extension is an object file")
        << "prog0.bin" << QByteArray("\nx\n") + image(kLdOutEnd) << kLdOutEndText;
    QTest::newRow("ladder .bld") << "l.bld" << "MK38\r\n" + kLdOutEnd << kLdOutEndText;
    QTest::newRow("ladder .BLD") << "L2.BLD" << "MK38\n" + kLdOutEnd << kLdOutEndText;
    QTest::newRow("ladder .Bld, no line feed") << "l3.Bld" << kLdOutEnd << kLdOutEndText;
    // the marker's "§" goes out as the single Windows-1252 byte 0xA7, like the editor's files
    QTest::newRow("error marker in Windows-1252")
        << "marker.obj" << image(QByteArray("\x10\x04\x0f", 3))
        << QByteArray("        CTV Ctv5 ** Error: no exixte ese N\xa7 de Ctv **\r\n        END\r\n\r\n");
    QTest::newRow("no end: empty text") << "empty.obj" << image({}) << QByteArray();
}

void TstCliDecompile::prints()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, text);
    const QString path = m_dir.filePath(name);
    QVERIFY(writeRaw(path, contents));
    const Run r = mk38c({"decompile", path});
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, text);
}

void TstCliDecompile::refuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QByteArray>("says");

    QTest::newRow("object file of 255 bytes") << "short.obj" << QByteArray(255, '\x0f') << QByteArray("255 bytes");
    QTest::newRow("missing object file") << "missing.obj" << QByteArray() << QByteArray("No se puede abrir");
    QTest::newRow("ladder body of 300 bytes") << "long.bld" << "x\n" + QByteArray(300, '\x0f') << QByteArray("300 bytes");
    QTest::newRow("missing ladder file") << "missing.BLD" << QByteArray() << QByteArray("No se puede abrir");
}

void TstCliDecompile::refuses()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, says);
    const QString path = m_dir.filePath(name);
    if (!contents.isNull())
        QVERIFY(writeRaw(path, contents));
    const Run r = mk38c({"decompile", path});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.err.contains(says) && r.err.contains(path.toUtf8()), r.err.constData());

    QCOMPARE(mk38c({"decompile"}).exitCode, 2);
}

// A program compiled to an object file decompiles to text that compiles to the same file body.
void TstCliDecompile::compileThenDecompile()
{
    const QString source = m_dir.filePath("motor.prg");
    QVERIFY(writeRaw(source, "; arranque\r\n"
                             "motor equ s1\r\n"
                             "inicio: ld e1\r\n"
                             "  andn e2\r\n"
                             "  out motor\r\n"
                             "  tp tp1 2.5\r\n"
                             "  tpf tpf2 1.25\r\n"
                             "  ldiv 7 v03\r\n"
                             "  rst ctv1\r\n"
                             "  gosub sub\r\n"
                             "  goto inicio\r\n"
                             "  end\r\n"
                             "sub: inc v01\r\n"
                             "  cpi v01 10\r\n"
                             "  ifeq sub\r\n"
                             "  rjp\r\n"));
    const QString obj = m_dir.filePath("motor.obj");
    Run r = mk38c({"compile", "-o", obj, source});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QByteArray first = readRaw(obj);
    QCOMPARE(first.size(), 9 + 295);
    QVERIFY(first.startsWith("motor.obj - "));

    r = mk38c({"decompile", obj});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY(r.out.startsWith("L_1     LD e1\r\n        ANDN e2\r\n        OUT s1\r\n        TP Tp1  2.5\r\n"));
    QVERIFY(r.out.contains("        TPF TpF2  1.25\r\n        LDIV  7 v03\r\n        RST Ctv1  1\r\n"));

    const QString again = m_dir.filePath("again.prg");
    QVERIFY(writeRaw(again, r.out));
    const QString obj2 = m_dir.filePath("again.obj");
    r = mk38c({"compile", "-o", obj2, again});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(readRaw(obj2).right(256).toHex(' '), first.right(256).toHex(' '));
}

QTEST_GUILESS_MAIN(TstCliDecompile)
#include "tst_cli_decompile.moc"
