// SPDX-License-Identifier: GPL-3.0-or-later
// dmk38.ini on a real disk, read and written through OrvLibCls.
#include "OrvLibClient.h"
#include "Settings.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString describe(const EditorSettings& s)
{
    return QString::asprintf("id=%d com=%d fore=%s back=%s indent=%d rst=%d prgp=%s fast=%d high=%s colours=%d lines=%d "
                             "chart=%d idioma=%s",
                             s.plcId, s.com, qPrintable(s.colors.text.name()), qPrintable(s.colors.background.name()),
                             int(s.autoIndent), s.runMode, qPrintable(s.programFolder), int(s.fastLink),
                             qPrintable(s.colors.mnemonic.name()), int(s.highlight), int(s.lineNumbers),
                             int(s.chartShown), qPrintable(s.language));
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
    const std::unique_ptr<OrvLib> m_lib = OrvLib::create(nullptr);
    QTemporaryDir m_dir;
    QString app() const { return m_dir.path() + u'/'; }
    QString ini() const { return app() + u"dmk38.ini"_s; }
    EditorSettings loaded()
    {
        // values a setting that cannot be converted must leave alone, apart from the defaults
        EditorSettings s{7, 6, {Qt::red, Qt::black, Qt::green}, false, 1, app(), false, {}, false, false, false, {}};
        loadSettings(*m_lib, ini(), s);
        return s;
    }

private slots:
    void initTestCase() { QVERIFY(m_lib); }
    void init() { QFile::remove(ini()); }

    void load_data()
    {
        QTest::addColumn<QByteArray>("lines"); // of section Set, unless they name their own; none: no file
        QTest::addColumn<QString>("fields");   // as describe() shows them
        QTest::newRow("no file: defaults")
            << QByteArray()
            << u"id=1 com=2 fore=#c0c0c0 back=#000000 indent=1 rst=0 prgp=%1 fast=0 high=#ffff00 colours=1 lines=1 chart=1"_s.arg(app());
        QTest::newRow("COM 6") << QByteArray("COM=6") << u"com=6"_s;
        QTest::newRow("COM 7 keeps COM6") << QByteArray("COM=7") << u"com=6"_s;
        QTest::newRow("COM text keeps COM6") << QByteArray("COM=COM2") << u"com=6"_s;
        QTest::newRow("Rst 2") << QByteArray("Rst=2") << u"rst=2"_s;
        QTest::newRow("Rst 5 marks none") << QByteArray("Rst=5") << u"rst=-1"_s;
        QTest::newRow("AIdnt 0.4 is not 0") << QByteArray("AIdnt=0.4") << u"indent=1"_s;
        QTest::newRow("AIdnt tRuE") << QByteArray("AIdnt=tRuE") << u"indent=1"_s;
        QTest::newRow("Grafico False: the chart hidden") << QByteArray("Grafico=False") << u"chart=0"_s;
        // colours are 0x00BBGGRR; anything else leaves the colour alone
        QTest::newRow("FCol 65280 green") << QByteArray("FCol=65280") << u"fore=#00ff00"_s;
        QTest::newRow("BCol 8388608 dark blue") << QByteArray("BCol=8388608") << u"back=#000080"_s;
        QTest::newRow("FCol text keeps") << QByteArray("FCol=red") << u"fore=#ff0000"_s;
        QTest::newRow("FCol system colour keeps") << QByteArray("FCol=2147483656") << u"fore=#ff0000"_s;
        // ID is a 16-bit integer
        QTest::newRow("ID 300") << QByteArray("ID=300") << u"id=300"_s;
        QTest::newRow("ID 70000 keeps") << QByteArray("ID=70000") << u"id=7"_s;
        QTest::newRow("other section ignored") << QByteArray("[Otro]\r\nCOM=4") << u"com=2"_s;
        QTest::newRow("PrgP") << QByteArray("PrgP=/datos/prg/") << u"prgp=/datos/prg/"_s;
        // an older file has no HCol: the mnemonics take a colour that reads on its background
        QTest::newRow("no HCol, white background") << QByteArray("BCol=16777215") << u"high=#000080"_s;
        QTest::newRow("HCol 65535 yellow") << QByteArray("BCol=16777215\r\nHCol=65535") << u"high=#ffff00"_s;
        QTest::newRow("HCol text keeps") << QByteArray("HCol=x") << u"high=#00ff00"_s;
        QTest::newRow("Resaltar False") << QByteArray("Resaltar=False") << u"colours=0 lines=1"_s;
        QTest::newRow("Lineas 0") << QByteArray("Lineas=0") << u"colours=1 lines=0"_s;
        QTest::newRow("Idioma EN") << QByteArray("Idioma= EN ") << u"idioma=en"_s;
    }
    void load()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QString, fields);
        if (!lines.isEmpty())
            QVERIFY(testutil::writeRaw(ini(), (lines.startsWith('[') ? "" : "[Set]\r\n") + lines + "\r\n"));
        const QString shown = describe(loaded());
        QVERIFY2((u' ' + shown + u' ').contains(u' ' + fields + u' '), qPrintable(shown));
        QVERIFY2(!lines.isEmpty() || !QFile::exists(ini()), "reading must not create the file");
    }

    // Every key written, the other keys and sections of the file kept; read back the same.
    void saved()
    {
        QVERIFY(testutil::writeRaw(
            ini(), "[Ladder]\r\nRuta=C:\\ladder\\\r\n[Set]\r\nID=3\r\nExtra=z\r\n[Fin]\r\nk=v\r\n"));
        // Rst -1: none marked, so the next start marks none again
        const EditorSettings out{4,     6, {QColor(255, 0, 0), QColor(0, 0, 128), QColor(0, 255, 255)}, false, -1,
                                 u"/home/plc/programas/"_s, true, {}, false, true, false, u"en"_s};
        QVERIFY(saveSettings(*m_lib, ini(), out));
        QCOMPARE(
            testutil::readRaw(ini()),
            QByteArray("[Ladder]\r\nRuta=C:\\ladder\\\r\n[Set]\r\nID=4\r\nExtra=z\r\nCOM=6\r\nFCol=255\r\n"
                       "BCol=8388608\r\nAIdnt=False\r\nRst=-1\r\nPrgP=/home/plc/programas/\r\nRapido=True\r\n"
                       "HCol=16776960\r\nResaltar=False\r\nLineas=True\r\nGrafico=False\r\nIdioma=en\r\n"
                       "[Fin]\r\nk=v\r\n"));
        QCOMPARE(describe(loaded()), describe(out));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
