// SPDX-License-Identifier: GPL-3.0-or-later
// OrvLib2 as its users meet it: the built library opened by the platform's loader, orvregsvr and the
// registration stores, OrvLibCls created by class identifier as the editor does, GetIni/PutIni on
// real profile files, and two processes updating one file at once (this program as the writers).

#include "OrvCom.h"
#include "OrvLibClient.h"
#include "OrvLibObjects.h"
#include "OrvRegistry.h"
#include "OrvWin.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <dlfcn.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#define CLSID_TEXT "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}"

using namespace Qt::StringLiterals;

namespace {

const QString kLibrary = QString(WMK38_BUILD_DIR "/lib/libOrvLib2.so");

// The store's line for the built library.
QByteArray entry()
{
    return CLSID_TEXT "=" + QFile::encodeName(QFileInfo(kLibrary).canonicalFilePath()) + '\n';
}

// Sets an environment variable while it lives.
struct SetEnv
{
    SetEnv(const char* name, const QString& value) : name(name) { qputenv(name, value.toUtf8()); }
    ~SetEnv() { saved.isNull() ? qunsetenv(name) : qputenv(name, saved); }
    const char* name;
    const QByteArray saved = qgetenv(name);
};

// An OrvBstr argument for one call.
struct Str
{
    explicit Str(const QString& s) : p(orvAllocString(reinterpret_cast<const char16_t*>(s.utf16()), s.size()))
    {
    }
    ~Str() { orvFreeString(p); }
    Str(const Str&) = delete;
    OrvBstr p;
};

// What a member gave back through its out parameter, as text; "error" when it failed.
template <class T> QString out(OrvResult result, const T& value)
{
    return result == ORV_S_OK ? QString::number(value) : u"error"_s;
}

// A stand-in for the editor's text box: records the last request, answers 1000 + its number.
struct Control
{
    uint32_t message = 0;
    intptr_t w = 0, l = 0;
    bool operator==(const Control&) const = default;
    static intptr_t proc(void* context, uint32_t message, intptr_t w, intptr_t l)
    {
        *static_cast<Control*>(context) = Control{message, w, l};
        return 1000 + message;
    }
};

using Call = std::function<QString(IOrvConvertNum*)>;

constexpr int kWrites = 40;

OrvGuid classOf(char writer, int n)
{
    return {0xC0DE0000u + uint32_t(n), 0, 0, {uint8_t(writer)}};
}

// A writer: kWrites updates of the file, each under a name of its own.
int writer(const QByteArray& what, const QString& file, char tag)
{
    std::unique_ptr<OrvLib> lib;
    if (what == "store") {
        qputenv("ORVLIB_REGISTRY", QFile::encodeName(file));
    } else {
        lib = OrvLib::create(nullptr);
        lib->setIniFile(file);
    }
    for (int n = 0; n < kWrites; ++n) {
        const QByteArray name = tag + QByteArray::number(n);
        if (lib ? !lib->PutIni(u"Set"_s, QString::fromLatin1(name), QString::number(n))
                : !orvreg::registerClass(classOf(tag, n), "/opt/lib" + name + ".so"))
            return 1;
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Call)

class TestOrvLib : public QObject
{
    Q_OBJECT
    void* m_handle = nullptr;
    OrvDllGetClassObjectFn m_getClassObject = nullptr;
    OrvDllCanUnloadNowFn m_canUnloadNow = nullptr;
    std::unique_ptr<OrvLib> m_lib; // new for each test
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file; // the profile file, new for each test
    // out parameters
    OrvBstr s = nullptr;
    int32_t l = 0;
    int64_t v = 0;
    double d = 0;

    IOrvLibCls* lib() const { return m_lib->raw(); }

    IOrvClassFactory* factory()
    {
        void* object = nullptr;
        m_getClassObject(&CLSID_OrvLibCls, &IID_IOrvClassFactory, &object);
        return static_cast<IOrvClassFactory*>(object);
    }

private slots:
    void initTestCase()
    {
        // the build registers the fresh library in its own store
        QVERIFY(testutil::readRaw(QString(WMK38_BUILD_DIR "/orvlib.reg")).contains(entry()));
        m_handle = dlopen(QFile::encodeName(kLibrary).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(m_handle, dlerror());
        m_getClassObject = reinterpret_cast<OrvDllGetClassObjectFn>(dlsym(m_handle, "DllGetClassObject"));
        m_canUnloadNow = reinterpret_cast<OrvDllCanUnloadNowFn>(dlsym(m_handle, "DllCanUnloadNow"));
        QVERIFY(m_getClassObject && m_canUnloadNow);
        QCOMPARE(m_canUnloadNow(), ORV_S_OK);
        // the helpers inside, and the Qt code linked in statically, stay hidden
        QVERIFY(!dlsym(m_handle, "_Z15orvCreateLibClsv"));
        QVERIFY(!dlsym(m_handle, "_ZN3isa10fromCp1252E14QByteArrayView"));
    }

    void init()
    {
        QString error;
        m_lib = OrvLib::create(&error); // from the build's store, which ctest names
        QVERIFY2(m_lib, qPrintable(error));
        m_dir = std::make_unique<QTemporaryDir>();
        m_file = m_dir->filePath(u"dmk38.ini"_s);
        m_lib->setIniFile(m_file);
    }

    // The factory refuses other classes and interfaces; references keep the library loaded.
    void factoryAndReferences()
    {
        m_lib.reset(); // the test's own object would keep the library loaded
        const OrvGuid otherClass = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
        void* object = reinterpret_cast<void*>(1);
        QCOMPARE(m_getClassObject(&otherClass, &IID_IOrvClassFactory, &object),
                 ORV_CLASS_E_CLASSNOTAVAILABLE);
        QVERIFY(!object);
        QCOMPARE(m_getClassObject(&CLSID_OrvLibCls, &IID_IOrvClassFactory, nullptr), ORV_E_POINTER);
        IOrvClassFactory* f = factory();
        QVERIFY(f);
        object = reinterpret_cast<void*>(1);
        QCOMPARE(f->CreateInstance(nullptr, otherClass, &object), ORV_E_NOINTERFACE);
        QVERIFY(!object);
        QCOMPARE(f->CreateInstance(f, IID_IOrvLibCls, &object), ORV_CLASS_E_NOAGGREGATION);
        QCOMPARE(f->Release(), 0u);
        QCOMPARE(m_canUnloadNow(), ORV_S_OK);
        // each of factory, server lock, object and an object it handed out keeps the library loaded
        f = factory();
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
        // an unlock without its lock releases nothing: the lock after it still holds
        QCOMPARE(f->LockServer(ORV_FALSE), ORV_S_OK);
        QCOMPARE(f->LockServer(ORV_TRUE), ORV_S_OK);
        f->Release();
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
        f = factory();
        QCOMPARE(f->LockServer(ORV_FALSE), ORV_S_OK);
        void* created = nullptr;
        QCOMPARE(f->CreateInstance(nullptr, IID_IOrvLibCls, &created), ORV_S_OK);
        f->Release();
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
        auto* lib = static_cast<IOrvLibCls*>(created);
        QCOMPARE(lib->AddRef(), 2u);
        QCOMPARE(lib->Release(), 1u);
        IOrvUnknown* child = nullptr;
        QCOMPARE(lib->tmp(&child), ORV_S_OK);
        QCOMPARE(lib->Release(), 0u);
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
        QCOMPARE(child->Release(), 0u);
        QCOMPARE(m_canUnloadNow(), ORV_S_OK);
    }

    // The other lines of the store keep their bytes (CR LF, bytes that are not UTF-8); every line of
    // the class goes, the first one taking the new path.
    void orvregsvr()
    {
        const auto regsvr = [](const QStringList& args) { return testutil::runTool(u"orvregsvr"_s, args); };
        QTemporaryDir dir;
        const QString store = dir.filePath(u"new/components.reg"_s);
        const QByteArray a = "# own notes\r\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/\xff/libA.so\n";
        const QByteArray b = "{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n";
        {
            SetEnv at("ORVLIB_REGISTRY", store);
            QCOMPARE(regsvr({kLibrary}).exitCode, 0);
            QCOMPARE(testutil::readRaw(store), entry());
            QVERIFY(testutil::writeRaw(store,
                                       a + "{1a6bda86-6cce-11db-af2a-000ea66644eb} = /old/libOrvLib2.so\n" +
                                           b + "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=/older/lib.so\n"));
            QCOMPARE(regsvr({kLibrary}).exitCode, 0);
            QCOMPARE(testutil::readRaw(store), a + entry() + b);
            QVERIFY(OrvLib::create(nullptr));
            // a second unregistration finds nothing to remove and is no failure
            for (int twice = 0; twice < 2; ++twice)
                QCOMPARE(regsvr({kLibrary, u"/u"_s}).exitCode, 0);
            QCOMPARE(testutil::readRaw(store), a + b);
            QVERIFY(!OrvLib::create(nullptr));
            const auto missing = regsvr({u"/nowhere/missing.so"_s});
            QCOMPARE(missing.exitCode, 1);
            QVERIFY(missing.err.contains("missing.so"));
            QCOMPARE(regsvr({}).exitCode, 2);
            // a library whose path the store cannot hold exactly is refused, with the reason
            for (const QString& folder : {u"a\\nb"_s, u"se\\361al"_s}) { // as printf writes them
                const auto r =
                    testutil::runShell(u"d=\"$(printf '%1/%2')\" && mkdir \"$d\" && cp '%3' \"$d\" && "
                                       u"orvregsvr \"$d/libOrvLib2.so\""_s.arg(dir.path(), folder, kLibrary));
                QCOMPARE(r.exitCode, 1);
                QVERIFY2(r.err.contains("UTF-8"), r.err);
                QCOMPARE(testutil::readRaw(store), a + b);
            }
        }
        // a store that cannot be written; one that cannot be read (a link to itself) is neither taken
        // as empty nor replaced
        SetEnv at("ORVLIB_REGISTRY", u"/dev/null/components.reg"_s);
        QCOMPARE(regsvr({kLibrary}).exitCode, 1);
        const QString looped = dir.filePath(u"looped.reg"_s);
        QVERIFY(QFile::link(looped, looped));
        SetEnv loopedAt("ORVLIB_REGISTRY", looped);
        for (const QStringList& args : {QStringList{kLibrary}, QStringList{kLibrary, u"/u"_s}}) {
            const auto r = regsvr(args);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains("cannot read") && r.err.contains(looped.toUtf8()), r.err);
            QVERIFY(QFileInfo(looped).isSymLink());
        }
    }

    // An option is never taken for a library's name, even when a library of that name lies in the
    // working folder; "--" lets such a name through.
    void orvregsvrOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out"); // the start of standard output
        QTest::addColumn<QByteArray>("err"); // contained in standard error
        const auto row = [](const char* name, const QStringList& args, int exitCode, const QByteArray& out,
                            const QByteArray& err) { QTest::newRow(name) << args << exitCode << out << err; };
        const QByteArray usage = "Uso / usage: orvregsvr";
        row("--help", {u"--help"_s}, 0, usage, {});
        row("-h", {u"-h"_s}, 0, usage, {});
        row("--version", {u"--version"_s}, 0, "orvregsvr " WMK38_VERSION "\n", {});
        row("unknown option", {u"--hepl"_s}, 2, {}, "unknown option --hepl\n" + usage.left(11));
        row("unknown option after the library", {u"a.so"_s, u"-x"_s}, 2, {}, "unknown option -x\n");
        row("no library", {u"--system"_s}, 2, {}, "no library given");
        row("two libraries", {u"--"_s, u"--help"_s, u"b.so"_s}, 2, {}, "one library only: b.so");
        row("after --", {u"--"_s, u"--help"_s}, 0, "orvregsvr: DllRegisterServer", {});
    }
    void orvregsvrOptions()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(kLibrary, dir.filePath(u"--help"_s)));
        const QString store = dir.filePath(u"components.reg"_s);
        SetEnv at("ORVLIB_REGISTRY", store);
        const auto r = testutil::runTool(u"orvregsvr"_s, args, dir.path());
        QTEST(r.exitCode, "exitCode");
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QVERIFY2(r.out.startsWith(out), r.out.constData());
        QVERIFY2(r.err.contains(err), r.err.constData());
        QCOMPARE(QFile::exists(store), out.startsWith("orvregsvr: DllRegisterServer")); // only a registration
    }

    // The machine's store, read after the user's: orvregsvr --system fills and cleans it, the
    // user's own entry wins, and one that cannot be read is an error that names it.
    void systemStore()
    {
        QTemporaryDir dir;
        const QString machine = dir.filePath(u"xdg/OrvSoftware/components.reg"_s);
        const QString user = dir.filePath(u"home/OrvSoftware/components.reg"_s);
        SetEnv noTestStore("ORVLIB_REGISTRY", QString());
        SetEnv home("XDG_CONFIG_HOME", dir.filePath(u"home"_s));
        SetEnv dirs("XDG_CONFIG_DIRS", dir.filePath(u"none"_s).prepend(dir.filePath(u"xdg:"_s)));
        QCOMPARE(testutil::runTool(u"orvregsvr"_s, {u"--system"_s, kLibrary}).exitCode, 0);
        QCOMPARE(testutil::readRaw(machine), entry());
        QVERIFY(!QFile::exists(user));
        QVERIFY(OrvLib::create(nullptr));
        QVERIFY(QDir().mkpath(QFileInfo(user).path()) &&
                testutil::writeRaw(user, "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=/nowhere/libOrvLib2.so\n"));
        QString error;
        QVERIFY(!OrvLib::create(&error) && error.contains(u"/nowhere/libOrvLib2.so"_s));
        QVERIFY(QFile::remove(user) && QFile::rename(machine, machine + u".kept"_s) &&
                QFile::link(machine, machine));
        QVERIFY(!OrvLib::create(&error));
        QVERIFY2(error.contains(u"no se puede leer el registro "_s + machine), qPrintable(error));
        QVERIFY(QFile::remove(machine) && QFile::rename(machine + u".kept"_s, machine));
        QCOMPARE(testutil::runTool(u"orvregsvr"_s, {u"--system"_s, kLibrary, u"/u"_s}).exitCode, 0);
        QCOMPARE(testutil::readRaw(machine), QByteArray(""));
    }

    void createsByClassIdentifier()
    {
        QString error = u"stale"_s;
        auto other = OrvLib::create(&error);
        QVERIFY(other && error.isEmpty());
        void* object = nullptr;
        QCOMPARE(other->raw()->QueryInterface(IID_IOrvUnknown, &object), ORV_S_OK);
        static_cast<IOrvUnknown*>(object)->Release();
        QCOMPARE(other->raw()->QueryInterface(IID_IOrvClassFactory, &object), ORV_E_NOINTERFACE);
        QVERIFY(!object);
        other->setIniFile(u"/tmp/x/dmk38.ini"_s);
        QCOMPARE(other->IniFile(), u"/tmp/x/dmk38.ini"_s);
        QCOMPARE(m_lib->IniFile(), m_file);
    }

    void creationFailureGivesClearMessage_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QStringList>("fragments");
        QTest::newRow("no entry") << QByteArray("{00000000-1111-2222-3333-444444444444}=/x/libA.so\n")
                                  << QStringList{"no está registrada"};
        QTest::newRow("library missing") << QByteArray(CLSID_TEXT "=/nowhere/libOrvLib2.so\n")
                                         << QStringList{"No se puede cargar", "/nowhere/libOrvLib2.so"};
        QTest::newRow("file is no component")
            << QByteArray(CLSID_TEXT "=" WMK38_BUILD_DIR "/lib/libOrvWin.so\n")
            << QStringList{"no pudo crear", "libOrvWin.so"};
    }

    void creationFailureGivesClearMessage()
    {
        QFETCH(QByteArray, store);
        QFETCH(QStringList, fragments);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"components.reg"_s);
        QVERIFY(testutil::writeRaw(path, store));
        SetEnv at("ORVLIB_REGISTRY", path);
        QString error;
        QVERIFY(!OrvLib::create(&error));
        // every message names the class, the store, the library and how to register it
        for (const QString& fragment :
             fragments + QStringList{CLSID_TEXT, path, "orvregsvr", "libOrvLib2.so"})
            QVERIFY2(error.contains(fragment), qPrintable(error));
    }

    void members_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QString& member, const QString& argument, const QString& expected) {
            QTest::newRow(qPrintable(member + u' ' + argument)) << member << argument << expected;
        };
        row("CutPath", "/home/u\\prg/x\\test.prg", "test.prg");
        row("CutPath", "test.prg", "test.prg");
        row("CutPath", "C:\\prg\\", "");
        row("GetPath", "/home/u\\prg/x\\test.prg", "/home/u\\prg/x\\");
        row("GetPath", "test.prg", "");
        row("CutExt", "test", "test");
        row("CutExt", "test.old.prg", "test");
        row("CutExt", ".hidden", "");
    }

    void members()
    {
        QFETCH(QString, member);
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        const QString got = member == u"CutPath"   ? m_lib->CutPath(argument)
                            : member == u"GetPath" ? m_lib->GetPath(argument)
                                                   : m_lib->CutExt(argument);
        QCOMPARE(got, expected);
    }

    void fileExist()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"a.prg"_s);
        QVERIFY(!m_lib->FileExist(file));
        QVERIFY(testutil::writeRaw(file, "ld e1\r\n"));
        QVERIFY(m_lib->FileExist(file));
        QVERIFY(!m_lib->FileExist(dir.path()));
        QVERIFY(!m_lib->FileExist(dir.path() + u'/'));
        QVERIFY(!m_lib->FileExist(QString()));
        // a named pipe with no writer opens without waiting
        const QString fifo = dir.filePath(u"pipe"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(m_lib->FileExist(fifo));
        if (::geteuid() != 0) {
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
            QVERIFY(!m_lib->FileExist(file));
        }
    }

    void textControlInf()
    {
        Control control, other;
        const int32_t otherHandle = OrvRegisterWindow(&Control::proc, &other);
        const int32_t handle = OrvRegisterWindow(&Control::proc, &control);
        QCOMPARE(m_lib->TextControlInf(handle, 201), 1201);
        // -1: the caret's line
        QVERIFY((control == Control{201, -1, 0}));
        // select all: EM_SETSEL from the first character to the end
        QCOMPARE(m_lib->raw()->SelAllText(handle), ORV_S_OK);
        QVERIFY((control == Control{177, 0, -1}));
        OrvUnregisterWindow(handle);
        QCOMPARE(m_lib->TextControlInf(handle, 186), 0);
        QCOMPARE(control.message, 177u);
        OrvUnregisterWindow(otherHandle);
        QCOMPARE(other.message, 0u);
    }

    // The url reaches the opener as one argument, never through a shell; an option-like one never.
    void internetLinkRunsOpenerWithoutShell()
    {
        // in the build folder: /tmp may forbid running programs
        QTemporaryDir dir(QStringLiteral(WMK38_BUILD_DIR "/tst_orvopener-XXXXXX"));
        const QString log = dir.filePath(u"args"_s), opener = dir.filePath(u"xdg-open"_s);
        // one line a call, appended whole: a later call never hides an earlier one
        const QString script =
            u"#!/bin/sh\n{ printf '%s|' \"$#\" \"$@\"; echo; } > \"%1.$$\"\ncat \"%1.$$\" >> '%1'\n"_s.arg(
                log);
        QVERIFY(testutil::writeRaw(opener, script.toUtf8()) &&
                QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner));
        SetEnv path("PATH", dir.path() + u':' + qEnvironmentVariable("PATH"));
        const QString url = u"http://example.org/a b;touch %1 $(touch %1)"_s.arg(dir.filePath(u"pwned"_s));
        m_lib->InternetLink(u"--help"_s);
        m_lib->InternetLink(u"  "_s + url + u"  "_s);
        QTRY_VERIFY(testutil::readRaw(log).endsWith('\n'));
        QCOMPARE(testutil::readRaw(log), (u"1|"_s + url + u"|\n"_s).toUtf8());
        QVERIFY(!QFile::exists(dir.filePath(u"pwned"_s)));
    }

    // The members the editor never calls, one row each for the fault that would hurt a caller most:
    // reading past an argument's end or through none, a trap on a division, a file lost.
    void inventory_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("expected");
        QTest::newRow("AscZ") << Call([this](auto) { return QString::number(m_lib->AscZ(u"\u20acab"_s)); })
                              << u"172"_s;
        // a copy whose source fails while being read leaves the old target whole
        QTest::newRow("CopyFile") << Call([this](auto) {
            const QString from = m_dir->filePath(u"a.obj"_s), to = m_dir->filePath(u"b.obj"_s);
            const QByteArray data(70000, 'x'); // more than one buffer
            QString got = QString::number(testutil::writeRaw(from, data));
            for (const QString& source :
                 {from, u"/proc/self/mem"_s, m_dir->filePath(u"none"_s), m_dir->path()})
                got += u' ' + out(lib()->CopyFile(Str(source).p, Str(to).p, &l), l);
            got += u' ' + out(lib()->CopyFile(Str(from).p, Str(m_dir->filePath(u"no/where"_s)).p, &l), l);
            return got + (testutil::readRaw(to) == data ? u" kept"_s : u" lost"_s);
        }) << u"1 -1 0 0 0 0 kept"_s;
        // into the home trash, a second file of the same name beside the first, and where it came from
        QTest::newRow("EraseFile") << Call([this](auto) {
            SetEnv home("HOME", m_dir->path()), data("XDG_DATA_HOME", m_dir->filePath(u"share"_s));
            const QString file = m_dir->filePath(u"old.prg"_s), trash = m_dir->filePath(u"share/Trash/"_s);
            QString got;
            for (const char* text : {"1", "2"})
                got += QString::number(testutil::writeRaw(file, text) &&
                                       lib()->EraseFile(Str(file).p) == ORV_S_OK);
            got += QString::number(lib()->EraseFile(Str(file).p) == ORV_S_OK); // nothing left to erase
            const QByteArray info = testutil::readRaw(trash + u"info/old.prg.trashinfo"_s);
            return got + testutil::readRaw(trash + u"files/old.prg.2"_s) +
                   QString::number(info.contains("\nPath=" + QUrl::toPercentEncoding(file, "/") + "\n"));
        }) << u"11021"_s;
        QTest::newRow("CVL, short") << Call([this](auto) {
            return out(lib()->CVL(Str(u"\1\2\3"_s).p, &l), l);
        }) << u"error"_s;
        QTest::newRow("CVD, none") << Call([this](auto) { return out(lib()->CVD(nullptr, &d), d); })
                                   << u"error"_s;
        QTest::newRow("CurrMod, overflow")
            << Call([this](auto c) { return out(c->CurrMod(INT64_MIN, -1, &v), v); }) << u"0"_s;
        QTest::newRow("CurrMod 0") << Call([this](auto c) { return out(c->CurrMod(1, 0, &v), v); })
                                   << u"error"_s;
        // the original platform's members fail, and clear their out parameters
        QTest::newRow("DOSPath") << Call([this](auto) {
            s = reinterpret_cast<OrvBstr>(1);
            return lib()->DOSPath(Str("/tmp").p, &s) == ORV_E_NOTSUPPORTED && !s ? u"error"_s : u"?"_s;
        }) << u"error"_s;
    }
    void inventory()
    {
        QFETCH(Call, call);
        IOrvUnknown* unknown = nullptr;
        void* c = nullptr;
        QVERIFY(lib()->Cvt(&unknown) == ORV_S_OK &&
                unknown->QueryInterface(IID_IOrvConvertNum, &c) == ORV_S_OK);
        unknown->Release();
        QTEST(call(static_cast<IOrvConvertNum*>(c)), "expected");
        static_cast<IOrvConvertNum*>(c)->Release();
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
        row("LF only", "[Set]\nID=7\nCOM=3\n", "Set", "COM", "2", "3");
        row("no final line end", "[Set]\r\nCOM=3", "Set", "COM", "2", "3");
        row("letter case", set, "SET", "com", "2", "3");
        row("blanks and tabs around", "  [ Set ]  \r\n  COM \t=  3\t \r\n", " Set", "COM ", "2", "3");
        row("missing section", set, "Other", "COM", "2", "2");
        row("key of another section", "[A]\r\nCOM=9\r\n[Set]\r\nID=1\r\n", "Set", "COM", "2", "2");
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
        QCOMPARE(m_lib->GetIni(section, key, u"-"_s), value.trimmed());
    }

    // Only regular files of settings size are read or written: a pipe or a device neither hangs nor
    // aborts the caller; nor a missing folder, no file, or a folder: PutIni's failure reaches the caller.
    void unusableFiles()
    {
        const QString fifo = m_dir->filePath(u"pipe.ini"_s);
        const QString device = m_dir->filePath(u"device.ini"_s);
        const QString large = m_dir->filePath(u"large.ini"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(u"/dev/zero"_s, device));
        QFile file(large);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Set]\r\nID=7\r\n") > 0 &&
                file.resize(17 * 1024 * 1024));
        file.close();
        for (const QString& path :
             {fifo, device, large, m_dir->filePath(u"no/dmk38.ini"_s), QString(), m_dir->path()}) {
            m_lib->setIniFile(path);
            QVERIFY2(!m_lib->PutIni(u"Set"_s, u"ID"_s, u"1"_s), qPrintable(path));
            QCOMPARE(m_lib->GetIni(u"Set"_s, u"ID"_s, u"d"_s), u"d"_s);
        }
        struct stat info = {};
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
        const QString file = store ? m_dir->filePath(u"components.reg"_s) : m_file;
        const QByteArray old =
            store ? "{AAAAAAAA-0000-0000-0000-000000000000}=/opt/a/libA.so\n" : "[Set]\r\nID=7\r\n";
        QVERIFY(testutil::writeRaw(file, old));
        SetEnv at("ORVLIB_REGISTRY", store ? file : qEnvironmentVariable("ORVLIB_REGISTRY"));
        const QString longer(300, u'x');

        const bool written = testutil::withFileSizeLimit(100, [&] {
            return store ? orvreg::registerClass({0xB0B, 0, 0, {}}, "/opt/" + longer.toLatin1() + ".so")
                         : m_lib->PutIni(u"Set"_s, u"PrgP"_s, longer);
        });

        QVERIFY(!written);
        QCOMPARE(testutil::readRaw(file), old);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(file).fileName()});
    }

    // Both writers at once, on the registration store and on a profile: both succeed, both are kept.
    void bothWritersKept()
    {
        for (const QString what : {"store", "profile"}) {
            const QString file = m_dir->filePath(what);
            QProcess a, b;
            a.start(QCoreApplication::applicationFilePath(), {u"--writer"_s, what, file, "a"});
            b.start(QCoreApplication::applicationFilePath(), {u"--writer"_s, what, file, "b"});
            QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
            QCOMPARE(a.exitCode() + b.exitCode(), 0);
            QVERIFY(!QFile::exists(file + u".lock"_s));
            m_lib->setIniFile(file);
            const bool store = what == u"store";
            SetEnv at("ORVLIB_REGISTRY", store ? file : qEnvironmentVariable("ORVLIB_REGISTRY"));
            for (char tag : {'a', 'b'})
                for (int n = 0; n < kWrites; ++n)
                    QCOMPARE(store ? orvreg::lookup(classOf(tag, n))
                                   : m_lib->GetIni("Set", tag + QString::number(n), "-"),
                             store ? u"/opt/lib%1%2.so"_s.arg(tag).arg(n) : QString::number(n));
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--writer") == 0)
        return writer(argv[2], QFile::decodeName(argv[3]), argv[4][0]);
    TestOrvLib test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_orvlib.moc"
