// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside OrvLib2: the module's life count, the reference-counted object base and the
// string conversions at the interface.

#include "OrvCom.h"

#include <QString>
#include <atomic>

namespace orvmodule {

// Live objects; DllCanUnloadNow says no while it (or the server lock count) is above zero.
extern std::atomic<int32_t> g_liveCount;

inline QString fromOrv(const char16_t* s)
{
    return s ? QString(reinterpret_cast<const QChar*>(s), qsizetype(orvStringLen(s))) : QString();
}

inline OrvResult toOrv(const QString& text, OrvBstr* out)
{
    if (!out)
        return ORV_E_POINTER;
    *out = orvAllocString(reinterpret_cast<const char16_t*>(text.utf16()), uint32_t(text.size()));
    return *out ? ORV_S_OK : ORV_E_OUTOFMEMORY;
}

// Stores an out parameter, as every member does with its result.
template <class T, class V> OrvResult put(T* out, V value)
{
    if (!out)
        return ORV_E_POINTER;
    *out = T(value);
    return ORV_S_OK;
}

inline OrvBool toOrvBool(bool b)
{
    return b ? ORV_TRUE : ORV_FALSE;
}

// Reference counting and QueryInterface for an object with one interface I (besides IOrvUnknown).
template <class I> class Object : public I
{
public:
    explicit Object(const OrvGuid& iid) : m_iid(iid) { ++g_liveCount; }
    virtual ~Object() { --g_liveCount; }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    OrvResult QueryInterface(const OrvGuid& iid, void** object) override
    {
        if (!object)
            return ORV_E_POINTER;
        if (orvGuidEqual(iid, IID_IOrvUnknown) || orvGuidEqual(iid, m_iid)) {
            *object = static_cast<I*>(this);
            AddRef();
            return ORV_S_OK;
        }
        *object = nullptr;
        return ORV_E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override
    {
        const uint32_t left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

private:
    const OrvGuid m_iid;
    std::atomic<uint32_t> m_refs{1};
};

// Hands a new object (created with one reference) out through an IOrvUnknown pointer.
template <class T> OrvResult handOut(T* object, IOrvUnknown** out)
{
    if (!out) {
        object->Release();
        return ORV_E_POINTER;
    }
    *out = object;
    return ORV_S_OK;
}

} // namespace orvmodule
