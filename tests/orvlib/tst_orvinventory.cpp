// The OrvLibCls members the editor does not use and the objects they hand out, called through
// the component interface of the built library.

#include "OrvLibObjects.h"
#include "OrvTest.h"
#include "TestUtil.h"

#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrl>

using namespace Qt::StringLiterals;
using orvtest::out;
using orvtest::SetEnv;
using orvtest::Str;

// A byte string, one character per byte (zero bytes included).
template <size_t N> QString bytes(const char (&s)[N])
{
    return QString::fromLatin1(s, N - 1);
}

class TestOrvInventory : public QObject
{
    Q_OBJECT
    const std::unique_ptr<OrvLib> m_lib = orvtest::create();
    IOrvLibCls* lib() const { return m_lib->raw(); }
    // out parameters
    OrvBstr s = nullptr;
    uint8_t b = 0;
    int16_t w = 0;
    int32_t l = 0;
    int64_t v = 0;
    double d = 0;

    template <class I> I* get(OrvResult (IOrvLibCls::*make)(IOrvUnknown**), const OrvGuid& iid)
    {
        IOrvUnknown* unknown = nullptr;
        void* typed = nullptr;
        if ((lib()->*make)(&unknown) == ORV_S_OK) {
            unknown->QueryInterface(iid, &typed);
            unknown->Release();
        }
        return static_cast<I*>(typed);
    }

private slots:
    void initTestCase() { QVERIFY(m_lib); }

    void copyFileKeepsOldTargetOnFailure()
    {
        QTemporaryDir dir;
        const QString from = dir.filePath(u"a.obj"_s), to = dir.filePath(u"b.obj"_s);
        QByteArray data(70000, 0); // more than one buffer
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i * 7);
        QVERIFY(testutil::writeRaw(from, data) && testutil::writeRaw(to, "an older, longer file ..."));
        QCOMPARE(out(lib()->CopyFile(Str(from).p, Str(to).p, &l), l), u"-1"_s);
        QCOMPARE(testutil::readRaw(to), data);
        // a source that fails while being read, a missing or folder source, an unwritable target
        for (const auto& [source, target] : {std::pair{u"/proc/self/mem"_s, to},
                                             {dir.filePath(u"none"_s), to},
                                             {dir.path(), to},
                                             {from, dir.filePath(u"no/where"_s)}})
            QCOMPARE(out(lib()->CopyFile(Str(source).p, Str(target).p, &l), l), u"0"_s);
        QCOMPARE(testutil::readRaw(to), data);
    }

    void eraseFileMovesToHomeTrash()
    {
        // home and data folder in one temporary folder, the trash not made yet
        QTemporaryDir home;
        SetEnv homeAt("HOME", home.path()), dataAt("XDG_DATA_HOME", home.filePath(u"share"_s));
        const QString file = home.filePath(u"old.prg"_s), trash = home.filePath(u"share/Trash/"_s);
        for (const QByteArray& text : {QByteArray("ld e1\r\n"), QByteArray("ld e2\r\n")}) {
            QVERIFY(testutil::writeRaw(file, text));
            QCOMPARE(lib()->EraseFile(Str(file).p), ORV_S_OK);
            QVERIFY(!QFile::exists(file));
        }
        QCOMPARE(lib()->EraseFile(Str(file).p), ORV_E_FAIL);
        // the second file of the same name takes a name of its own
        QCOMPARE(testutil::readRaw(trash + u"files/old.prg"_s), QByteArray("ld e1\r\n"));
        QCOMPARE(testutil::readRaw(trash + u"files/old.prg.2"_s), QByteArray("ld e2\r\n"));
        QVERIFY(QFile::exists(trash + u"info/old.prg.2.trashinfo"_s));
        const QByteArray info = testutil::readRaw(trash + u"info/old.prg.trashinfo"_s);
        QVERIFY2(
            info.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(file, "/") + "\nDeletionDate=20"),
            info.constData());
    }

    void internetLinkRunsOpenerWithoutShell()
    {
        // in the build folder: /tmp may forbid running programs
        QTemporaryDir dir(QStringLiteral(WMK38_BUILD_DIR "/tst_orvopener-XXXXXX"));
        const QString log = dir.filePath(u"args"_s), opener = dir.filePath(u"xdg-open"_s);
        const QString script =
            u"#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '%1.tmp'\nmv '%1.tmp' '%1'\n"_s.arg(log);
        QVERIFY(testutil::writeRaw(opener, script.toUtf8()));
        QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner));
        SetEnv path("PATH", dir.path() + u':' + qEnvironmentVariable("PATH"));
        const QString url = u"http://example.org/a b;touch %1 $(touch %1)"_s.arg(dir.filePath(u"pwned"_s));
        m_lib->InternetLink(u"  "_s + url + u"  "_s);
        QTRY_VERIFY(QFile::exists(log));
        QCOMPARE(testutil::readRaw(log), (u"1|"_s + url + u'|').toUtf8());
        QVERIFY(!QFile::exists(dir.filePath(u"pwned"_s)));
        // an option-like url never reaches the opener
        QFile::remove(log);
        m_lib->InternetLink(u"--help"_s);
        QTest::qWait(300);
        QVERIFY(!QFile::exists(log));
    }

    void otherMembers()
    {
        QCOMPARE(out(lib()->GetExt(Str("C:\\a.b\\test").p, &s), s), u""_s);
        QCOMPARE(out(lib()->GetExt(Str("C:\\a.b\\test.v2.prg").p, &s), s), u"prg"_s);
        QCOMPARE(out(lib()->DirExists(Str(WMK38_BUILD_DIR "/").p, &l), l), u"-1"_s);
        QCOMPARE(out(lib()->DirExists(Str(WMK38_BUILD_DIR "/orvlib.reg").p, &l), l), u"0"_s);
        const QString text = u"Clave \u00f1 \u20ac\u00ff"_s,
                      scrambled = out(lib()->EnCript(Str(text).p, 17, &s), s);
        QVERIFY(scrambled != text && scrambled.size() == text.size());
        QCOMPARE(out(lib()->DeCript(Str(scrambled).p, 17, &s), s), text);
        // byte strings: little-endian whatever the host's order, never read past their end
        QCOMPARE(out(lib()->MKI(-2, &s), s), bytes("\xFE\xFF"));
        QCOMPARE(out(lib()->MKD(-2.0, &s), s), bytes("\0\0\0\0\0\0\0\xC0"));
        QCOMPARE(out(lib()->CVI(Str(bytes("\xFE\xFF\x55")).p, &w), w), u"-2"_s);
        QCOMPARE(out(lib()->CVL(Str(bytes("\1\2\3")).p, &l), l), u"error"_s);
        QCOMPARE(out(lib()->CVD(nullptr, &d), d), u"error"_s);
        // members of the original platform only fail, and clear their out parameters
        s = reinterpret_cast<OrvBstr>(1);
        QCOMPARE(lib()->DOSPath(Str("/tmp").p, &s), ORV_E_NOTSUPPORTED);
        QVERIFY(!s);
    }

    void convertNum()
    {
        auto* c = get<IOrvConvertNum>(&IOrvLibCls::Cvt, IID_IOrvConvertNum);
        QVERIFY(c);
        QCOMPARE(out(c->LongToBin(-1, &s), s), QString(32, u'1'));
        QCOMPARE(out(c->LongToByte(0x11223344, 2, &b), b), QString::number(0x22));
        QCOMPARE(out(c->LongToByte(1, 4, &b), b), u"error"_s);
        QCOMPARE(out(c->TestBit(int32_t(0x80000000), 31, &l), l), u"-1"_s);
        QCOMPARE(out(c->TestBit(4, 32, &l), l), u"error"_s);
        QCOMPARE(out(c->CurrVal(Str("&HFF").p, &v), v), u"255"_s);
        QCOMPARE(out(c->CurrVal(Str("1FFFFFFFFFFFFFFFF").p, &v), v), u"error"_s);
        QCOMPARE(out(c->CurrMod(INT64_MIN, -1, &v), v), u"0"_s);
        QCOMPARE(out(c->CurrMod(1, 0, &v), v), u"error"_s);
        QCOMPARE(out(c->HexToBin(Str("A5").p, &s), s), u"10100101"_s);
        c->Release();
    }

    void tiempos()
    {
        auto* t = get<IOrvTiempos>(&IOrvLibCls::tmp, IID_IOrvTiempos);
        QVERIFY(t);
        QCOMPARE(out(t->Lapso(Str("08:15:00").p, Str("09:20:30").p, &l), l), u"3930"_s);
        QCOMPARE(out(t->LapsoToHs(Str("23:59:50").p, Str("00:00:10").p, &s), s), u"00:00:20"_s);
        QCOMPARE(out(t->Horas2Seg(Str("8:01").p, &l), l), u"28860"_s);
        QCOMPARE(out(t->Seg2Horas(90061, &s), s), u"25:01:01"_s);
        for (const char* bad : {"", "12", "12:60", "12:00:61", "a:b:c", "-1:00:00", "1:2:3:4"})
            QCOMPARE(out(t->Horas2Seg(Str(bad).p, &l), l), u"error"_s);
        t->Release();
    }

    void winInfAndCarpetas()
    {
        auto* win = get<IOrvWinInf>(&IOrvLibCls::WinI, IID_IOrvWinInf);
        QVERIFY(win);
        QVERIFY(QSysInfo::kernelVersion().startsWith(out(win->Mayor(&l), l) + u'.'));
        win->Release();
        QTemporaryDir config;
        SetEnv configAt("XDG_CONFIG_HOME", config.path());
        auto* folders = get<IOrvCarpetas>(&IOrvLibCls::Folders, IID_IOrvCarpetas);
        QVERIFY(folders);
        QCOMPARE(out(folders->Path(CARPETA_STARTUP, &s), s), config.path() + u"/autostart"_s);
        // the system folder (37) has no counterpart here
        QCOMPARE(out(folders->Path(37, &s), s), u"error"_s);
        folders->Release();
    }
};

QTEST_GUILESS_MAIN(TestOrvInventory)
#include "tst_orvinventory.moc"
