// SPDX-License-Identifier: GPL-3.0-or-later
// OrvLibCls: the component object. Each member converts at the interface and calls the
// string, file or profile operation that does the work.

#include "OrvLibCls.h"

#include "OrvFiles.h"
#include "OrvModule.h"
#include "OrvObjects.h"
#include "OrvProfile.h"
#include "OrvWin.h"

#include <algorithm>
#include <bit>
#include <cstring>

using namespace orvmodule;

namespace {

// The profile functions read into a buffer of 255 characters, one of them the terminator.
constexpr qsizetype kIniValueMax = 254;
// The edit control's select request, used by SelAllText.
constexpr uint32_t kEmSetSel = 177;

// Reads the first size bytes of a byte string (one character per byte), little-endian.
template <class T> OrvResult fromBytes(const char16_t* x, T* result)
{
    if (!result)
        return ORV_E_POINTER;
    if (orvStringLen(x) < sizeof(T))
        return ORV_E_INVALIDARG;
    unsigned char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>(x[i] & 0xFF);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(result, bytes, sizeof(T));
    return ORV_S_OK;
}

template <class T> OrvResult toBytes(T value, OrvBstr* result)
{
    if (!result)
        return ORV_E_POINTER;
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof(T));
    char16_t text[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        text[i] = bytes[i];
    *result = orvAllocString(text, sizeof(T));
    return *result ? ORV_S_OK : ORV_E_OUTOFMEMORY;
}

// Shifts each character below 256 by offset within the byte range; others stay.
OrvResult scramble(const char16_t* txt, int shift, OrvBstr* result)
{
    QString text = fromOrv(txt);
    for (QChar& c : text)
        if (c.unicode() < 256)
            c = QChar(char16_t((c.unicode() + shift) & 0xFF));
    return toOrv(text, result);
}

class OrvLibCls final : public Object<IOrvLibCls>
{
public:
    OrvLibCls() : Object(IID_IOrvLibCls) {}

    OrvResult InternetLink(OrvBstr* url) override
    {
        // errors are ignored, as the shell's open action reports none to the caller
        if (url)
            orvfiles::openUrl(fromOrv(*url));
        return ORV_S_OK;
    }
    OrvResult CopyFile(const char16_t* from, const char16_t* to, OrvBool* result) override
    {
        return put(result, toOrvBool(orvfiles::copyFile(fromOrv(from), fromOrv(to))));
    }
    OrvResult get_FileExist(const char16_t* filePath, OrvBool* result) override
    {
        return put(result, toOrvBool(orvfiles::fileExist(fromOrv(filePath))));
    }
    OrvResult EraseFile(const char16_t* fileName) override
    {
        return orvfiles::moveToTrash(fromOrv(fileName)) ? ORV_S_OK : ORV_E_FAIL;
    }
    OrvResult AscZ(const char16_t* character, uint8_t* result) override
    {
        return put(result, orvfiles::ascZ(fromOrv(character)));
    }
    OrvResult DirExists(const char16_t* dirName, OrvBool* result) override
    {
        return put(result, toOrvBool(orvfiles::dirExists(fromOrv(dirName))));
    }
    OrvResult CutPath(const char16_t* fullPath, OrvBstr* result) override
    {
        return toOrv(orvfiles::cutPath(fromOrv(fullPath)), result);
    }
    OrvResult GetPath(const char16_t* fullPath, OrvBstr* result) override
    {
        return toOrv(orvfiles::getPath(fromOrv(fullPath)), result);
    }
    OrvResult GetExt(const char16_t* fullName, OrvBstr* result) override
    {
        return toOrv(orvfiles::getExt(fromOrv(fullName)), result);
    }
    OrvResult DOSPath(const char16_t*, OrvBstr* result) override { return notSupported(result); }
    OrvResult SelAllText(int32_t controlHandle) override
    {
        OrvSendMessage(controlHandle, kEmSetSel, 0, -1);
        return ORV_S_OK;
    }
    OrvResult TextControlInf(int32_t windowHandle, int32_t request, int32_t* result) override
    {
        return put(result, int32_t(OrvSendMessage(windowHandle, uint32_t(request), -1, 0)));
    }
    OrvResult CutExt(const char16_t* fileName, OrvBstr* result) override
    {
        return toOrv(orvfiles::cutExt(fromOrv(fileName)), result);
    }
    OrvResult FindNewPath(const char16_t*, OrvBstr* result) override { return notSupported(result); }
    OrvResult AcercaDe() override { return ORV_E_NOTSUPPORTED; }
    OrvResult AppEnd(const char16_t*, int32_t* result) override { return notSupported(result); }
    OrvResult GetIconFromFile(const char16_t*, int32_t, OrvBool, IOrvUnknown** picture) override
    {
        return notSupported(picture);
    }
    OrvResult WindowExist(const char16_t*, OrvBool* result) override { return notSupported(result); }
    OrvResult BringToFront(const char16_t*) override { return ORV_E_NOTSUPPORTED; }
    OrvResult Tsk(IOrvUnknown** tasks) override { return notSupported(tasks); }
    OrvResult ClassName(const char16_t*, OrvBstr* result) override { return notSupported(result); }
    OrvResult get_IniFile(OrvBstr* result) override { return toOrv(m_iniFile, result); }
    OrvResult put_IniFile(const char16_t* path) override
    {
        m_iniFile = fromOrv(path);
        return ORV_S_OK;
    }
    OrvResult GetIni(const char16_t* section, const char16_t* item, const char16_t* defaultValue,
                     OrvBstr* result) override
    {
        // as the profile function it follows, GetIni gives its default without trailing blanks
        QString fallback = fromOrv(defaultValue);
        while (fallback.endsWith(u' '))
            fallback.chop(1);
        const QString value =
            orvprofile::readString(m_iniFile, fromOrv(section), fromOrv(item), fallback, kIniValueMax);
        return toOrv(value.isEmpty() ? fallback : value, result);
    }
    OrvResult PutIni(const char16_t* section, const char16_t* item, const char16_t* value) override
    {
        return orvprofile::writeString(m_iniFile, fromOrv(section), fromOrv(item), fromOrv(value))
                   ? ORV_S_OK
                   : ORV_E_FAIL;
    }
    OrvResult LocalInf(IOrvUnknown** object) override { return orvobjects::createLocalInfo(object); }
    OrvResult Folders(IOrvUnknown** object) override { return orvobjects::createCarpetas(object); }
    OrvResult tmp(IOrvUnknown** object) override { return orvobjects::createTiempos(object); }
    OrvResult IP(IOrvUnknown** object) override { return notSupported(object); }
    OrvResult Host(IOrvUnknown** object) override { return notSupported(object); }
    OrvResult Ping(IOrvUnknown** object) override { return notSupported(object); }
    OrvResult WinI(IOrvUnknown** object) override { return orvobjects::createWinInf(object); }
    OrvResult CVD(const char16_t* x, double* result) override { return fromBytes(x, result); }
    OrvResult CVI(const char16_t* x, int16_t* result) override { return fromBytes(x, result); }
    OrvResult CVL(const char16_t* x, int32_t* result) override { return fromBytes(x, result); }
    OrvResult CVS(const char16_t* x, float* result) override { return fromBytes(x, result); }
    OrvResult MKD(double x, OrvBstr* result) override { return toBytes(x, result); }
    OrvResult MKI(int16_t x, OrvBstr* result) override { return toBytes(x, result); }
    OrvResult MKL(int32_t x, OrvBstr* result) override { return toBytes(x, result); }
    OrvResult MKS(float x, OrvBstr* result) override { return toBytes(x, result); }
    OrvResult Cvt(IOrvUnknown** object) override { return orvobjects::createConvertNum(object); }
    OrvResult DeleteKey(int32_t, const char16_t*) override { return ORV_E_NOTSUPPORTED; }
    OrvResult DeleteValue(int32_t, const char16_t*, const char16_t*) override { return ORV_E_NOTSUPPORTED; }
    OrvResult SetValueEx(int32_t, const char16_t*, int32_t, const char16_t*) override
    {
        return ORV_E_NOTSUPPORTED;
    }
    OrvResult QueryValueEx(int32_t, const char16_t*, OrvBstr* result) override
    {
        return notSupported(result);
    }
    OrvResult CreateNewKey(int32_t, const char16_t*) override { return ORV_E_NOTSUPPORTED; }
    OrvResult SetKeyValue(int32_t, const char16_t*, const char16_t*, const char16_t*, int32_t) override
    {
        return ORV_E_NOTSUPPORTED;
    }
    OrvResult QueryValue(int32_t, const char16_t*, const char16_t*, OrvBstr* result) override
    {
        return notSupported(result);
    }
    OrvResult SetComboHeight(int32_t, int32_t) override { return ORV_E_NOTSUPPORTED; }
    OrvResult EnCript(const char16_t* txt, uint8_t offset, OrvBstr* result) override
    {
        return scramble(txt, offset, result);
    }
    OrvResult DeCript(const char16_t* txt, uint8_t offset, OrvBstr* result) override
    {
        return scramble(txt, -int(offset), result);
    }

private:
    // Out parameters are cleared so a caller that ignores the result reads nothing stale.
    template <class T> static OrvResult notSupported(T* out)
    {
        if (out)
            *out = T{};
        return ORV_E_NOTSUPPORTED;
    }

    QString m_iniFile;
};

} // namespace

IOrvLibCls* orvCreateLibCls()
{
    return new OrvLibCls;
}
