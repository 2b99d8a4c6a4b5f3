#include "OrvLibClient.h"

#include "OrvCom.h"

std::unique_ptr<OrvLib> OrvLib::create(QString* error)
{
    if (error)
        *error = QStringLiteral("OrvLib2: not built yet");
    return nullptr;
}

OrvLib::OrvLib(IOrvLibCls* object) : m_object(object) {}
OrvLib::~OrvLib()
{
    if (m_object)
        m_object->Release();
}

bool OrvLib::FileExist(const QString&) const { return false; }
QString OrvLib::CutPath(const QString&) const { return {}; }
QString OrvLib::GetPath(const QString&) const { return {}; }
QString OrvLib::CutExt(const QString&) const { return {}; }
quint8 OrvLib::AscZ(const QString&) const { return 0; }
qint32 OrvLib::TextControlInf(qint32, qint32) const { return 0; }
QString OrvLib::IniFile() const { return {}; }
void OrvLib::setIniFile(const QString&) {}
QString OrvLib::GetIni(const QString&, const QString&, const QString& d) const { return d; }
bool OrvLib::PutIni(const QString&, const QString&, const QString&) { return false; }
void OrvLib::InternetLink(const QString&) {}
