// GetIni/PutIni through the component on real profile files, read and written as the
// platform's profile functions do; and the writer they share with the registration store.

#include "OrvRegistry.h"
#include "OrvTest.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class TestOrvProfile : public QObject
{
    Q_OBJECT
    const std::unique_ptr<OrvLib> m_lib = orvtest::create();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;

private slots:
    void initTestCase() { QVERIFY(m_lib); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_file = m_dir->filePath(QStringLiteral("dmk38.ini"));
        m_lib->setIniFile(m_file);
    }

    void getIni_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QByteArray& file, const QString& section,
                            const QString& key, const QString& defaultValue, const QString& expected) {
            QTest::newRow(name) << file << section << key << defaultValue << expected;
        };
        const QByteArray set = "[Set]\r\nID=7\r\nCOM=3\r\n";
        row("CR LF", set, "Set", "COM", "2", "3");
        row("LF only", "[Set]\nID=7\nCOM=3\n", "Set", "COM", "2", "3");
        row("no final line end", "[Set]\r\nCOM=3", "Set", "COM", "2", "3");
        row("letter case", set, "SET", "com", "2", "3");
        row("blanks and tabs around", "  [ Set ]  \r\n  COM \t=  3\t \r\n", " Set", "COM ", "2", "3");
        row("missing key", set, "Set", "FCol", "12632256", "12632256");
        row("missing section", set, "Other", "COM", "2", "2");
        row("key of another section", "[A]\r\nCOM=9\r\n[Set]\r\nID=1\r\n", "Set", "COM", "2", "2");
        row("empty value gives default", "[Set]\r\nCOM=\r\n", "Set", "COM", "2", "2");
        row("empty value and default", "[Set]\r\nCOM=\r\n", "Set", "COM", "", "");
        row("inner blanks and equals", "[Set]\r\nPrgP=C:\\mis prg\\a=b\\\r\n", "Set", "PrgP", "",
            "C:\\mis prg\\a=b\\");
        row("matching quotes dropped", "[Set]\r\nX=\" a \"\r\n", "Set", "X", "", " a ");
        row("one unmatched quote kept", "[Set]\r\nX=\"a b\r\n", "Set", "X", "", "\"a b");
        row("two different quotes kept", "[Set]\r\nX=\"a b'\r\n", "Set", "X", "", "\"a b'");
        row("first of two equal keys", "[Set]\r\nCOM=3\r\ncom=4\r\n", "Set", "COM", "2", "3");
        row("byte-order mark", "\xEF\xBB\xBF[Set]\r\nID=7\r\n", "Set", "ID", "1", "7");
        row("default without trailing blanks", set, "Set", "FCol", " 12  ", " 12");
        row("empty value, default without trailing blanks", "[Set]\r\nCOM=\r\n", "Set", "COM", "2 ", "2");
        row("Windows-1252", "[Set]\r\nPrgP=/a\xf1o/\x80\r\n", "Set", "PrgP", "", "/a\u00f1o/\u20ac");
        row("254 characters at most", "[Set]\r\nP=" + QByteArray(300, 'x'), "Set", "P", "",
            QString(254, u'x'));
        row("no file", QByteArray(), "Set", "ID", "1", "1");
    }

    void getIni()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);
        QVERIFY(file.isNull() || testutil::writeRaw(m_file, file));
        QCOMPARE(m_lib->GetIni(section, key, defaultValue), expected);
        QCOMPARE(QFile::exists(m_file), !file.isNull());
    }

    void putIni_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QByteArray& before, const QString& section,
                            const QString& key, const QString& value, const QByteArray& after) {
            QTest::newRow(name) << before << section << key << value << after;
        };
        const QByteArray set = "[Set]\r\nID=2\r\n";
        row("creates file and section", {}, "Set", "ID", "1", "[Set]\r\nID=1\r\n");
        row("keeps other lines", "; note\n[Other]\nA = 1\n  odd line\n\n[Set]\nCOM=2\n\n[Last]\nB=2", "Set",
            "COM", "5",
            "; note\r\n[Other]\r\nA = 1\r\n  odd line\r\n\r\n[Set]\r\nCOM=5\r\n\r\n[Last]\r\nB=2\r\n");
        row("new section at the end", "[Last]\nB=2", "New", "K", "v", "[Last]\r\nB=2\r\n[New]\r\nK=v\r\n");
        row("replaces whatever the case", "[SET]\r\n  Com = 2  \r\n", "set", "COM", "4",
            "[SET]\r\nCom=4\r\n");
        row("adds above blank separator", "[Set]\r\nID=1\r\n\r\n[B]\r\n", "Set", "COM", "3",
            "[Set]\r\nID=1\r\nCOM=3\r\n\r\n[B]\r\n");
        row("Windows-1252", {}, "Set", "PrgP", "/a\u00f1o/\u20ac", "[Set]\r\nPrgP=/a\xf1o/\x80\r\n");
        row("blanks around the value", set, "Set", "ID", " 7 ", "[Set]\r\nID= 7 \r\n");
        row("byte-order mark kept", "\xEF\xBB\xBF" + set, "Set", "ID", "1", "\xEF\xBB\xBF[Set]\r\nID=1\r\n");
        // null after: refused, the file stays as it was
        row("value with CR LF", set, "Set", "ID", "1\r\n[Evil]\r\nX=1", {});
        row("value with LF", set, "Set", "ID", "1\nX=1", {});
        row("key with equals", set, "Set", "A=B", "1", {});
        row("empty key", set, "Set", "", "1", {});
        row("section with bracket", set, "S]et", "ID", "1", {});
        row("value beyond Windows-1252", set, "Set", "ID", "/home/\u0141\u00f3d\u017a/plc/", {});
        row("key beyond Windows-1252", set, "Set", "\U0001F600", "1", {});
        row("section beyond Windows-1252", set, "\u0141", "ID", "1", {});
    }

    void putIni()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QVERIFY(before.isNull() || testutil::writeRaw(m_file, before));
        QCOMPARE(m_lib->PutIni(section, key, value), !after.isNull());
        QCOMPARE(testutil::readRaw(m_file), after.isNull() ? before : after);
        if (after.isNull())
            return;
        auto reader = OrvLib::create(nullptr);
        reader->setIniFile(m_file);
        QCOMPARE(reader->GetIni(section, key, QStringLiteral("-")), value.trimmed());
    }

    // Only regular files of settings size are read: a pipe or a device neither hangs nor
    // aborts the caller, and nothing is written in their place.
    void specialFiles()
    {
        const QString fifo = m_dir->filePath(QStringLiteral("pipe.ini"));
        const QString device = m_dir->filePath(QStringLiteral("device.ini"));
        const QString large = m_dir->filePath(QStringLiteral("large.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), device));
        QFile file(large);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Set]\r\nID=7\r\n") > 0 &&
                file.resize(17 * 1024 * 1024));
        file.close();
        for (const QString& path : {fifo, device, large}) {
            m_lib->setIniFile(path);
            QCOMPARE(m_lib->GetIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("d")),
                     QStringLiteral("d"));
            QVERIFY2(!m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("1")),
                     qPrintable(path));
        }
        struct stat info
        {
        };
        QVERIFY(::stat(QFile::encodeName(fifo).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
        QVERIFY(QFileInfo(device).isSymLink() && QFileInfo(large).size() == 17 * 1024 * 1024);
    }

    // A write cut short (the file-size limit, which even root cannot pass, stands for a full
    // disk) is reported, and the file keeps its old contents with nothing left beside it.
    void shortWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("store");
        QTest::newRow("settings") << false;
        QTest::newRow("registration store") << true;
    }

    void shortWriteKeepsOldFile()
    {
        QFETCH(bool, store);
        const QString file = store ? m_dir->filePath(QStringLiteral("components.reg")) : m_file;
        const QByteArray old =
            store ? "{AAAAAAAA-0000-0000-0000-000000000000}=/opt/a/libA.so\n" : "[Set]\r\nID=7\r\n";
        QVERIFY(testutil::writeRaw(file, old));
        orvtest::SetEnv at("ORVLIB_REGISTRY", store ? file : qEnvironmentVariable("ORVLIB_REGISTRY"));
        const QString longer(300, u'x');

        const bool written = testutil::withFileSizeLimit(100, [&] {
            return store ? orvreg::registerClass({0xB0B, 0, 0, {}}, "/opt/" + longer.toLatin1() + ".so")
                         : m_lib->PutIni(QStringLiteral("Set"), QStringLiteral("PrgP"), longer);
        });

        QVERIFY(!written);
        QCOMPARE(testutil::readRaw(file), old);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(file).fileName()});
    }

    void putIniFailureReachesCaller()
    {
        // a missing folder, no file set, a folder in place of the file
        for (const QString& path :
             {m_dir->filePath(QStringLiteral("no/dmk38.ini")), QString(), m_dir->path()}) {
            m_lib->setIniFile(path);
            QVERIFY2(!m_lib->PutIni("Set", "ID", "1"), qPrintable(path));
            QCOMPARE(m_lib->GetIni(QStringLiteral("Set"), QStringLiteral("ID"), QStringLiteral("d")),
                     QStringLiteral("d"));
        }
    }
};

QTEST_GUILESS_MAIN(TestOrvProfile)
#include "tst_orvprofile.moc"
