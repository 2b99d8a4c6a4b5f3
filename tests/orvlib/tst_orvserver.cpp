// The component server as the platform's loader sees it: the built libOrvLib2.so opened
// with dlopen, its four exports, reference counts, and its registration store entries.

#include "OrvCom.h"
#include "OrvLibClient.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>

namespace {

const QString kLibrary = QStringLiteral(WMK38_BUILD_DIR "/lib/libOrvLib2.so");
const QString kRegsvr = QStringLiteral(WMK38_BUILD_DIR "/bin/orvregsvr");
const QString kEntry = QStringLiteral("{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOrvServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheFourExports();
    void factoryRefusesOtherClassesAndInterfaces();
    void objectsKeepTheLibraryLoaded();
    void serverLockKeepsTheLibraryLoaded();
    void referenceCounting();
    void registerAndUnregisterInTemporaryStore();
    void registrationKeepsOtherClasses();
    void orvregsvrRegistersAndUnregisters();
    void orvregsvrReportsFailure();
    void buildStoreNamesTheBuiltLibrary();

private:
    IOrvClassFactory* factory();
    void* m_handle = nullptr;
    OrvDllGetClassObjectFn m_getClassObject = nullptr;
    OrvDllCanUnloadNowFn m_canUnloadNow = nullptr;
    OrvDllRegisterServerFn m_register = nullptr;
    OrvDllUnregisterServerFn m_unregister = nullptr;
};

void TestOrvServer::initTestCase()
{
    m_handle = dlopen(QFile::encodeName(kLibrary).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(m_handle, dlerror());
    m_getClassObject = reinterpret_cast<OrvDllGetClassObjectFn>(dlsym(m_handle, "DllGetClassObject"));
    m_canUnloadNow = reinterpret_cast<OrvDllCanUnloadNowFn>(dlsym(m_handle, "DllCanUnloadNow"));
    m_register = reinterpret_cast<OrvDllRegisterServerFn>(dlsym(m_handle, "DllRegisterServer"));
    m_unregister = reinterpret_cast<OrvDllUnregisterServerFn>(dlsym(m_handle, "DllUnregisterServer"));
    QVERIFY(m_getClassObject && m_canUnloadNow && m_register && m_unregister);
    QCOMPARE(m_canUnloadNow(), ORV_S_OK);
}

IOrvClassFactory* TestOrvServer::factory()
{
    void* object = nullptr;
    if (m_getClassObject(&CLSID_OrvLibCls, &IID_IOrvClassFactory, &object) != ORV_S_OK)
        return nullptr;
    return static_cast<IOrvClassFactory*>(object);
}

void TestOrvServer::onlyTheFourExports()
{
    // the helpers inside (and the Qt code linked in statically) must not leak out
    QVERIFY(!dlsym(m_handle, "orvCreateLibCls"));
    QVERIFY(!dlsym(m_handle, "_Z15orvCreateLibClsv"));
    QVERIFY(!dlsym(m_handle, "_ZN3isa10fromCp1252E14QByteArrayView"));
}

void TestOrvServer::factoryRefusesOtherClassesAndInterfaces()
{
    const OrvGuid otherClass = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = reinterpret_cast<void*>(1);
    QCOMPARE(m_getClassObject(&otherClass, &IID_IOrvClassFactory, &object), ORV_CLASS_E_CLASSNOTAVAILABLE);
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

void TestOrvServer::objectsKeepTheLibraryLoaded()
{
    IOrvClassFactory* f = factory();
    QVERIFY(f);
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    void* a = nullptr;
    void* b = nullptr;
    QCOMPARE(f->CreateInstance(nullptr, IID_IOrvLibCls, &a), ORV_S_OK);
    QCOMPARE(f->CreateInstance(nullptr, IID_IOrvUnknown, &b), ORV_S_OK);
    QVERIFY(a && b && a != b);
    f->Release();
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    static_cast<IOrvLibCls*>(a)->Release();
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    static_cast<IOrvUnknown*>(b)->Release();
    QCOMPARE(m_canUnloadNow(), ORV_S_OK);
}

void TestOrvServer::serverLockKeepsTheLibraryLoaded()
{
    IOrvClassFactory* f = factory();
    QVERIFY(f);
    QCOMPARE(f->LockServer(ORV_TRUE), ORV_S_OK);
    f->Release();
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    f = factory();
    QCOMPARE(f->LockServer(ORV_FALSE), ORV_S_OK);
    f->Release();
    QCOMPARE(m_canUnloadNow(), ORV_S_OK);
}

void TestOrvServer::referenceCounting()
{
    IOrvClassFactory* f = factory();
    QVERIFY(f);
    void* created = nullptr;
    QCOMPARE(f->CreateInstance(nullptr, IID_IOrvLibCls, &created), ORV_S_OK);
    f->Release();
    auto* lib = static_cast<IOrvLibCls*>(created);
    QCOMPARE(lib->AddRef(), 2u);
    void* unknown = nullptr;
    QCOMPARE(lib->QueryInterface(IID_IOrvUnknown, &unknown), ORV_S_OK);
    QCOMPARE(unknown, created);
    QCOMPARE(lib->Release(), 2u);
    QCOMPARE(static_cast<IOrvUnknown*>(unknown)->Release(), 1u);
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    // objects handed out by a member count as well
    IOrvUnknown* child = nullptr;
    QCOMPARE(lib->tmp(&child), ORV_S_OK);
    QVERIFY(child);
    QCOMPARE(lib->Release(), 0u);
    QCOMPARE(m_canUnloadNow(), ORV_S_FALSE);
    QCOMPARE(child->Release(), 0u);
    QCOMPARE(m_canUnloadNow(), ORV_S_OK);
}

void TestOrvServer::registerAndUnregisterInTemporaryStore()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray saved = qgetenv("ORVLIB_REGISTRY");
    const QString store = dir.filePath(QStringLiteral("sub/components.reg"));
    qputenv("ORVLIB_REGISTRY", store.toUtf8());
    QCOMPARE(m_register(), ORV_S_OK);
    const QByteArray registered = readAll(store);
    QString error;
    auto lib = OrvLib::create(&error);
    const bool created = bool(lib);
    lib.reset();
    QCOMPARE(m_unregister(), ORV_S_OK);
    const QByteArray unregistered = readAll(store);
    auto after = OrvLib::create(&error);
    // a second unregistration finds nothing to remove and is no failure
    const OrvResult again = m_unregister();
    qputenv("ORVLIB_REGISTRY", saved);

    const QString canonical = QFileInfo(kLibrary).canonicalFilePath();
    QCOMPARE(registered, (kEntry + canonical + u'\n').toUtf8());
    QVERIFY(created);
    QCOMPARE(unregistered, QByteArray());
    QVERIFY(!after);
    QVERIFY(error.contains(store));
    QCOMPARE(again, ORV_S_OK);
}

void TestOrvServer::registrationKeepsOtherClasses()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString store = dir.filePath(QStringLiteral("components.reg"));
    {
        QFile file(store);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# own notes\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/a/libA.so\n"
                   "{1a6bda86-6cce-11db-af2a-000ea66644eb} = /old/place/libOrvLib2.so\n"
                   "{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n");
    }
    const QByteArray saved = qgetenv("ORVLIB_REGISTRY");
    qputenv("ORVLIB_REGISTRY", store.toUtf8());
    const OrvResult registered = m_register();
    const QByteArray afterRegister = readAll(store);
    const OrvResult unregistered = m_unregister();
    const QByteArray afterUnregister = readAll(store);
    qputenv("ORVLIB_REGISTRY", saved);

    QCOMPARE(registered, ORV_S_OK);
    QCOMPARE(afterRegister, "# own notes\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/a/libA.so\n" +
                                (kEntry + QFileInfo(kLibrary).canonicalFilePath()).toUtf8() +
                                "\n{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n");
    QCOMPARE(unregistered, ORV_S_OK);
    QCOMPARE(afterUnregister,
             QByteArray("# own notes\n{AAAAAAAA-0000-0000-0000-000000000000}=/opt/a/libA.so\n"
                        "{BBBBBBBB-0000-0000-0000-000000000000}=/opt/b/libB.so\n"));
}

void TestOrvServer::orvregsvrRegistersAndUnregisters()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString store = dir.filePath(QStringLiteral("components.reg"));
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVLIB_REGISTRY"), store);
    tool.setProcessEnvironment(env);
    tool.start(kRegsvr, {kLibrary});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(readAll(store).startsWith(kEntry.toUtf8()));
    tool.start(kRegsvr, {kLibrary, QStringLiteral("/u")});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
    QCOMPARE(readAll(store), QByteArray());
}

void TestOrvServer::orvregsvrReportsFailure()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // the store's folder is a file, so the store cannot be written
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    env.insert(QStringLiteral("ORVLIB_REGISTRY"), dir.filePath(QStringLiteral("file/components.reg")));
    tool.setProcessEnvironment(env);
    tool.start(kRegsvr, {kLibrary});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 1);
    tool.start(kRegsvr, {dir.filePath(QStringLiteral("missing.so"))});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(tool.readAllStandardError().contains("missing.so"));
    tool.start(kRegsvr, {});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 2);
}

void TestOrvServer::buildStoreNamesTheBuiltLibrary()
{
    const QByteArray store = readAll(QStringLiteral(WMK38_BUILD_DIR "/orvlib.reg"));
    QVERIFY(store.contains((kEntry + QFileInfo(kLibrary).canonicalFilePath() + u'\n').toUtf8()));
}

QTEST_GUILESS_MAIN(TestOrvServer)
#include "tst_orvserver.moc"
