#include "OrvLibClient.h"
#include "Settings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The window's own values before the settings are loaded: COM6 selected, run option 0.
EditorSettings windowStart()
{
    EditorSettings s;
    s.com = 6;
    return s;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// key=value lines of one section, in file order
QList<QPair<QString, QString>> section(const QByteArray& file, const QString& name)
{
    QList<QPair<QString, QString>> entries;
    bool inside = false;
    for (QString line : QString::fromLatin1(file).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inside = line.compare(QLatin1Char('[') + name + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
            continue;
        }
        const auto eq = line.indexOf(QLatin1Char('='));
        if (inside && eq > 0)
            entries.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return entries;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<OrvLib> m_lib;
    QTemporaryDir m_dir;
    QString m_appPath;

    QString iniPath() const { return m_appPath + QStringLiteral("dmk38.ini"); }

private slots:
    void initTestCase()
    {
        QString error;
        m_lib = OrvLib::create(&error);
        QVERIFY2(m_lib, qPrintable(error));
        QVERIFY(m_dir.isValid());
        m_appPath = m_dir.path() + QLatin1Char('/');
    }
    void init() { QFile::remove(iniPath()); }

    void noFileGivesDefaults()
    {
        EditorSettings s = windowStart();
        s.plcId = 9;
        s.autoIndent = false;
        s.runMode = 2;
        s.foreColor = Qt::red;
        s.backColor = Qt::white;
        loadSettings(*m_lib, m_appPath, s);
        QCOMPARE(s.plcId, 1);
        QCOMPARE(s.com, 2);
        QCOMPARE(s.foreColor, QColor(192, 192, 192));
        QCOMPARE(s.backColor, QColor(0, 0, 0));
        QVERIFY(s.autoIndent);
        QCOMPARE(s.runMode, 0);
        QCOMPARE(s.programFolder, m_appPath);
        QVERIFY2(!QFile::exists(iniPath()), "reading must not create the file");
    }

    void roundTrip()
    {
        EditorSettings out = windowStart();
        out.plcId = 23;
        out.com = 6;
        out.foreColor = QColor(255, 255, 0);
        out.backColor = QColor(0, 0, 128);
        out.autoIndent = true;
        out.runMode = 2;
        out.programFolder = QStringLiteral("/home/plc/programas/");
        saveSettings(*m_lib, m_appPath, out);

        // a second start reads back what the first one left
        EditorSettings in = windowStart();
        in.com = 1;
        loadSettings(*m_lib, m_appPath, in);
        QCOMPARE(in.plcId, 23);
        QCOMPARE(in.com, 6);
        QCOMPARE(in.foreColor, QColor(255, 255, 0));
        QCOMPARE(in.backColor, QColor(0, 0, 128));
        QVERIFY(in.autoIndent);
        QCOMPARE(in.runMode, 2);
        QCOMPARE(in.programFolder, out.programFolder);
    }

    void writeOrderAndValues()
    {
        EditorSettings s = windowStart();
        s.plcId = 4;
        s.com = 3;
        s.foreColor = QColor(255, 0, 0);
        s.backColor = QColor(0, 0, 128);
        s.autoIndent = false;
        s.runMode = 1;
        s.programFolder = m_appPath;
        saveSettings(*m_lib, m_appPath, s);
        const QList<QPair<QString, QString>> expected = {
            {"ID", "4"},        {"COM", "3"}, {"FCol", "255"},     {"BCol", "8388608"},
            {"AIdnt", "False"}, {"Rst", "1"}, {"PrgP", m_appPath},
        };
        QCOMPARE(section(readAll(iniPath()), QStringLiteral("Set")), expected);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        // COM and the run option: valid and out-of-range values
        QTest::newRow("COM 6") << QByteArray("[Set]\r\nCOM=6\r\n") << "com" << QVariant(6);
        QTest::newRow("COM 1") << QByteArray("[Set]\r\nCOM=1\r\n") << "com" << QVariant(1);
        QTest::newRow("COM 7 keeps COM6") << QByteArray("[Set]\r\nCOM=7\r\n") << "com" << QVariant(6);
        QTest::newRow("COM 0 keeps COM6") << QByteArray("[Set]\r\nCOM=0\r\n") << "com" << QVariant(6);
        QTest::newRow("COM text keeps COM6") << QByteArray("[Set]\r\nCOM=COM2\r\n") << "com" << QVariant(6);
        QTest::newRow("Rst 2") << QByteArray("[Set]\r\nRst=2\r\n") << "runMode" << QVariant(2);
        QTest::newRow("Rst 5 marks none") << QByteArray("[Set]\r\nRst=5\r\n") << "runMode" << QVariant(-1);
        QTest::newRow("Rst -1 marks none") << QByteArray("[Set]\r\nRst=-1\r\n") << "runMode" << QVariant(-1);
        QTest::newRow("Rst text keeps") << QByteArray("[Set]\r\nRst=x\r\n") << "runMode" << QVariant(1);
        // AIdnt: words in any case or numbers
        QTest::newRow("AIdnt 0") << QByteArray("[Set]\r\nAIdnt=0\r\n") << "autoIndent" << QVariant(false);
        QTest::newRow("AIdnt -1") << QByteArray("[Set]\r\nAIdnt=-1\r\n") << "autoIndent" << QVariant(true);
        QTest::newRow("AIdnt 2") << QByteArray("[Set]\r\nAIdnt=2\r\n") << "autoIndent" << QVariant(true);
        QTest::newRow("AIdnt 0.4 is not 0")
            << QByteArray("[Set]\r\nAIdnt=0.4\r\n") << "autoIndent" << QVariant(true);
        QTest::newRow("AIdnt FALSE") << QByteArray("[Set]\r\nAIdnt=FALSE\r\n") << "autoIndent"
                                     << QVariant(false);
        QTest::newRow("AIdnt tRuE") << QByteArray("[Set]\r\nAIdnt=tRuE\r\n") << "autoIndent"
                                    << QVariant(true);
        QTest::newRow("AIdnt yes keeps")
            << QByteArray("[Set]\r\nAIdnt=yes\r\n") << "autoIndent" << QVariant(false);
        // colours are 0x00BBGGRR
        QTest::newRow("FCol 255 red")
            << QByteArray("[Set]\r\nFCol=255\r\n") << "fore" << QVariant(QColor(255, 0, 0));
        QTest::newRow("FCol 65280 green")
            << QByteArray("[Set]\r\nFCol=65280\r\n") << "fore" << QVariant(QColor(0, 255, 0));
        QTest::newRow("BCol 8388608 dark blue")
            << QByteArray("[Set]\r\nBCol=8388608\r\n") << "back" << QVariant(QColor(0, 0, 128));
        QTest::newRow("FCol text keeps")
            << QByteArray("[Set]\r\nFCol=red\r\n") << "fore" << QVariant(QColor(Qt::red));
        QTest::newRow("FCol negative keeps")
            << QByteArray("[Set]\r\nFCol=-5\r\n") << "fore" << QVariant(QColor(Qt::red));
        QTest::newRow("FCol system colour keeps")
            << QByteArray("[Set]\r\nFCol=2147483656\r\n") << "fore" << QVariant(QColor(Qt::red));
        // ID is a 16-bit integer
        QTest::newRow("ID 300") << QByteArray("[Set]\r\nID=300\r\n") << "plcId" << QVariant(300);
        QTest::newRow("ID text keeps") << QByteArray("[Set]\r\nID=uno\r\n") << "plcId" << QVariant(7);
        QTest::newRow("ID too big keeps") << QByteArray("[Set]\r\nID=70000\r\n") << "plcId" << QVariant(7);
        // the keys live in section Set only, and a missing section is a missing file
        QTest::newRow("other section ignored") << QByteArray("[Otro]\r\nCOM=4\r\n") << "com" << QVariant(2);
        QTest::newRow("PrgP") << QByteArray("[Set]\r\nPrgP=/datos/prg/\r\n") << "folder"
                              << QVariant("/datos/prg/");
    }
    void load()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        QVERIFY(writeAll(iniPath(), ini));
        EditorSettings s = windowStart();
        // values the file must leave alone when it cannot be converted
        s.plcId = 7;
        s.runMode = 1;
        s.autoIndent = false;
        s.foreColor = Qt::red;
        loadSettings(*m_lib, m_appPath, s);
        if (field == QLatin1String("com"))
            QCOMPARE(s.com, expected.toInt());
        else if (field == QLatin1String("runMode"))
            QCOMPARE(s.runMode, expected.toInt());
        else if (field == QLatin1String("autoIndent"))
            QCOMPARE(s.autoIndent, expected.toBool());
        else if (field == QLatin1String("fore"))
            QCOMPARE(s.foreColor, expected.value<QColor>());
        else if (field == QLatin1String("back"))
            QCOMPARE(s.backColor, expected.value<QColor>());
        else if (field == QLatin1String("plcId"))
            QCOMPARE(s.plcId, expected.toInt());
        else if (field == QLatin1String("folder"))
            QCOMPARE(s.programFolder, expected.toString());
        else
            QFAIL("unknown field");
    }

    void autoIndentOffWritesFalse()
    {
        QVERIFY(writeAll(iniPath(), "[Set]\r\nAIdnt=0\r\n"));
        EditorSettings s = windowStart();
        loadSettings(*m_lib, m_appPath, s);
        QVERIFY(!s.autoIndent);
        saveSettings(*m_lib, m_appPath, s);
        bool found = false;
        for (const auto& [key, value] : section(readAll(iniPath()), QStringLiteral("Set")))
            if (key == QLatin1String("AIdnt")) {
                QCOMPARE(value, QStringLiteral("False"));
                found = true;
            }
        QVERIFY(found);
        EditorSettings again = windowStart();
        loadSettings(*m_lib, m_appPath, again);
        QVERIFY(!again.autoIndent);
    }

    void noRunOptionSurvivesARestart()
    {
        QVERIFY(writeAll(iniPath(), "[Set]\r\nRst=5\r\n"));
        EditorSettings s = windowStart();
        loadSettings(*m_lib, m_appPath, s);
        QCOMPARE(s.runMode, -1);
        saveSettings(*m_lib, m_appPath, s);
        EditorSettings again = windowStart();
        loadSettings(*m_lib, m_appPath, again);
        QCOMPARE(again.runMode, -1);
    }

    void otherSectionsAndKeysKept()
    {
        QVERIFY(writeAll(iniPath(),
                         "[Ladder]\r\nRuta=C:\\ladder\\\r\n[Set]\r\nID=3\r\nExtra=z\r\n[Fin]\r\nk=v\r\n"));
        EditorSettings s = windowStart();
        loadSettings(*m_lib, m_appPath, s);
        QCOMPARE(s.plcId, 3);
        s.plcId = 12;
        saveSettings(*m_lib, m_appPath, s);
        const QByteArray file = readAll(iniPath());
        QCOMPARE(section(file, QStringLiteral("Ladder")),
                 (QList<QPair<QString, QString>>{{"Ruta", "C:\\ladder\\"}}));
        QCOMPARE(section(file, QStringLiteral("Fin")), (QList<QPair<QString, QString>>{{"k", "v"}}));
        const auto set = section(file, QStringLiteral("Set"));
        QVERIFY(set.contains(qMakePair(QStringLiteral("Extra"), QStringLiteral("z"))));
        QVERIFY(set.contains(qMakePair(QStringLiteral("ID"), QStringLiteral("12"))));
        QCOMPARE(set.count(qMakePair(QStringLiteral("ID"), QStringLiteral("12"))), 1);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
