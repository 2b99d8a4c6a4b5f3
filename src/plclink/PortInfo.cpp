// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace plclink {

QList<PortInfo> presentPorts()
{
    // by-id holds links to the devices; the kernel names them after the adapter's maker,
    // model and serial number
    QHash<QString, QString> stable;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (link.isSymLink())
            stable.insert(QFileInfo(link.symLinkTarget()).canonicalFilePath(), link.absoluteFilePath());
    QList<PortInfo> ports;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) {
        const QString device = p.systemLocation();
        ports.append({device, stable.value(QFileInfo(device).canonicalFilePath()), p.description(), p.manufacturer(),
                      p.serialNumber()});
    }
    return ports;
}

} // namespace plclink
