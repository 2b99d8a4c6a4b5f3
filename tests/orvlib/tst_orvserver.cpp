// The component server as the platform's loader sees it: the built libOrvLib2.so opened
// with dlopen, its exports, reference counts, and its entries in the registration store.

#include "OrvTest.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kLibrary = QString(WMK38_BUILD_DIR "/lib/libOrvLib2.so");

QByteArray entry()
{
    return "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=" +
           QFile::encodeName(QFileInfo(kLibrary).canonicalFilePath()) + '\n';
}

} // namespace

class TestOrvServer : public QObject
{
    Q_OBJECT
    void* m_handle = nullptr;
    OrvDllGetClassObjectFn m_getClassObject = nullptr;
    OrvDllCanUnloadNowFn m_canUnloadNow = nullptr;
    OrvDllRegisterServerFn m_register = nullptr;
    OrvDllUnregisterServerFn m_unregister = nullptr;

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
        m_register = reinterpret_cast<OrvDllRegisterServerFn>(dlsym(m_handle, "DllRegisterServer"));
        m_unregister = reinterpret_cast<OrvDllUnregisterServerFn>(dlsym(m_handle, "DllUnregisterServer"));
        QVERIFY(m_getClassObject && m_canUnloadNow && m_register && m_unregister);
        QCOMPARE(m_canUnloadNow(), ORV_S_OK);
        // the helpers inside, and the Qt code linked in statically, stay hidden
        QVERIFY(!dlsym(m_handle, "_Z15orvCreateLibClsv"));
        QVERIFY(!dlsym(m_handle, "_ZN3isa10fromCp1252E14QByteArrayView"));
    }

    void factoryRefusesOtherClassesAndInterfaces()
    {
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
    }

    // Each of factory, server lock, object and an object handed out by a member keeps the
    // library loaded on its own.
    void referencesKeepTheLibraryLoaded()
    {
        IOrvClassFactory* f = factory();
        QVERIFY(f);
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
        // an unlock without its lock releases nothing
        QCOMPARE(f->LockServer(ORV_FALSE), ORV_S_OK);
        QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
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

    // The other lines keep their bytes (CR LF, bytes that are not UTF-8); every line of the class
    // goes, the first one taking the new path.
    void registrationKeepsOtherClasses()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(u"components.reg"_s);
        const QByteArray a = "# own notes\r\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/\xff/libA.so\n";
        const QByteArray b = "{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n";
        QVERIFY(
            testutil::writeRaw(store, a + "{1a6bda86-6cce-11db-af2a-000ea66644eb} = /old/libOrvLib2.so\n" +
                                          b + "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=/older/lib.so\n"));
        orvtest::SetEnv at("ORVLIB_REGISTRY", store);
        QCOMPARE(m_register(), ORV_S_OK);
        QCOMPARE(testutil::readRaw(store), a + entry() + b);
        QVERIFY(OrvLib::create(nullptr));
        QCOMPARE(m_unregister(), ORV_S_OK);
        QCOMPARE(testutil::readRaw(store), a + b);
        QVERIFY(!OrvLib::create(nullptr));
        // a second unregistration finds nothing to remove and is no failure
        QCOMPARE(m_unregister(), ORV_S_OK);
    }

    void orvregsvr()
    {
        const auto regsvr = [](const QStringList& args) { return testutil::runTool(u"orvregsvr"_s, args); };
        QTemporaryDir dir;
        const QString store = dir.filePath(u"new/components.reg"_s);
        {
            orvtest::SetEnv at("ORVLIB_REGISTRY", store);
            QCOMPARE(regsvr({kLibrary}).exitCode, 0);
            QCOMPARE(testutil::readRaw(store), entry());
            QCOMPARE(regsvr({kLibrary, u"/u"_s}).exitCode, 0);
            QCOMPARE(testutil::readRaw(store), QByteArray(""));
            const auto missing = regsvr({u"/nowhere/missing.so"_s});
            QCOMPARE(missing.exitCode, 1);
            QVERIFY(missing.err.contains("missing.so"));
            QCOMPARE(regsvr({}).exitCode, 2);
        }
        // a store that cannot be written
        orvtest::SetEnv at("ORVLIB_REGISTRY", u"/dev/null/components.reg"_s);
        QCOMPARE(regsvr({kLibrary}).exitCode, 1);
    }

    // The machine's store, read after the user's: orvregsvr --system fills and cleans it, the
    // user's own entry wins, and one that cannot be read is an error that names it.
    void systemStore()
    {
        QTemporaryDir dir;
        const QString machine = dir.filePath(u"xdg/OrvSoftware/components.reg"_s);
        const QString user = dir.filePath(u"home/OrvSoftware/components.reg"_s);
        orvtest::SetEnv noTestStore("ORVLIB_REGISTRY", QString());
        orvtest::SetEnv home("XDG_CONFIG_HOME", dir.filePath(u"home"_s));
        orvtest::SetEnv dirs("XDG_CONFIG_DIRS", dir.filePath(u"none"_s).prepend(dir.filePath(u"xdg:"_s)));
        QCOMPARE(testutil::runTool(u"orvregsvr"_s, {u"--system"_s, kLibrary}).exitCode, 0);
        QCOMPARE(testutil::readRaw(machine), entry());
        QVERIFY(!QFile::exists(user));
        QVERIFY(OrvLib::create(nullptr));
        QVERIFY(QDir().mkpath(QFileInfo(user).path()) &&
                testutil::writeRaw(user, "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=/nowhere/libOrvLib2.so\n"));
        QString error;
        QVERIFY(!OrvLib::create(&error) && error.contains(u"/nowhere/libOrvLib2.so"_s));
        QVERIFY(QFile::remove(user) && QFile::rename(machine, machine + u".kept"_s) && QFile::link(machine, machine));
        QVERIFY(!OrvLib::create(&error));
        QVERIFY2(error.contains(u"no se puede leer el registro "_s + machine), qPrintable(error));
        QVERIFY(QFile::remove(machine) && QFile::rename(machine + u".kept"_s, machine));
        QCOMPARE(testutil::runTool(u"orvregsvr"_s, {u"--system"_s, kLibrary, u"/u"_s}).exitCode, 0);
        QCOMPARE(testutil::readRaw(machine), QByteArray(""));
    }

    // A store that cannot be read (here a link to itself) is neither taken as empty nor replaced.
    void unreadableStoreIsAnError()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(u"components.reg"_s);
        QVERIFY(QFile::link(store, store));
        orvtest::SetEnv at("ORVLIB_REGISTRY", store);
        for (const QStringList& args : {QStringList{kLibrary}, QStringList{kLibrary, u"/u"_s}}) {
            const auto r = testutil::runTool(u"orvregsvr"_s, args);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains("cannot read") && r.err.contains(store.toUtf8()), r.err);
            QVERIFY(QFileInfo(store).isSymLink());
        }
    }

    // A library whose path the store cannot hold exactly is refused, with the reason.
    void pathTheStoreCannotHold_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::newRow("line break") << QByteArray("a\nb");
        QTest::newRow("not UTF-8") << QByteArray("se\xf1"
                                                 "al");
    }

    void pathTheStoreCannotHold()
    {
        QFETCH(QByteArray, folder);
        QTemporaryDir dir;
        const QByteArray odd = QFile::encodeName(dir.path()) + '/' + folder;
        const QByteArray library = testutil::readRaw(kLibrary);
        QCOMPARE(::mkdir(odd.constData(), 0700), 0);
        const int fd = ::creat((odd + "/libOrvLib2.so").constData(), 0700);
        QVERIFY(fd >= 0 && ::write(fd, library.constData(), size_t(library.size())) == library.size());
        ::close(fd);
        QCOMPARE(
            ::symlink((odd + "/libOrvLib2.so").constData(), QFile::encodeName(dir.filePath(u"link.so"_s))),
            0);
        const QString store = dir.filePath(u"components.reg"_s);
        orvtest::SetEnv at("ORVLIB_REGISTRY", store);
        const auto r = testutil::runTool(u"orvregsvr"_s, {dir.filePath(u"link.so"_s)});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("UTF-8"), r.err);
        QVERIFY(!QFile::exists(store));
    }
};

QTEST_GUILESS_MAIN(TestOrvServer)
#include "tst_orvserver.moc"
