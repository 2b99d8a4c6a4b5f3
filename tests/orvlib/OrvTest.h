#pragma once
// Helpers of the OrvLib tests: the build's own registration store and strings across the
// component boundary.

#include "OrvCom.h"
#include "OrvLibClient.h"

#include <QtTest>

namespace orvtest {

// OrvLibCls from the build's store, also when the test is run by hand outside ctest.
inline std::unique_ptr<OrvLib> create()
{
    if (qEnvironmentVariableIsEmpty("ORVLIB_REGISTRY"))
        qputenv("ORVLIB_REGISTRY", WMK38_BUILD_DIR "/orvlib.reg");
    QString error;
    auto lib = OrvLib::create(&error);
    if (!lib)
        qWarning("%s", qPrintable(error));
    return lib;
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
inline QString out(OrvResult result, OrvBstr& s)
{
    const QString text = s ? QString(reinterpret_cast<const QChar*>(s), orvStringLen(s)) : QString();
    orvFreeString(s);
    s = nullptr;
    return result == ORV_S_OK ? text : QStringLiteral("error");
}
template <class T> QString out(OrvResult result, const T& value)
{
    return result == ORV_S_OK ? QString::number(value) : QStringLiteral("error");
}

} // namespace orvtest
