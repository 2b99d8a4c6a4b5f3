// GetIni/PutIni through the component on real profile files: what the platform's profile
// functions read and write.

#include "OrvLibClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestOrvProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void getIniReads_data();
    void getIniReads();
    void getIniWithoutFileGivesDefault();
    void getIniWithoutIniFileGivesDefault();
    void getIniCutsAt254();
    void putIniCreatesFileAndSection();
    void putIniKeepsOtherLines();
    void putIniReplacesRegardlessOfCase();
    void putIniAddsKeyToExistingSection();
    void putIniRoundTrip_data();
    void putIniRoundTrip();
    void putIniWritesCp1252();
    void putIniRejectsLineBreaks_data();
    void putIniRejectsLineBreaks();
    void putIniFailureReachesCaller();

private:
    QByteArray readFile() const;
    void writeFile(const QByteArray& bytes) const;

    std::unique_ptr<OrvLib> m_lib;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestOrvProfile::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("ORVLIB_REGISTRY"))
        qputenv("ORVLIB_REGISTRY", WMK38_BUILD_DIR "/orvlib.reg");
    QString error;
    m_lib = OrvLib::create(&error);
    QVERIFY2(m_lib, qPrintable(error));
}

void TestOrvProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = m_dir->filePath(QStringLiteral("dmk38.ini"));
    m_lib->setIniFile(m_file);
}

QByteArray TestOrvProfile::readFile() const
{
    QFile file(m_file);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestOrvProfile::writeFile(const QByteArray& bytes) const
{
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestOrvProfile::getIniReads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");
    const QByteArray crlf = "[Set]\r\nID=7\r\nCOM=3\r\n";
    QTest::newRow("CR LF") << crlf << "Set"
                           << "COM"
                           << "2"
                           << "3";
    QTest::newRow("LF only") << QByteArray("[Set]\nID=7\nCOM=3\n") << "Set"
                             << "COM"
                             << "2"
                             << "3";
    QTest::newRow("no final line end") << QByteArray("[Set]\r\nCOM=3") << "Set"
                                       << "COM"
                                       << "2"
                                       << "3";
    QTest::newRow("section case") << crlf << "SET"
                                  << "COM"
                                  << "2"
                                  << "3";
    QTest::newRow("key case") << crlf << "set"
                              << "com"
                              << "2"
                              << "3";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ Set ]  \r\n  COM   =   3  \r\n") << " Set"
        << "COM "
        << "2"
        << "3";
    QTest::newRow("tabs around value") << QByteArray("[Set]\r\nCOM=\t3\t\r\n") << "Set"
                                       << "COM"
                                       << "2"
                                       << "3";
    QTest::newRow("missing key gives default") << crlf << "Set"
                                               << "FCol"
                                               << "12632256"
                                               << "12632256";
    QTest::newRow("missing section gives default") << crlf << "Other"
                                                   << "COM"
                                                   << "2"
                                                   << "2";
    QTest::newRow("key of another section not taken")
        << QByteArray("[A]\r\nCOM=9\r\n[Set]\r\nID=1\r\n") << "Set"
        << "COM"
        << "2"
        << "2";
    QTest::newRow("key before any section not taken") << QByteArray("COM=9\r\n[Set]\r\nID=1\r\n") << "Set"
                                                      << "COM"
                                                      << "2"
                                                      << "2";
    QTest::newRow("empty value gives default") << QByteArray("[Set]\r\nCOM=\r\n") << "Set"
                                               << "COM"
                                               << "2"
                                               << "2";
    QTest::newRow("empty value, empty default") << QByteArray("[Set]\r\nCOM=\r\n") << "Set"
                                                << "COM"
                                                << ""
                                                << "";
    QTest::newRow("value keeps inner blanks and equals")
        << QByteArray("[Set]\r\nPrgP=C:\\mis programas\\a=b\\\r\n") << "Set"
        << "PrgP"
        << ""
        << "C:\\mis programas\\a=b\\";
    QTest::newRow("matching quotes dropped") << QByteArray("[Set]\r\nX=\" a \"\r\n") << "Set"
                                             << "X"
                                             << ""
                                             << " a ";
    QTest::newRow("Windows-1252 text") << QByteArray("[Set]\r\nPrgP=/home/pe\xf1"
                                                     "a/\x80\r\n")
                                       << "Set"
                                       << "PrgP"
                                       << ""
                                       << "/home/pe\u00f1a/\u20ac";
    QTest::newRow("first of duplicate keys") << QByteArray("[Set]\r\nID=1\r\nid=2\r\n") << "Set"
                                             << "ID"
                                             << ""
                                             << "1";
}

void TestOrvProfile::getIniReads()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    writeFile(file);
    QCOMPARE(m_lib->GetIni(section, key, defaultValue), expected);
}

void TestOrvProfile::getIniWithoutFileGivesDefault()
{
    QCOMPARE(m_lib->GetIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")),
             QStringLiteral("1"));
    QVERIFY(!QFile::exists(m_file));
}

void TestOrvProfile::getIniWithoutIniFileGivesDefault()
{
    auto fresh = OrvLib::create(nullptr);
    QVERIFY(fresh);
    QCOMPARE(fresh->GetIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")),
             QStringLiteral("1"));
}

void TestOrvProfile::getIniCutsAt254()
{
    const QByteArray longValue(300, 'x');
    writeFile("[Set]\r\nPrgP=" + longValue + "\r\n");
    QCOMPARE(m_lib->GetIni(QStringLiteral("Set"), QStringLiteral("PrgP"), QString()), QString(254, u'x'));
}

void TestOrvProfile::putIniCreatesFileAndSection()
{
    QVERIFY(m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")));
    QVERIFY(m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("COM"), QStringLiteral("6")));
    QCOMPARE(readFile(), QByteArray("[Set]\r\nID=1\r\nCOM=6\r\n"));
    QCOMPARE(m_lib->GetIni(QStringLiteral("Set"), QStringLiteral("COM"), QStringLiteral("2")),
             QStringLiteral("6"));
}

void TestOrvProfile::putIniKeepsOtherLines()
{
    writeFile("; comment\n[Other]\nA = 1\n  weird line\n\n[Set]\nCOM=2\n\n[Last]\nB=2");
    QVERIFY(m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("COM"), QStringLiteral("5")));
    QVERIFY(m_lib->PutIni(QStringLiteral("New"), QStringLiteral("K"), QStringLiteral("v")));
    QCOMPARE(readFile(),
             QByteArray("; comment\r\n[Other]\r\nA = 1\r\n  weird line\r\n\r\n[Set]\r\nCOM=5\r\n\r\n"
                        "[Last]\r\nB=2\r\n[New]\r\nK=v\r\n"));
}

void TestOrvProfile::putIniReplacesRegardlessOfCase()
{
    writeFile("[SET]\r\n  Com = 2  \r\n");
    QVERIFY(m_lib->PutIni(QStringLiteral("set"), QStringLiteral("COM"), QStringLiteral("4")));
    // one line for the key, spelt as in the file
    QCOMPARE(readFile(), QByteArray("[SET]\r\nCom=4\r\n"));
}

void TestOrvProfile::putIniAddsKeyToExistingSection()
{
    writeFile("[Set]\r\nID=1\r\n\r\n[Other]\r\nX=1\r\n");
    QVERIFY(m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("COM"), QStringLiteral("3")));
    QCOMPARE(readFile(), QByteArray("[Set]\r\nID=1\r\nCOM=3\r\n\r\n[Other]\r\nX=1\r\n"));
}

void TestOrvProfile::putIniRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number") << "12632256"
                            << "12632256";
    QTest::newRow("word") << "True"
                          << "True";
    QTest::newRow("path with backslashes") << "C:\\prg\\"
                                           << "C:\\prg\\";
    QTest::newRow("path with blanks inside") << "/home/u/mis programas/"
                                             << "/home/u/mis programas/";
    QTest::newRow("Spanish letters") << "/home/pe\u00f1a/a\u00f1o/"
                                     << "/home/pe\u00f1a/a\u00f1o/";
    QTest::newRow("blanks around are not kept") << "  7 "
                                                << "7";
}

void TestOrvProfile::putIniRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QVERIFY(m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("PrgP"), value));
    auto reader = OrvLib::create(nullptr);
    QVERIFY(reader);
    reader->setIniFile(m_file);
    QCOMPARE(reader->GetIni(QStringLiteral("Set"), QStringLiteral("PrgP"), QStringLiteral("-")), expected);
}

void TestOrvProfile::putIniWritesCp1252()
{
    QVERIFY(
        m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("PrgP"), QStringLiteral("/pe\u00f1a/\u20ac")));
    QCOMPARE(readFile(), QByteArray("[Set]\r\nPrgP=/pe\xf1"
                                    "a/\x80\r\n"));
}

void TestOrvProfile::putIniRejectsLineBreaks_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("value with a new line") << "Set"
                                           << "ID"
                                           << "1\r\n[Evil]\r\nX=1";
    QTest::newRow("value with LF") << "Set"
                                   << "ID"
                                   << "1\nX=1";
    QTest::newRow("key with equals") << "Set"
                                     << "A=B"
                                     << "1";
    QTest::newRow("empty key") << "Set"
                               << ""
                               << "1";
    QTest::newRow("section with bracket") << "S]et"
                                          << "ID"
                                          << "1";
}

void TestOrvProfile::putIniRejectsLineBreaks()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    writeFile("[Set]\r\nID=2\r\n");
    QVERIFY(!m_lib->PutIni(section, key, value));
    QCOMPARE(readFile(), QByteArray("[Set]\r\nID=2\r\n"));
}

void TestOrvProfile::putIniFailureReachesCaller()
{
    m_lib->setIniFile(m_dir->filePath(QStringLiteral("no/such/folder/dmk38.ini")));
    QVERIFY(!m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")));
    m_lib->setIniFile(QString());
    QVERIFY(!m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")));
    // a folder in place of the file
    m_lib->setIniFile(m_dir->path());
    QVERIFY(!m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")));
}

QTEST_GUILESS_MAIN(TestOrvProfile)
#include "tst_orvprofile.moc"
