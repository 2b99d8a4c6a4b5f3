#include "ObjCode.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

isa::ProgramImage sampleImage()
{
    isa::ProgramImage image{};
    for (int i = 0; i < isa::kImageSize; ++i)
        image[i] = quint8(255 - i); // every byte value once, 0x0A and 0x0D included
    return image;
}

QByteArray asBytes(const isa::ProgramImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), isa::kImageSize);
}

const QDateTime kWhen(QDate(2026, 3, 5), QTime(9, 4, 7));

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

} // namespace

class TstObjectFiles : public QObject
{
    Q_OBJECT
private slots:
    void writesProg0Layout();
    void nameFieldVariants_data();
    void nameFieldVariants();
    void overwritesWholeOldFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void writeOverFileSizeLimitKeepsOldFile();
    void readsLastBytes_data();
    void readsLastBytes();
    void refusesObjectFile_data();
    void refusesObjectFile();
    void progress();
    void ladder_data();
    void ladder();
    void refusesLadderFile_data();
    void refusesLadderFile();

private:
    QTemporaryDir m_dir;
};

void TstObjectFiles::writesProg0Layout()
{
    const QString path = m_dir.filePath("prog0.obj");
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, "prog0.obj", sampleImage(), kWhen, &error), qPrintable(error));
    const QByteArray file = readRaw(path);
    QCOMPARE(file.size(), 304);
    QCOMPARE(file.left(9), QByteArray("prog0.obj"));
    QCOMPARE(file.mid(9, 22), QByteArray(" - 03-05-2026 09:04:07"));
    QCOMPARE(file.mid(31, 17), QByteArray(" - OrvSoftware - "));
    QCOMPARE(file.mid(48), asBytes(sampleImage()));
    QCOMPARE(objcode::objectFileBytes("prog0.obj", kWhen, sampleImage()), file);

    const auto back = objcode::readObjectFile(path, &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(*back, sampleImage());
}

void TstObjectFiles::nameFieldVariants_data()
{
    QTest::addColumn<QString>("nameField");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("upload: empty name") << QString() << QByteArray(" - 03-05-2026 09:04:07 - OrvSoftware - ");
    QTest::newRow("ansi name") << QStringLiteral("se\u00f1al.obj")
                               << QByteArray("se\xf1" "al.obj - 03-05-2026 09:04:07 - OrvSoftware - ");
}

void TstObjectFiles::nameFieldVariants()
{
    QFETCH(QString, nameField);
    QFETCH(QByteArray, header);
    const QString path = m_dir.filePath("variant.obj");
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, nameField, sampleImage(), kWhen, &error), qPrintable(error));
    const QByteArray file = readRaw(path);
    QCOMPARE(file.size(), nameField.size() + 295);
    QCOMPARE(file, header + asBytes(sampleImage()));
}

void TstObjectFiles::overwritesWholeOldFile()
{
    const QString path = m_dir.filePath("over.obj");
    QVERIFY(writeRaw(path, QByteArray(1000, 'x')));
    QString error;
    QVERIFY2(objcode::writeObjectFile(path, "over.obj", sampleImage(), kWhen, &error), qPrintable(error));
    QCOMPARE(readRaw(path).size(), 8 + 295);
}

void TstObjectFiles::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << "no/such/folder/p.obj";
    QTest::newRow("path is a folder") << "afolder";
}

void TstObjectFiles::failedWriteKeepsOldFile()
{
    QFETCH(QString, relativePath);
    QVERIFY(QDir(m_dir.path()).mkpath("afolder"));
    QString error;
    QVERIFY(!objcode::writeObjectFile(m_dir.filePath(relativePath), "p.obj", sampleImage(), kWhen, &error));
    QVERIFY(error.contains(m_dir.filePath(relativePath)));
    QVERIFY(QFileInfo(m_dir.filePath("afolder")).isDir());
}

// A write that fails half way (here: the file-size limit, which even root cannot pass)
// must leave the older file exactly as it was and say so.
void TstObjectFiles::writeOverFileSizeLimitKeepsOldFile()
{
    const QString path = m_dir.filePath("limited.obj");
    const QByteArray old("old contents");
    QVERIFY(writeRaw(path, old));

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = objcode::writeObjectFile(path, "limited.obj", sampleImage(), kWhen, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readRaw(path), old);
    const QStringList left = QDir(m_dir.path()).entryList({"limited.obj*"}, QDir::Files);
    QCOMPARE(left, QStringList{"limited.obj"});
}

void TstObjectFiles::readsLastBytes_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("edited header") << QByteArray("hand-edited: anything at all - OrvSoftware");
    QTest::newRow("shortened to nothing") << QByteArray();
    QTest::newRow("long header with line feeds") << QByteArray(2000, '\n');
    QTest::newRow("another program in front") << asBytes(isa::ProgramImage{});
}

void TstObjectFiles::readsLastBytes()
{
    QFETCH(QByteArray, header);
    const QString path = m_dir.filePath("edited.obj");
    QVERIFY(writeRaw(path, header + asBytes(sampleImage())));
    QString error;
    const auto image = objcode::readObjectFile(path, &error);
    QVERIFY2(image, qPrintable(error));
    QCOMPARE(*image, sampleImage());
}

void TstObjectFiles::refusesObjectFile_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QByteArray>("contents"); // written when not null
    QTest::addColumn<QString>("says");
    QTest::newRow("255 bytes") << "short.obj" << QByteArray(255, '\x0f') << "255 bytes";
    QTest::newRow("empty") << "empty.obj" << QByteArray("") << "0 bytes";
    QTest::newRow("missing") << "missing.obj" << QByteArray() << "No se puede abrir";
    QTest::newRow("folder") << "dir.obj" << QByteArray() << "No se puede abrir";
}

void TstObjectFiles::refusesObjectFile()
{
    QFETCH(QString, relativePath);
    QFETCH(QByteArray, contents);
    QFETCH(QString, says);
    const QString path = m_dir.filePath(relativePath);
    if (!contents.isNull())
        QVERIFY(writeRaw(path, contents));
    if (relativePath == "dir.obj")
        QVERIFY(QDir(m_dir.path()).mkpath(relativePath));
    QString error;
    int calls = 0;
    QVERIFY(!objcode::readObjectFile(path, &error, [&](int) { ++calls; }));
    QVERIFY2(error.contains(says) && error.contains(path), qPrintable(error));
    QCOMPARE(calls, 0);
}

void TstObjectFiles::progress()
{
    const QString path = m_dir.filePath("progress.obj");
    QVERIFY(writeRaw(path, objcode::objectFileBytes("progress.obj", kWhen, sampleImage())));
    QList<int> ks;
    QVERIFY(objcode::readObjectFile(path, nullptr, [&](int k) { ks << k; }));
    QCOMPARE(ks.size(), 256);
    for (int i = 0; i < ks.size(); ++i)
        QCOMPARE(ks[i], i + 1);

    QCOMPARE(objcode::loadProgressWidth(1), 1);
    QCOMPARE(objcode::loadProgressWidth(100), 21);
    QCOMPARE(objcode::loadProgressWidth(256), 53);
    QCOMPARE(objcode::loadProgressText(1), QStringLiteral(" .39%"));
    QCOMPARE(objcode::loadProgressText(100), QStringLiteral(" 39%"));
    QCOMPARE(objcode::loadProgressText(256), QStringLiteral(" 99.84%"));
}

void TstObjectFiles::ladder_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("body");
    const QByteArray program = asBytes(sampleImage());
    QTest::newRow("100-byte body") << "MK38 Ladder\r\n" + program.left(100) << program.left(100);
    QTest::newRow("256-byte body") << "x\n" + program << program;
    QTest::newRow("line feeds in the body kept") << "\n" + program.right(30) << program.right(30);
    QTest::newRow("no line feed: all body") << QByteArray("\x06\x00\x0b\x08\x0f", 5) << QByteArray("\x06\x00\x0b\x08\x0f", 5);
    QTest::newRow("header only") << QByteArray("header\n") << QByteArray();
    QTest::newRow("empty file") << QByteArray("") << QByteArray();
}

void TstObjectFiles::ladder()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, body);
    const QString path = m_dir.filePath("prog.bld");
    QVERIFY(writeRaw(path, contents));
    QString error;
    const auto image = objcode::readLadderFile(path, &error);
    QVERIFY2(image, qPrintable(error));
    QCOMPARE(asBytes(*image), body + QByteArray(256 - body.size(), '\0'));
}

void TstObjectFiles::refusesLadderFile_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("says");
    QTest::newRow("300-byte body") << "long.bld" << "x\n" + QByteArray(300, '\x06') << "300 bytes";
    QTest::newRow("257 bytes, no line feed") << "nolf.bld" << QByteArray(257, '\x06') << "257 bytes";
    QTest::newRow("missing") << "missing.bld" << QByteArray() << "No se puede abrir";
    QTest::newRow("folder") << "dir.bld" << QByteArray() << "No se puede abrir";
}

void TstObjectFiles::refusesLadderFile()
{
    QFETCH(QString, relativePath);
    QFETCH(QByteArray, contents);
    QFETCH(QString, says);
    const QString path = m_dir.filePath(relativePath);
    if (!contents.isNull())
        QVERIFY(writeRaw(path, contents));
    if (relativePath == "dir.bld")
        QVERIFY(QDir(m_dir.path()).mkpath(relativePath));
    QString error;
    QVERIFY(!objcode::readLadderFile(path, &error));
    QVERIFY2(error.contains(says) && error.contains(path), qPrintable(error));
}

QTEST_APPLESS_MAIN(TstObjectFiles)
#include "tst_objectfiles.moc"
