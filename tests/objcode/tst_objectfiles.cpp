#include "ObjCode.h"
#include "TestUtil.h"

#include <QtTest>
#include <numeric>

namespace {

// Every byte value once, 0x0A and 0x0D included.
const QByteArray kSample = [] {
    QByteArray bytes;
    for (int b = 255; b >= 0; --b)
        bytes += char(b);
    return bytes;
}();
const QDateTime kWhen(QDate(2026, 3, 5), QTime(9, 4, 7));

// The bytes followed by zeros, as an image.
isa::ProgramImage imageOf(const QByteArray& bytes)
{
    isa::ProgramImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

} // namespace

class TstObjectFiles : public QObject
{
    Q_OBJECT
private slots:
    void write_data();
    void write();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void read_data();
    void read();
    void progressDisplay();

private:
    QTemporaryDir m_dir;
};

void TstObjectFiles::write_data()
{
    QTest::addColumn<QString>("nameField");
    QTest::addColumn<QString>("header"); // written in Latin-1
    QTest::newRow("prog0.obj, 304 bytes") << "prog0.obj"
                                          << "prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - ";
    QTest::newRow("upload: empty name") << ""
                                        << " - 03-05-2026 09:04:07 - OrvSoftware - ";
    QTest::newRow("ansi name") << "se\u00f1al.obj"
                               << "se\u00f1al.obj - 03-05-2026 09:04:07 - OrvSoftware - ";
}

// Written over a longer older file, which must not show past the new end.
void TstObjectFiles::write()
{
    QFETCH(QString, nameField);
    QFETCH(QString, header);
    const QString path = m_dir.filePath("prog.obj");
    QVERIFY(testutil::writeRaw(path, QByteArray(1000, 'x')));
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, nameField, imageOf(kSample), kWhen, &error), qPrintable(error));
    QCOMPARE(testutil::readRaw(path), header.toLatin1() + kSample);
    QCOMPARE(objcode::objectFileBytes(nameField, kWhen, imageOf(kSample)), header.toLatin1() + kSample);
}

// A write that cannot start or fails half way (the file-size limit, which even root cannot
// pass) is reported and leaves the folder as it was: no temporary file, the old file intact.
void TstObjectFiles::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sizeLimit");
    QTest::newRow("missing folder") << "no/such/folder/p.obj" << false;
    QTest::newRow("short write over an old file") << "limited.obj" << true;
}

void TstObjectFiles::failedWriteIsReported()
{
    QFETCH(QString, name);
    QFETCH(bool, sizeLimit);
    const QString path = m_dir.filePath(name);
    QVERIFY(testutil::writeRaw(m_dir.filePath("limited.obj"), "old contents"));
    const auto entries = [&] {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    };
    const QStringList before = entries();

    QString error;
    const auto write = [&] { return objcode::writeObjectFile(path, name, imageOf(kSample), kWhen, &error); };
    const bool ok = sizeLimit ? testutil::withFileSizeLimit(100, write) : write();

    QVERIFY(!ok);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(entries(), before);
    QCOMPARE(testutil::readRaw(m_dir.filePath("limited.obj")), QByteArray("old contents"));
}

// The reader is chosen by the extension of the tag. An object file is its last 256 bytes; a
// Ladder file's body follows its first line feed. Short objects, long bodies and unreadable
// files are refused; a device is read no further than a program can reach (a pipe: tst_cli).
void TstObjectFiles::read_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: a folder in its place
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("edited header.obj") << "hand-edited: anything - OrvSoftware" + kSample << kSample << "";
    QTest::newRow("header cut away.obj") << kSample << kSample << "";
    QTest::newRow("255 bytes.obj") << kSample.left(255) << QByteArray() << "255 bytes";
    QTest::newRow("folder.obj") << QByteArray() << QByteArray() << "No se puede abrir";
    QTest::newRow("zero device.obj") << QByteArray("/dev/zero") << QByteArray() << "mas de 1048576 bytes";
    QTest::newRow("100-byte body.bld") << "MK38 Ladder\r\n" + kSample.left(100) << kSample.left(100) << "";
    QTest::newRow("256-byte body, line feeds in it.bld") << "x\n" + kSample << kSample << "";
    QTest::newRow("no line feed: all body.bld") << kSample.right(9) << kSample.right(9) << "";
    QTest::newRow("300-byte body.bld")
        << "x\n" + QByteArray(300, '\x06') << QByteArray() << "mas de 256 bytes";
    QTest::newRow("257 bytes, no line feed.bld")
        << QByteArray(257, '\x06') << QByteArray() << "mas de 256 bytes";
    QTest::newRow("zero device.bld") << QByteArray("/dev/zero") << QByteArray() << "primeros 65536 bytes";
}

void TstObjectFiles::read()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, image);
    QFETCH(QString, refusal);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString path = m_dir.filePath(tag);
    const bool ladder = path.endsWith(".bld");
    QString error;
    QList<int> ks;
    const auto count = [&](int k) { ks << k; };
    QVERIFY(contents.isNull()              ? QDir().mkpath(path)
            : contents.startsWith("/dev/") ? QFile::link(contents, path)
                                           : testutil::writeRaw(path, contents));
    const auto read =
        ladder ? objcode::readLadderFile(path, &error) : objcode::readObjectFile(path, &error, count);
    QVERIFY2(refusal.isEmpty() ? error.isEmpty()
                               : error.contains(path) && QString(error).remove(path).contains(refusal),
             qPrintable(error));
    QCOMPARE(read, refusal.isEmpty() ? std::optional(imageOf(image)) : std::nullopt);
    QList<int> progress(refusal.isEmpty() && !ladder ? 256 : 0);
    std::iota(progress.begin(), progress.end(), 1);
    QCOMPARE(ks, progress);
}

void TstObjectFiles::progressDisplay()
{
    QCOMPARE(objcode::loadProgressWidth(256), 53);
    QCOMPARE(objcode::loadProgressText(256), QStringLiteral(" 99.84%"));
}

QTEST_APPLESS_MAIN(TstObjectFiles)
#include "tst_objectfiles.moc"
