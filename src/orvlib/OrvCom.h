// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The binary interface of the OrvLib2 component: what crosses between the library and its
// callers. C-compatible layouts and fixed-size integers only, no C++ standard-library types,
// so the boundary does not depend on one compiler's layout.
//
// Strings are OrvBstr: UTF-16, length-prefixed, zero-terminated, allocated with malloc by
// orvAllocString. A string passed in stays the caller's (it must be an OrvBstr too: its
// length prefix is read, so byte strings may hold zeros; null is the empty text); a string
// returned through an out parameter belongs to the caller, who frees it with orvFreeString.

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" {

typedef int32_t OrvResult;
enum : int32_t {
    ORV_S_OK = 0,
    ORV_S_FALSE = 1,
    ORV_E_NOTIMPL = int32_t(0x80004001),
    ORV_E_NOINTERFACE = int32_t(0x80004002),
    ORV_E_POINTER = int32_t(0x80004003),
    ORV_E_FAIL = int32_t(0x80004005),
    ORV_E_OUTOFMEMORY = int32_t(0x8007000E),
    ORV_E_INVALIDARG = int32_t(0x80070057),
    ORV_E_ACCESSDENIED = int32_t(0x80070005),
    ORV_CLASS_E_CLASSNOTAVAILABLE = int32_t(0x80040111),
    ORV_CLASS_E_NOAGGREGATION = int32_t(0x80040110),
    ORV_REGDB_E_CLASSNOTREG = int32_t(0x80040154),
    // the member exists only on the original platform (registry, window tasks, icons, ping ...)
    ORV_E_NOTSUPPORTED = int32_t(0x80070032),
};

struct OrvGuid
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

inline bool orvGuidEqual(const OrvGuid& a, const OrvGuid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// {1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid CLSID_OrvLibCls = {0x1A6BDA86, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};
// {1A6BDA85-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvLibCls = {0x1A6BDA85, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};
// {00000000-0000-0000-C000-000000000046}
static const OrvGuid IID_IOrvUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00000001-0000-0000-C000-000000000046}
static const OrvGuid IID_IOrvClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

typedef char16_t* OrvBstr;

// Allocates a string of len UTF-16 units (copied from s when not null).
inline OrvBstr orvAllocString(const char16_t* s, uint32_t len)
{
    auto* block = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + (size_t(len) + 1) * sizeof(char16_t)));
    if (!block)
        return nullptr;
    block[0] = len;
    auto* text = reinterpret_cast<char16_t*>(block + 1);
    if (s && len)
        std::memcpy(text, s, len * sizeof(char16_t));
    text[len] = 0;
    return text;
}
inline uint32_t orvStringLen(const char16_t* s) { return s ? reinterpret_cast<const uint32_t*>(s)[-1] : 0; }
inline void orvFreeString(OrvBstr s)
{
    if (s)
        std::free(reinterpret_cast<uint32_t*>(s) - 1);
}

typedef int32_t OrvBool; // 0 false, -1 true (as the original platform's booleans)
enum : int32_t { ORV_FALSE = 0, ORV_TRUE = -1 };

// Edit-control requests for TextControlInf (the numbers of the platform's edit messages).
enum Mensajes_control_Edit : int32_t {
    GETSEL = 176,
    Scroll = 181,
    LINESCROLL = 182,
    SCROLLCARET = 183,
    GETMODIFY = 184,
    GETLINECOUNT = 186,
    LINEINDEX = 187,
    GETHANDLE = 189,
    GETTHUMB = 190,
    LINELENGTH = 193,
    LIMITTEXT = 197,
    CANUNDO = 198,
    UNDO = 199,
    FMTLINES = 200,
    LINEFROMCHAR = 201,
    EMPTYUNDOBUFFER = 205,
    GETFIRSTVISIBLELINE = 206,
    GETWORDBREAKPROC = 209,
    GETPASSWORDCHAR = 210,
    CHARFROMPOS = 215,
};

struct IOrvUnknown
{
    virtual OrvResult QueryInterface(const OrvGuid& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
};

struct IOrvClassFactory : IOrvUnknown
{
    virtual OrvResult CreateInstance(IOrvUnknown* outer, const OrvGuid& iid, void** object) = 0;
    virtual OrvResult LockServer(OrvBool lock) = 0;
};

// OrvLibCls, members in interface order. Every member returns an OrvResult; results come
// back through the last (out) parameter. Object-valued members hand out IOrvUnknown
// pointers whose own interfaces are declared in OrvLibObjects.h.
struct IOrvLibCls : IOrvUnknown
{
    virtual OrvResult InternetLink(OrvBstr* url) = 0;
    virtual OrvResult CopyFile(const char16_t* fullPathOrg, const char16_t* fullPathDst, OrvBool* result) = 0;
    virtual OrvResult get_FileExist(const char16_t* filePath, OrvBool* result) = 0;
    virtual OrvResult EraseFile(const char16_t* fileName) = 0;
    virtual OrvResult AscZ(const char16_t* character, uint8_t* result) = 0;
    virtual OrvResult DirExists(const char16_t* dirName, OrvBool* result) = 0;
    virtual OrvResult CutPath(const char16_t* fullPath, OrvBstr* result) = 0;
    virtual OrvResult GetPath(const char16_t* fullPath, OrvBstr* result) = 0;
    virtual OrvResult GetExt(const char16_t* fullName, OrvBstr* result) = 0;
    virtual OrvResult DOSPath(const char16_t* fullName, OrvBstr* result) = 0;
    virtual OrvResult SelAllText(int32_t controlHandle) = 0;
    virtual OrvResult TextControlInf(int32_t windowHandle, int32_t request, int32_t* result) = 0;
    virtual OrvResult CutExt(const char16_t* fileName, OrvBstr* result) = 0;
    virtual OrvResult FindNewPath(const char16_t* startPath, OrvBstr* result) = 0;
    virtual OrvResult AcercaDe() = 0;
    virtual OrvResult AppEnd(const char16_t* appTitle, int32_t* result) = 0;
    virtual OrvResult GetIconFromFile(const char16_t* fileName, int32_t iconIndex, OrvBool useLargeIcon,
                                      IOrvUnknown** picture) = 0;
    virtual OrvResult WindowExist(const char16_t* appTitle, OrvBool* result) = 0;
    virtual OrvResult BringToFront(const char16_t* appTitle) = 0;
    virtual OrvResult Tsk(IOrvUnknown** tasks) = 0;
    virtual OrvResult ClassName(const char16_t* appTitle, OrvBstr* result) = 0;
    virtual OrvResult get_IniFile(OrvBstr* result) = 0;
    virtual OrvResult put_IniFile(const char16_t* path) = 0;
    virtual OrvResult GetIni(const char16_t* section, const char16_t* item, const char16_t* defaultValue,
                             OrvBstr* result) = 0;
    virtual OrvResult PutIni(const char16_t* section, const char16_t* item, const char16_t* value) = 0;
    virtual OrvResult LocalInf(IOrvUnknown** object) = 0;
    virtual OrvResult Folders(IOrvUnknown** object) = 0;
    virtual OrvResult tmp(IOrvUnknown** object) = 0;
    virtual OrvResult IP(IOrvUnknown** object) = 0;
    virtual OrvResult Host(IOrvUnknown** object) = 0;
    virtual OrvResult Ping(IOrvUnknown** object) = 0;
    virtual OrvResult WinI(IOrvUnknown** object) = 0;
    virtual OrvResult CVD(const char16_t* x, double* result) = 0;
    virtual OrvResult CVI(const char16_t* x, int16_t* result) = 0;
    virtual OrvResult CVL(const char16_t* x, int32_t* result) = 0;
    virtual OrvResult CVS(const char16_t* x, float* result) = 0;
    virtual OrvResult MKD(double x, OrvBstr* result) = 0;
    virtual OrvResult MKI(int16_t x, OrvBstr* result) = 0;
    virtual OrvResult MKL(int32_t x, OrvBstr* result) = 0;
    virtual OrvResult MKS(float x, OrvBstr* result) = 0;
    virtual OrvResult Cvt(IOrvUnknown** object) = 0;
    virtual OrvResult DeleteKey(int32_t root, const char16_t* key) = 0;
    virtual OrvResult DeleteValue(int32_t root, const char16_t* key, const char16_t* value) = 0;
    virtual OrvResult SetValueEx(int32_t key, const char16_t* valueName, int32_t type, const char16_t* value) = 0;
    virtual OrvResult QueryValueEx(int32_t key, const char16_t* valueName, OrvBstr* result) = 0;
    virtual OrvResult CreateNewKey(int32_t root, const char16_t* newKey) = 0;
    virtual OrvResult SetKeyValue(int32_t root, const char16_t* key, const char16_t* valueName,
                                  const char16_t* value, int32_t type) = 0;
    virtual OrvResult QueryValue(int32_t root, const char16_t* key, const char16_t* valueName, OrvBstr* result) = 0;
    virtual OrvResult SetComboHeight(int32_t comboHandle, int32_t useHeight) = 0;
    virtual OrvResult EnCript(const char16_t* txt, uint8_t offset, OrvBstr* result) = 0;
    virtual OrvResult DeCript(const char16_t* txt, uint8_t offset, OrvBstr* result) = 0;
};

// The component server's exports.
typedef OrvResult (*OrvDllGetClassObjectFn)(const OrvGuid* clsid, const OrvGuid* iid, void** object);
typedef OrvResult (*OrvDllCanUnloadNowFn)();
typedef OrvResult (*OrvDllRegisterServerFn)();
typedef OrvResult (*OrvDllUnregisterServerFn)();

} // extern "C"
