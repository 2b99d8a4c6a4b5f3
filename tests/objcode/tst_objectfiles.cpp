#include "ObjCode.h"
#include "TestUtil.h"

#include <QtTest>
#include <csignal>
#include <numeric>
#include <sys/resource.h>

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
    void readObject_data();
    void readObject();
    void progressDisplay();
    void readLadder_data();
    void readLadder();

private:
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    QTemporaryDir m_dir;
};

void TstObjectFiles::write_data()
{
    QTest::addColumn<QString>("nameField");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("prog0.obj, 304 bytes")
        << "prog0.obj" << QByteArray("prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - ");
    QTest::newRow("upload: empty name") << QString() << QByteArray(" - 03-05-2026 09:04:07 - OrvSoftware - ");
    QTest::newRow("ansi name") << "se\u00f1al.obj"
                               << QByteArray("se\xf1"
                                             "al.obj - 03-05-2026 09:04:07 - OrvSoftware - ");
}

// Written over a longer older file, which must not show past the new end.
void TstObjectFiles::write()
{
    QFETCH(QString, nameField);
    QFETCH(QByteArray, header);
    const QString path = m_dir.filePath("prog.obj");
    QVERIFY(testutil::writeRaw(path, QByteArray(1000, 'x')));
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, nameField, imageOf(kSample), kWhen, &error), qPrintable(error));
    QCOMPARE(testutil::readRaw(path), header + kSample);
    QCOMPARE(objcode::objectFileBytes(nameField, kWhen, imageOf(kSample)), header + kSample);
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
    const QStringList before = entries();

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, sizeLimit ? &small : &saved), 0);
    QString error;
    const bool ok = objcode::writeObjectFile(path, name, imageOf(kSample), kWhen, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!ok);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(entries(), before);
    QCOMPARE(testutil::readRaw(m_dir.filePath("limited.obj")), QByteArray("old contents"));
}

// Only the last 256 bytes count; a file shorter than that, or unreadable, is refused.
void TstObjectFiles::readObject_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QString>("refusal");     // empty: loads kSample
    QTest::newRow("edited header") << "hand-edited: anything - OrvSoftware" + kSample << QString();
    QTest::newRow("header cut away") << kSample << QString();
    QTest::newRow("255 bytes") << kSample.left(255) << "255 bytes";
    QTest::newRow("missing") << QByteArray() << "No se puede abrir";
}

void TstObjectFiles::readObject()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".obj"));
    QVERIFY(contents.isNull() || testutil::writeRaw(path, contents));
    QString error;
    QList<int> ks;
    const auto image = objcode::readObjectFile(path, &error, [&](int k) { ks << k; });
    QList<int> progress(refusal.isEmpty() ? 256 : 0);
    std::iota(progress.begin(), progress.end(), 1);
    QCOMPARE(ks, progress);
    QVERIFY2(refusal.isEmpty() ? error.isEmpty() : error.contains(refusal) && error.contains(path),
             qPrintable(error));
    QCOMPARE(image, refusal.isEmpty() ? std::optional(imageOf(kSample)) : std::nullopt);
}

void TstObjectFiles::progressDisplay()
{
    QCOMPARE(objcode::loadProgressWidth(256), 53);
    QCOMPARE(objcode::loadProgressText(256), QStringLiteral(" 99.84%"));
}

// The body follows the first line feed; one over 256 bytes, or an unreadable file, is refused.
void TstObjectFiles::readLadder_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: a folder in its place
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("100-byte body") << "MK38 Ladder\r\n" + kSample.left(100) << kSample.left(100) << QString();
    QTest::newRow("256-byte body, line feeds in it") << "x\n" + kSample << kSample << QString();
    QTest::newRow("no line feed: all body") << kSample.right(9) << kSample.right(9) << QString();
    QTest::newRow("300-byte body") << "x\n" + QByteArray(300, '\x06') << QByteArray() << "300 bytes";
    QTest::newRow("257 bytes, no line feed") << QByteArray(257, '\x06') << QByteArray() << "257 bytes";
    QTest::newRow("folder") << QByteArray() << QByteArray() << "No se puede abrir";
}

void TstObjectFiles::readLadder()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, body);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".bld"));
    QVERIFY(contents.isNull() ? QDir().mkpath(path) : testutil::writeRaw(path, contents));
    QString error;
    const auto image = objcode::readLadderFile(path, &error);
    QVERIFY2(refusal.isEmpty() ? error.isEmpty() : error.contains(refusal) && error.contains(path),
             qPrintable(error));
    QCOMPARE(image, refusal.isEmpty() ? std::optional(imageOf(body)) : std::nullopt);
}

QTEST_APPLESS_MAIN(TstObjectFiles)
#include "tst_objectfiles.moc"
