// SPDX-License-Identifier: GPL-3.0-or-later
// The component server's exports: registration into the store, the class factory and the
// unload check. Everything else in the library stays hidden.

#include "OrvCom.h"
#include "OrvLibCls.h"
#include "OrvModule.h"
#include "OrvRegistry.h"

#include <QString>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <type_traits>

#define ORV_EXPORT extern "C" __attribute__((visibility("default")))

namespace orvmodule {
std::atomic<int32_t> g_liveCount{0};
}

using namespace orvmodule;

namespace {

// LockServer's count, apart from the live objects so that an unbalanced unlock cannot
// release an object's hold on the library.
std::atomic<int32_t> g_serverLocks{0};

class ClassFactory final : public Object<IOrvClassFactory>
{
public:
    ClassFactory() : Object(IID_IOrvClassFactory) {}

    OrvResult CreateInstance(IOrvUnknown* outer, const OrvGuid& iid, void** object) override
    {
        if (!object)
            return ORV_E_POINTER;
        *object = nullptr;
        if (outer)
            return ORV_CLASS_E_NOAGGREGATION;
        IOrvLibCls* created = orvCreateLibCls();
        const OrvResult result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    OrvResult LockServer(OrvBool lock) override
    {
        if (lock) {
            ++g_serverLocks;
            return ORV_S_OK;
        }
        int32_t count = g_serverLocks.load();
        while (count > 0 && !g_serverLocks.compare_exchange_weak(count, count - 1)) {
        }
        return ORV_S_OK;
    }
};

// This library's own file as the file system names it, whoever loaded it and by whatever path.
QByteArray ownPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ownPath), &info) || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (!realpath(info.dli_fname, resolved))
        return {};
    return resolved;
}

// The registration exports have only a result code to give; the reason goes to stderr, where
// orvregsvr's user sees it.
OrvResult reported(bool ok, const QString& error)
{
    if (ok)
        return ORV_S_OK;
    std::fprintf(stderr, "OrvLib2: %s\n", error.toLocal8Bit().constData());
    return ORV_E_ACCESSDENIED;
}

} // namespace

ORV_EXPORT OrvResult DllRegisterServer()
{
    const QByteArray path = ownPath();
    if (path.isEmpty())
        return ORV_E_FAIL;
    QString error;
    return reported(orvreg::registerClass(CLSID_OrvLibCls, path, &error), error);
}

ORV_EXPORT OrvResult DllUnregisterServer()
{
    QString error;
    return reported(orvreg::unregisterClass(CLSID_OrvLibCls, &error), error);
}

ORV_EXPORT OrvResult DllGetClassObject(const OrvGuid* clsid, const OrvGuid* iid, void** object)
{
    if (!object)
        return ORV_E_POINTER;
    *object = nullptr;
    if (!clsid || !iid)
        return ORV_E_INVALIDARG;
    if (!orvGuidEqual(*clsid, CLSID_OrvLibCls))
        return ORV_CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory;
    const OrvResult result = factory->QueryInterface(*iid, object);
    factory->Release();
    return result;
}

ORV_EXPORT OrvResult DllCanUnloadNow()
{
    return g_liveCount.load() == 0 && g_serverLocks.load() == 0 ? ORV_S_OK : ORV_S_FALSE;
}

// Checked here so a change to the export types in OrvCom.h cannot go unnoticed.
static_assert(std::is_same_v<decltype(&DllGetClassObject), OrvDllGetClassObjectFn>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), OrvDllCanUnloadNowFn>);
static_assert(std::is_same_v<decltype(&DllRegisterServer), OrvDllRegisterServerFn>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), OrvDllUnregisterServerFn>);
