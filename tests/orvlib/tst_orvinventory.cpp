// The rest of OrvLibCls and the objects it hands out, called through the component
// interface of the built library.

#include "OrvCom.h"
#include "OrvLibClient.h"
#include "OrvLibObjects.h"
#include "OrvWin.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <cmath>

namespace {

// An OrvBstr argument built from a QString for one call.
struct Str
{
    explicit Str(const QString& s)
        : p(orvAllocString(reinterpret_cast<const char16_t*>(s.utf16()), uint32_t(s.size())))
    {
    }
    ~Str() { orvFreeString(p); }
    Str(const Str&) = delete;
    Str& operator=(const Str&) = delete;
    OrvBstr p;
};

QString take(OrvBstr s)
{
    const QString text =
        s ? QString(reinterpret_cast<const QChar*>(s), qsizetype(orvStringLen(s))) : QString();
    orvFreeString(s);
    return text;
}

QString bytes(std::initializer_list<int> values)
{
    QString text;
    for (int v : values)
        text += QChar(char16_t(v));
    return text;
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <class I> I* objectFrom(IOrvUnknown* unknown, const OrvGuid& iid)
{
    void* typed = nullptr;
    if (!unknown || unknown->QueryInterface(iid, &typed) != ORV_S_OK)
        return nullptr;
    unknown->Release();
    return static_cast<I*>(typed);
}

} // namespace

class TestOrvInventory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void copyFile();
    void eraseFileMovesToTrash();
    void dirExists_data();
    void dirExists();
    void getExt_data();
    void getExt();
    void byteStrings();
    void byteStringTooShort();
    void enCriptDeCript();
    void notSupported();
    void selAllTextRoutesToControl();
    void internetLinkRunsOpenerWithoutShell();
    void convertNum();
    void tiempos_data();
    void tiempos();
    void tiemposRejectsBadTimes();
    void localInfo();
    void carpetas();
    void winInf();

private:
    IOrvLibCls* lib() const { return m_lib->raw(); }
    std::unique_ptr<OrvLib> m_lib;
};

void TestOrvInventory::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("ORVLIB_REGISTRY"))
        qputenv("ORVLIB_REGISTRY", WMK38_BUILD_DIR "/orvlib.reg");
    QString error;
    m_lib = OrvLib::create(&error);
    QVERIFY2(m_lib, qPrintable(error));
}

void TestOrvInventory::copyFile()
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("a.obj"));
    const QString to = dir.filePath(QStringLiteral("b.obj"));
    QByteArray data;
    for (int i = 0; i < 70000; ++i)
        data += char(i * 7);
    writeFile(from, data);
    writeFile(to, "an older and longer file than the copy will leave behind .......");
    OrvBool ok = ORV_FALSE;
    QCOMPARE(lib()->CopyFile(Str(from).p, Str(to).p, &ok), ORV_S_OK);
    QCOMPARE(ok, ORV_TRUE);
    QCOMPARE(readFile(to), data);
    QCOMPARE(lib()->CopyFile(Str(dir.filePath(QStringLiteral("none"))).p, Str(to).p, &ok), ORV_S_OK);
    QCOMPARE(ok, ORV_FALSE);
    QCOMPARE(lib()->CopyFile(Str(dir.path()).p, Str(to).p, &ok), ORV_S_OK);
    QCOMPARE(ok, ORV_FALSE);
    QCOMPARE(lib()->CopyFile(Str(from).p, Str(dir.filePath(QStringLiteral("no/where.obj"))).p, &ok),
             ORV_S_OK);
    QCOMPARE(ok, ORV_FALSE);
    QCOMPARE(readFile(to), data);
}

void TestOrvInventory::eraseFileMovesToTrash()
{
    // home and data folder in one temporary folder: the file is then on the home's disk and
    // goes to the home trash, whatever disks the machine has
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("share")).toUtf8());
    const QString file = home.filePath(QStringLiteral("work/old.prg"));
    QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("work"))));
    writeFile(file, "ld e1\r\n");
    const OrvResult erased = lib()->EraseFile(Str(file).p);
    const OrvResult missing = lib()->EraseFile(Str(file).p);
    // a second file of the same name takes a name of its own in the trash
    writeFile(file, "ld e2\r\n");
    const OrvResult second = lib()->EraseFile(Str(file).p);
    qputenv("HOME", savedHome);
    qputenv("XDG_DATA_HOME", savedData);
    if (savedData.isNull())
        qunsetenv("XDG_DATA_HOME");
    QCOMPARE(erased, ORV_S_OK);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(readFile(home.filePath(QStringLiteral("share/Trash/files/old.prg"))), QByteArray("ld e1\r\n"));
    const QByteArray info = readFile(home.filePath(QStringLiteral("share/Trash/info/old.prg.trashinfo")));
    QVERIFY2(
        info.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(file, "/") + "\nDeletionDate=20"),
        info.constData());
    QCOMPARE(missing, ORV_E_FAIL);
    QCOMPARE(second, ORV_S_OK);
    QCOMPARE(readFile(home.filePath(QStringLiteral("share/Trash/files/old.prg.2"))), QByteArray("ld e2\r\n"));
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("share/Trash/info/old.prg.2.trashinfo"))));
    QCOMPARE(readFile(home.filePath(QStringLiteral("share/Trash/files/old.prg"))), QByteArray("ld e1\r\n"));
}

void TestOrvInventory::dirExists_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("folder") << QString(WMK38_BUILD_DIR) << true;
    QTest::newRow("folder with final slash") << QString(WMK38_BUILD_DIR "/") << true;
    QTest::newRow("file") << QString(WMK38_BUILD_DIR "/orvlib.reg") << false;
    QTest::newRow("missing") << QString(WMK38_BUILD_DIR "/no-such-folder") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestOrvInventory::dirExists()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    OrvBool result = ORV_FALSE;
    QCOMPARE(lib()->DirExists(Str(path).p, &result), ORV_S_OK);
    QCOMPARE(result != ORV_FALSE, expected);
}

void TestOrvInventory::getExt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("simple") << "C:\\prg\\test.prg"
                            << "prg";
    QTest::newRow("last point of the name") << "/a/test.old.obj"
                                            << "obj";
    QTest::newRow("point in a folder only") << "/a.b/test"
                                            << "";
    QTest::newRow("point in a windows folder only") << "C:\\a.b\\test"
                                                    << "";
    QTest::newRow("none") << "test"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestOrvInventory::getExt()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    OrvBstr result = nullptr;
    QCOMPARE(lib()->GetExt(Str(name).p, &result), ORV_S_OK);
    QCOMPARE(take(result), expected);
}

void TestOrvInventory::byteStrings()
{
    OrvBstr s = nullptr;
    QCOMPARE(lib()->MKI(0x1234, &s), ORV_S_OK);
    QCOMPARE(take(s), bytes({0x34, 0x12}));
    QCOMPARE(lib()->MKI(-2, &s), ORV_S_OK);
    QCOMPARE(take(s), bytes({0xFE, 0xFF}));
    QCOMPARE(lib()->MKL(0x01020304, &s), ORV_S_OK);
    QCOMPARE(take(s), bytes({4, 3, 2, 1}));
    QCOMPARE(lib()->MKS(1.0f, &s), ORV_S_OK);
    QCOMPARE(take(s), bytes({0, 0, 0x80, 0x3F}));
    QCOMPARE(lib()->MKD(-2.0, &s), ORV_S_OK);
    QCOMPARE(take(s), bytes({0, 0, 0, 0, 0, 0, 0, 0xC0}));

    int16_t i = 0;
    QCOMPARE(lib()->CVI(Str(bytes({0xFE, 0xFF, 0x55})).p, &i), ORV_S_OK);
    QCOMPARE(i, int16_t(-2));
    int32_t l = 0;
    QCOMPARE(lib()->CVL(Str(bytes({0, 0, 0, 0x80})).p, &l), ORV_S_OK);
    QCOMPARE(l, INT32_MIN);
    float f = 0;
    QCOMPARE(lib()->CVS(Str(bytes({0, 0, 0x20, 0x41})).p, &f), ORV_S_OK);
    QCOMPARE(f, 10.0f);
    double d = 0;
    QCOMPARE(lib()->MKD(3.25, &s), ORV_S_OK);
    QCOMPARE(lib()->CVD(s, &d), ORV_S_OK);
    orvFreeString(s);
    QCOMPARE(d, 3.25);
}

void TestOrvInventory::byteStringTooShort()
{
    int16_t i = 7;
    QCOMPARE(lib()->CVI(Str(bytes({1})).p, &i), ORV_E_INVALIDARG);
    int32_t l = 0;
    QCOMPARE(lib()->CVL(nullptr, &l), ORV_E_INVALIDARG);
    double d = 0;
    QCOMPARE(lib()->CVD(Str(bytes({1, 2, 3, 4, 5, 6, 7})).p, &d), ORV_E_INVALIDARG);
}

void TestOrvInventory::enCriptDeCript()
{
    const QString text = QStringLiteral("Clave \u00f1 \u20ac\u00ff");
    OrvBstr scrambled = nullptr;
    QCOMPARE(lib()->EnCript(Str(text).p, 17, &scrambled), ORV_S_OK);
    QVERIFY(orvStringLen(scrambled) == uint32_t(text.size()));
    QVERIFY(QString(reinterpret_cast<const QChar*>(scrambled), text.size()) != text);
    OrvBstr plain = nullptr;
    QCOMPARE(lib()->DeCript(scrambled, 17, &plain), ORV_S_OK);
    orvFreeString(scrambled);
    QCOMPARE(take(plain), text);
}

void TestOrvInventory::notSupported()
{
    OrvBstr s = reinterpret_cast<OrvBstr>(1);
    QCOMPARE(lib()->DOSPath(Str(QStringLiteral("/tmp")).p, &s), ORV_E_NOTSUPPORTED);
    QVERIFY(!s);
    IOrvUnknown* object = reinterpret_cast<IOrvUnknown*>(1);
    QCOMPARE(lib()->Tsk(&object), ORV_E_NOTSUPPORTED);
    QVERIFY(!object);
    QCOMPARE(lib()->Ping(&object), ORV_E_NOTSUPPORTED);
    QCOMPARE(lib()->IP(&object), ORV_E_NOTSUPPORTED);
    QCOMPARE(lib()->GetIconFromFile(nullptr, 0, ORV_TRUE, &object), ORV_E_NOTSUPPORTED);
    OrvBool b = ORV_TRUE;
    QCOMPARE(lib()->WindowExist(Str(QStringLiteral("WMK38")).p, &b), ORV_E_NOTSUPPORTED);
    QCOMPARE(b, ORV_FALSE);
    QCOMPARE(lib()->BringToFront(nullptr), ORV_E_NOTSUPPORTED);
    QCOMPARE(lib()->CreateNewKey(0, nullptr), ORV_E_NOTSUPPORTED);
    QCOMPARE(lib()->QueryValue(0, nullptr, nullptr, &s), ORV_E_NOTSUPPORTED);
    QCOMPARE(lib()->SetComboHeight(1, 200), ORV_E_NOTSUPPORTED);
}

namespace {
struct Recorder
{
    uint32_t message = 0;
    intptr_t w = 0;
    intptr_t l = 0;
    static intptr_t proc(void* context, uint32_t message, intptr_t w, intptr_t l)
    {
        auto* self = static_cast<Recorder*>(context);
        *self = Recorder{message, w, l};
        return 0;
    }
};
} // namespace

void TestOrvInventory::selAllTextRoutesToControl()
{
    Recorder control;
    const int32_t handle = OrvRegisterWindow(&Recorder::proc, &control);
    QCOMPARE(lib()->SelAllText(handle), ORV_S_OK);
    OrvUnregisterWindow(handle);
    // EM_SETSEL from the first character to the end
    QCOMPARE(control.message, 177u);
    QCOMPARE(control.w, intptr_t(0));
    QCOMPARE(control.l, intptr_t(-1));
}

void TestOrvInventory::internetLinkRunsOpenerWithoutShell()
{
    // in the build folder: /tmp may forbid running programs
    QTemporaryDir dir(QStringLiteral(WMK38_BUILD_DIR "/tst_orvopener-XXXXXX"));
    QVERIFY(dir.isValid());
    const QString log = dir.filePath(QStringLiteral("args"));
    const QString opener = dir.filePath(QStringLiteral("xdg-open"));
    writeFile(opener, QStringLiteral("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                          .arg(log)
                          .toUtf8());
    QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8() + ':' + savedPath);
    const QString marker = dir.filePath(QStringLiteral("pwned"));
    m_lib->InternetLink(QStringLiteral("  http://example.org/a b;touch %1 $(touch %1)  ").arg(marker));
    QTRY_VERIFY(QFile::exists(log));
    const QByteArray args = readFile(log);
    QFile::remove(log);
    m_lib->InternetLink(QStringLiteral("--help"));
    QTest::qWait(300);
    qputenv("PATH", savedPath);
    QCOMPARE(args, (QStringLiteral("1|http://example.org/a b;touch %1 $(touch %1)|").arg(marker)).toUtf8());
    QVERIFY(!QFile::exists(marker));
    // an option-like url never reaches the opener
    QVERIFY(!QFile::exists(log));
}

void TestOrvInventory::convertNum()
{
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->Cvt(&unknown), ORV_S_OK);
    auto* cvt = objectFrom<IOrvConvertNum>(unknown, IID_IOrvConvertNum);
    QVERIFY(cvt);
    OrvBstr s = nullptr;
    QCOMPARE(cvt->LongToBin(10, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("1010"));
    QCOMPARE(cvt->LongToBin(0, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("0"));
    QCOMPARE(cvt->LongToBin(-1, &s), ORV_S_OK);
    QCOMPARE(take(s), QString(32, u'1'));
    uint8_t b = 0;
    QCOMPARE(cvt->LongToByte(0x11223344, 2, &b), ORV_S_OK);
    QCOMPARE(b, uint8_t(0x22));
    QCOMPARE(cvt->LongToByte(1, 4, &b), ORV_E_INVALIDARG);
    QCOMPARE(cvt->WordToByte(int16_t(0xA1B2), 1, &b), ORV_S_OK);
    QCOMPARE(b, uint8_t(0xA1));
    int16_t w = 0;
    QCOMPARE(cvt->ByteToWord(0x34, 0x92, &w), ORV_S_OK);
    QCOMPARE(w, int16_t(0x9234));
    int32_t l = 0;
    QCOMPARE(cvt->ByteToLong(1, 2, 3, 0x84, &l), ORV_S_OK);
    QCOMPARE(l, int32_t(0x84030201));
    QCOMPARE(cvt->SwapWord(0x12345678, &l), ORV_S_OK);
    QCOMPARE(l, 0x56781234);
    QCOMPARE(cvt->SwapByte(0x1234, &w), ORV_S_OK);
    QCOMPARE(w, int16_t(0x3412));
    QCOMPARE(cvt->IntToUnsignedLong(-1, &l), ORV_S_OK);
    QCOMPARE(l, 65535);
    OrvBool bit = ORV_FALSE;
    QCOMPARE(cvt->TestBit(int32_t(0x80000000), 31, &bit), ORV_S_OK);
    QCOMPARE(bit, ORV_TRUE);
    QCOMPARE(cvt->TestBit(4, 1, &bit), ORV_S_OK);
    QCOMPARE(bit, ORV_FALSE);
    QCOMPARE(cvt->TestBit(4, 32, &bit), ORV_E_INVALIDARG);
    QCOMPARE(cvt->CurrHex(0xABCDEF0123LL, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("ABCDEF0123"));
    QCOMPARE(cvt->CurrBin(5, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("101"));
    int64_t v = 0;
    QCOMPARE(cvt->CurrVal(Str(QStringLiteral("&HFF")).p, &v), ORV_S_OK);
    QCOMPARE(v, 255);
    QCOMPARE(cvt->CurrVal(Str(QStringLiteral("0x7fffffffffffffff")).p, &v), ORV_S_OK);
    QCOMPARE(v, INT64_MAX);
    QCOMPARE(cvt->CurrVal(Str(QStringLiteral("12G")).p, &v), ORV_E_INVALIDARG);
    QCOMPARE(cvt->CurrVal(Str(QStringLiteral("1FFFFFFFFFFFFFFFF")).p, &v), ORV_E_INVALIDARG);
    QCOMPARE(cvt->CurrMod(-7, 3, &v), ORV_S_OK);
    QCOMPARE(v, -1);
    QCOMPARE(cvt->CurrMod(INT64_MIN, -1, &v), ORV_S_OK);
    QCOMPARE(v, 0);
    QCOMPARE(cvt->CurrMod(1, 0, &v), ORV_E_INVALIDARG);
    QCOMPARE(cvt->HexToBin(Str(QStringLiteral("A5")).p, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("10100101"));
    QCOMPARE(cvt->HexToBin(Str(QStringLiteral("")).p, &s), ORV_E_INVALIDARG);
    cvt->Release();
}

void TestOrvInventory::tiempos_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("span");
    QTest::newRow("same day") << "08:15:00"
                              << "09:20:30" << 3930 << "01:05:30";
    QTest::newRow("past midnight") << "23:59:50"
                                   << "00:00:10" << 20 << "00:00:20";
    QTest::newRow("no seconds") << "8:00"
                                << "8:01" << 60 << "00:01:00";
    QTest::newRow("equal") << "12:00:00"
                           << "12:00:00" << 0 << "00:00:00";
}

void TestOrvInventory::tiempos()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, seconds);
    QFETCH(QString, span);
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->tmp(&unknown), ORV_S_OK);
    auto* t = objectFrom<IOrvTiempos>(unknown, IID_IOrvTiempos);
    QVERIFY(t);
    int32_t got = -1;
    QCOMPARE(t->Lapso(Str(start).p, Str(end).p, &got), ORV_S_OK);
    QCOMPARE(got, seconds);
    OrvBstr s = nullptr;
    QCOMPARE(t->LapsoToHs(Str(start).p, Str(end).p, &s), ORV_S_OK);
    QCOMPARE(take(s), span);
    QCOMPARE(t->Horas2Seg(Str(span).p, &got), ORV_S_OK);
    QCOMPARE(got, seconds);
    QCOMPARE(t->Seg2Horas(seconds, &s), ORV_S_OK);
    QCOMPARE(take(s), span);
    t->Release();
}

void TestOrvInventory::tiemposRejectsBadTimes()
{
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->tmp(&unknown), ORV_S_OK);
    auto* t = objectFrom<IOrvTiempos>(unknown, IID_IOrvTiempos);
    QVERIFY(t);
    int32_t got = 0;
    for (const char* bad : {"", "12", "12:60", "12:00:61", "a:b:c", "-1:00:00", "1:2:3:4"})
        QCOMPARE(t->Horas2Seg(Str(QString::fromLatin1(bad)).p, &got), ORV_E_INVALIDARG);
    OrvBstr s = nullptr;
    QCOMPARE(t->Seg2Horas(90061, &s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("25:01:01"));
    t->Release();
}

void TestOrvInventory::localInfo()
{
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->LocalInf(&unknown), ORV_S_OK);
    auto* info = objectFrom<IOrvLocalInfo>(unknown, IID_IOrvLocalInfo);
    QVERIFY(info);
    OrvBstr s = nullptr;
    QCOMPARE(info->SepDec(&s), ORV_S_OK);
    QCOMPARE(take(s), QLocale::system().decimalPoint());
    QCOMPARE(info->GroupDigit(&s), ORV_S_OK);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+(;\\d+)*$")).match(take(s)).hasMatch());
    QCOMPARE(info->Measure(&s), ORV_S_OK);
    const QString measure = take(s);
    QVERIFY(measure == QStringLiteral("0") || measure == QStringLiteral("1"));
    QCOMPARE(info->StrShortDate(&s), ORV_S_OK);
    QCOMPARE(take(s), QLocale::system().dateFormat(QLocale::ShortFormat));
    QCOMPARE(info->DefaultCodePage(&s), ORV_S_OK);
    QVERIFY(!take(s).isEmpty());
    info->Release();
}

void TestOrvInventory::carpetas()
{
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->Folders(&unknown), ORV_S_OK);
    auto* folders = objectFrom<IOrvCarpetas>(unknown, IID_IOrvCarpetas);
    QVERIFY(folders);
    OrvBstr s = nullptr;
    const OrvResult appData = folders->Path(CARPETA_APPDATA, &s);
    const QString appDataPath = take(s);
    const OrvResult startup = folders->Path(CARPETA_STARTUP, &s);
    const QString startupPath = take(s);
    qputenv("XDG_CONFIG_HOME", saved);
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(appData, ORV_S_OK);
    QCOMPARE(appDataPath, config.path());
    QCOMPARE(startup, ORV_S_OK);
    QCOMPARE(startupPath, config.path() + QStringLiteral("/autostart"));
    QCOMPARE(folders->Path(CARPETA_PROFILE, &s), ORV_S_OK);
    QCOMPARE(take(s), QDir::homePath());
    // the system folder (37) has no counterpart here
    s = reinterpret_cast<OrvBstr>(1);
    QCOMPARE(folders->Path(37, &s), ORV_E_NOTSUPPORTED);
    QVERIFY(!s);
    QCOMPARE(folders->About(), ORV_E_NOTSUPPORTED);
    folders->Release();
}

void TestOrvInventory::winInf()
{
    IOrvUnknown* unknown = nullptr;
    QCOMPARE(lib()->WinI(&unknown), ORV_S_OK);
    auto* info = objectFrom<IOrvWinInf>(unknown, IID_IOrvWinInf);
    QVERIFY(info);
    OrvBstr s = nullptr;
    QCOMPARE(info->Plataforma(&s), ORV_S_OK);
    QCOMPARE(take(s), QStringLiteral("Linux"));
    int32_t major = 0;
    int32_t minor = 0;
    QCOMPARE(info->Mayor(&major), ORV_S_OK);
    QCOMPARE(info->Menor(&minor), ORV_S_OK);
    QVERIFY(major > 0);
    QVERIFY(QSysInfo::kernelVersion().startsWith(QStringLiteral("%1.%2.").arg(major).arg(minor)));
    QCOMPARE(info->Version(&s), ORV_S_OK);
    QVERIFY(QSysInfo::kernelVersion().startsWith(take(s)));
    QCOMPARE(info->DosVersion(&s), ORV_E_NOTSUPPORTED);
    info->Release();
}

QTEST_GUILESS_MAIN(TestOrvInventory)
#include "tst_orvinventory.moc"
