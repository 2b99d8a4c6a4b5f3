// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt-side handle on an OrvLibCls object, created by class identifier through the
// registration store. Converts strings at the boundary and holds one reference.

#include <QString>

#include <memory>

struct IOrvLibCls;

class OrvLib
{
public:
    // Creates OrvLibCls by its class identifier. On failure returns null and *error holds a
    // message for the user naming the library and how to register it.
    static std::unique_ptr<OrvLib> create(QString* error);
    ~OrvLib();
    OrvLib(const OrvLib&) = delete;
    OrvLib& operator=(const OrvLib&) = delete;

    bool FileExist(const QString& path) const;
    QString CutPath(const QString& fullPath) const;
    QString GetPath(const QString& fullPath) const;
    QString CutExt(const QString& fileName) const;
    quint8 AscZ(const QString& character) const;
    qint32 TextControlInf(qint32 windowHandle, qint32 request) const;
    QString IniFile() const;
    void setIniFile(const QString& path);
    QString GetIni(const QString& section, const QString& item, const QString& defaultValue) const;
    bool PutIni(const QString& section, const QString& item, const QString& value);
    void InternetLink(const QString& url);

    IOrvLibCls* raw() const { return m_object; }

private:
    explicit OrvLib(IOrvLibCls* object);
    IOrvLibCls* m_object;
};
