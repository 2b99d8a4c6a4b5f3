// The component server as the platform's loader sees it: the built libOrvLib2.so opened
// with dlopen, its exports, reference counts, and its entries in the registration store.

#include "OrvTest.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>

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

    // The factory refuses other classes and interfaces; references keep the library loaded.
    void factoryAndReferences()
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
        // each of factory, server lock, object and an object handed out by a member keeps the
        // library loaded on its own
        f = factory();
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

    // orvregsvr loads the library and calls its registration exports. The other lines of the store
    // keep their bytes (CR LF, bytes that are not UTF-8); every line of the class goes, the first one
    // taking the new path.
    void orvregsvr()
    {
        const auto regsvr = [](const QStringList& args) { return testutil::runTool(u"orvregsvr"_s, args); };
        QTemporaryDir dir;
        const QString store = dir.filePath(u"new/components.reg"_s);
        const QByteArray a = "# own notes\r\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/\xff/libA.so\n";
        const QByteArray b = "{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n";
        {
            orvtest::SetEnv at("ORVLIB_REGISTRY", store);
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
        orvtest::SetEnv at("ORVLIB_REGISTRY", u"/dev/null/components.reg"_s);
        QCOMPARE(regsvr({kLibrary}).exitCode, 1);
        const QString looped = dir.filePath(u"looped.reg"_s);
        QVERIFY(QFile::link(looped, looped));
        orvtest::SetEnv loopedAt("ORVLIB_REGISTRY", looped);
        for (const QStringList& args : {QStringList{kLibrary}, QStringList{kLibrary, u"/u"_s}}) {
            const auto r = regsvr(args);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains("cannot read") && r.err.contains(looped.toUtf8()), r.err);
            QVERIFY(QFileInfo(looped).isSymLink());
        }
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
        QVERIFY(QFile::remove(user) && QFile::rename(machine, machine + u".kept"_s) &&
                QFile::link(machine, machine));
        QVERIFY(!OrvLib::create(&error));
        QVERIFY2(error.contains(u"no se puede leer el registro "_s + machine), qPrintable(error));
        QVERIFY(QFile::remove(machine) && QFile::rename(machine + u".kept"_s, machine));
        QCOMPARE(testutil::runTool(u"orvregsvr"_s, {u"--system"_s, kLibrary, u"/u"_s}).exitCode, 0);
        QCOMPARE(testutil::readRaw(machine), QByteArray(""));
    }
};

QTEST_GUILESS_MAIN(TestOrvServer)
#include "tst_orvserver.moc"
