// The component server's exports: registration into the store, the class factory and the
// unload check. Everything else in the library stays hidden.

#include "OrvCom.h"
#include "OrvLibCls.h"
#include "OrvModule.h"
#include "OrvRegistry.h"

#include <QFile>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <type_traits>

#define ORV_EXPORT extern "C" __attribute__((visibility("default")))

namespace orvmodule {
std::atomic<int32_t> g_liveCount{0};
}

using namespace orvmodule;

namespace {

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
        if (lock)
            ++g_liveCount;
        else
            --g_liveCount;
        return ORV_S_OK;
    }
};

// This library's own file, whoever loaded it and by whatever path.
QString ownPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ownPath), &info) || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (!realpath(info.dli_fname, resolved))
        return {};
    return QFile::decodeName(resolved);
}

} // namespace

ORV_EXPORT OrvResult DllRegisterServer()
{
    const QString path = ownPath();
    if (path.isEmpty())
        return ORV_E_FAIL;
    return orvreg::registerClass(CLSID_OrvLibCls, path) ? ORV_S_OK : ORV_E_ACCESSDENIED;
}

ORV_EXPORT OrvResult DllUnregisterServer()
{
    return orvreg::unregisterClass(CLSID_OrvLibCls) ? ORV_S_OK : ORV_E_ACCESSDENIED;
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
    return g_liveCount.load() == 0 ? ORV_S_OK : ORV_S_FALSE;
}

// Checked here so a change to the export types in OrvCom.h cannot go unnoticed.
static_assert(std::is_same_v<decltype(&DllGetClassObject), OrvDllGetClassObjectFn>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), OrvDllCanUnloadNowFn>);
static_assert(std::is_same_v<decltype(&DllRegisterServer), OrvDllRegisterServerFn>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), OrvDllUnregisterServerFn>);
