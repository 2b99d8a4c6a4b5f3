#include "ObjCode.h"
#include "TestUtil.h"

#include <QtTest>

#include <csignal>
#include <numeric>
#include <sys/resource.h>

namespace {

isa::ProgramImage sampleImage()
{
    isa::ProgramImage image{};
    for (int i = 0; i < isa::kImageSize; ++i)
        image[i] = quint8(255 - i); // every byte value once, 0x0A and 0x0D included
    return image;
}

const QByteArray kSample(reinterpret_cast<const char*>(sampleImage().data()), isa::kImageSize);
const QDateTime kWhen(QDate(2026, 3, 5), QTime(9, 4, 7));

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
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
    QTemporaryDir m_dir;
};

// Written over a longer older file, which must not survive past the new end.
void TstObjectFiles::write_data()
{
    QTest::addColumn<QString>("nameField");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("prog0.obj, 304 bytes") << "prog0.obj" << QByteArray("prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - ");
    QTest::newRow("upload: empty name") << QString() << QByteArray(" - 03-05-2026 09:04:07 - OrvSoftware - ");
    QTest::newRow("ansi name") << "se\u00f1al.obj" << QByteArray("se\xf1" "al.obj - 03-05-2026 09:04:07 - OrvSoftware - ");
}

void TstObjectFiles::write()
{
    QFETCH(QString, nameField);
    QFETCH(QByteArray, header);
    const QString path = m_dir.filePath("prog.obj");
    QVERIFY(testutil::writeRaw(path, QByteArray(1000, 'x')));
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, nameField, sampleImage(), kWhen, &error), qPrintable(error));
    const QByteArray file = testutil::readRaw(path);
    QCOMPARE(file, header + kSample);
    QCOMPARE(file.size(), nameField.size() + 295);
    QCOMPARE(objcode::objectFileBytes(nameField, kWhen, sampleImage()), file);
}

// A write that cannot start or fails half way (the file-size limit, which even root cannot
// pass) is reported and leaves the folder as it was: no temporary file, the old file intact.
void TstObjectFiles::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sizeLimit");
    QTest::newRow("missing folder") << "no/such/folder/p.obj" << false;
    QTest::newRow("path is a folder") << "afolder" << false;
    QTest::newRow("short write over an old file") << "limited.obj" << true;
}

void TstObjectFiles::failedWriteIsReported()
{
    QFETCH(QString, name);
    QFETCH(bool, sizeLimit);
    const QString path = m_dir.filePath(name);
    QVERIFY(QDir(m_dir.path()).mkpath("afolder"));
    QVERIFY(testutil::writeRaw(m_dir.filePath("limited.obj"), "old contents"));
    const QStringList before = entries();

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, sizeLimit ? &small : &saved), 0);
    QString error;
    const bool ok = objcode::writeObjectFile(path, name, sampleImage(), kWhen, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!ok);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(entries(), before);
    QCOMPARE(testutil::readRaw(m_dir.filePath("limited.obj")), QByteArray("old contents"));
}

// Only the last 256 bytes count; a file shorter than that or unreadable is refused.
void TstObjectFiles::readObject_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QString>("refusal");     // empty: loads kSample
    QTest::newRow("edited header") << "hand-edited: anything - OrvSoftware" + kSample << QString();
    QTest::newRow("header cut away") << kSample << QString();
    QTest::newRow("another image in front") << QByteArray(256, '\0') + kSample << QString();
    QTest::newRow("255 bytes") << kSample.left(255) << "255 bytes";
    QTest::newRow("empty") << QByteArray("") << "0 bytes";
    QTest::newRow("missing") << QByteArray() << "No se puede abrir";
}

void TstObjectFiles::readObject()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".obj"));
    if (!contents.isNull())
        QVERIFY(testutil::writeRaw(path, contents));
    QString error;
    QList<int> ks;
    const auto image = objcode::readObjectFile(path, &error, [&](int k) { ks << k; });
    if (!refusal.isEmpty()) {
        QVERIFY(!image);
        QVERIFY2(error.contains(refusal) && error.contains(path), qPrintable(error));
        QVERIFY(ks.isEmpty());
        return;
    }
    QVERIFY2(image, qPrintable(error));
    QCOMPARE(*image, sampleImage());
    QList<int> oneTo256(256);
    std::iota(oneTo256.begin(), oneTo256.end(), 1);
    QCOMPARE(ks, oneTo256);
}

void TstObjectFiles::progressDisplay()
{
    QCOMPARE(objcode::loadProgressWidth(1), 1);
    QCOMPARE(objcode::loadProgressWidth(256), 53);
    QCOMPARE(objcode::loadProgressText(1), QStringLiteral(" .39%"));
    QCOMPARE(objcode::loadProgressText(256), QStringLiteral(" 99.84%"));
}

// The body follows the first line feed; one over 256 bytes, or an unreadable file, is refused.
void TstObjectFiles::readLadder_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("100-byte body") << "MK38 Ladder\r\n" + kSample.left(100) << kSample.left(100) << QString();
    QTest::newRow("256-byte body") << "x\n" + kSample << kSample << QString();
    QTest::newRow("line feeds in the body kept") << "\n" + kSample.right(30) << kSample.right(30) << QString();
    QTest::newRow("no line feed: all body") << QByteArray("\x06\x00\x0b\x08\x0f", 5)
                                            << QByteArray("\x06\x00\x0b\x08\x0f", 5) << QString();
    QTest::newRow("empty file") << QByteArray("") << QByteArray() << QString();
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
    if (!refusal.isEmpty()) {
        QVERIFY(!image);
        QVERIFY2(error.contains(refusal) && error.contains(path), qPrintable(error));
        return;
    }
    QVERIFY2(image, qPrintable(error));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image->data()), isa::kImageSize),
             body + QByteArray(256 - body.size(), '\0'));
}

QTEST_APPLESS_MAIN(TstObjectFiles)
#include "tst_objectfiles.moc"
