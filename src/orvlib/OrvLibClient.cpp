// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvLibClient.h"

#include "OrvCom.h"
#include "OrvRegistry.h"

namespace {

// A QString as an OrvBstr argument for the length of one call.
class Arg
{
public:
    explicit Arg(const QString& text)
        : m_text(orvAllocString(reinterpret_cast<const char16_t*>(text.utf16()), uint32_t(text.size())))
    {
    }
    ~Arg() { orvFreeString(m_text); }
    Arg(const Arg&) = delete;
    Arg& operator=(const Arg&) = delete;
    operator const char16_t*() const { return m_text; }
    OrvBstr* address() { return &m_text; }

private:
    OrvBstr m_text;
};

// Takes over a returned string; a failed call gives an empty text.
QString take(OrvResult result, OrvBstr text)
{
    QString value;
    if (result == ORV_S_OK && text)
        value = QString(reinterpret_cast<const QChar*>(text), qsizetype(orvStringLen(text)));
    orvFreeString(text);
    return value;
}

} // namespace

std::unique_ptr<OrvLib> OrvLib::create(QString* error)
{
    void* object = nullptr;
    QString message;
    if (orvreg::createInstance(CLSID_OrvLibCls, IID_IOrvLibCls, &object, &message) != ORV_S_OK) {
        if (error)
            *error = message;
        return nullptr;
    }
    if (error)
        error->clear();
    return std::unique_ptr<OrvLib>(new OrvLib(static_cast<IOrvLibCls*>(object)));
}

OrvLib::OrvLib(IOrvLibCls* object) : m_object(object) {}

OrvLib::~OrvLib()
{
    if (m_object)
        m_object->Release();
}

bool OrvLib::FileExist(const QString& path) const
{
    OrvBool result = ORV_FALSE;
    return m_object->get_FileExist(Arg(path), &result) == ORV_S_OK && result != ORV_FALSE;
}

QString OrvLib::CutPath(const QString& fullPath) const
{
    OrvBstr text = nullptr;
    const OrvResult result = m_object->CutPath(Arg(fullPath), &text);
    return take(result, text);
}

QString OrvLib::GetPath(const QString& fullPath) const
{
    OrvBstr text = nullptr;
    const OrvResult result = m_object->GetPath(Arg(fullPath), &text);
    return take(result, text);
}

QString OrvLib::CutExt(const QString& fileName) const
{
    OrvBstr text = nullptr;
    const OrvResult result = m_object->CutExt(Arg(fileName), &text);
    return take(result, text);
}

quint8 OrvLib::AscZ(const QString& character) const
{
    uint8_t code = 0;
    return m_object->AscZ(Arg(character), &code) == ORV_S_OK ? code : 0;
}

qint32 OrvLib::TextControlInf(qint32 windowHandle, qint32 request) const
{
    int32_t result = 0;
    return m_object->TextControlInf(windowHandle, request, &result) == ORV_S_OK ? result : 0;
}

QString OrvLib::IniFile() const
{
    OrvBstr text = nullptr;
    const OrvResult result = m_object->get_IniFile(&text);
    return take(result, text);
}

void OrvLib::setIniFile(const QString& path)
{
    m_object->put_IniFile(Arg(path));
}

QString OrvLib::GetIni(const QString& section, const QString& item, const QString& defaultValue) const
{
    OrvBstr text = nullptr;
    const OrvResult result = m_object->GetIni(Arg(section), Arg(item), Arg(defaultValue), &text);
    const QString value = take(result, text);
    return result == ORV_S_OK ? value : defaultValue;
}

bool OrvLib::PutIni(const QString& section, const QString& item, const QString& value)
{
    return m_object->PutIni(Arg(section), Arg(item), Arg(value)) == ORV_S_OK;
}

void OrvLib::InternetLink(const QString& url)
{
    Arg text(url);
    m_object->InternetLink(text.address());
}
