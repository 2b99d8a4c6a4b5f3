// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial ports present on the machine, as a user picks one: the stable name under
// /dev/serial/by-id (it survives re-plugging) where one exists, then the device itself.

#include <QList>
#include <QString>

#include <functional>

namespace plclink {

struct PortInfo
{
    QString device;     // /dev/ttyUSB0
    QString stableName; // /dev/serial/by-id/usb-..., empty when there is none
    QString description, maker, serial;

    // The name to keep in the settings: the stable one where there is one.
    QString preferredName() const { return stableName.isEmpty() ? device : stableName; }
};

QList<PortInfo> presentPorts();
using PortLister = std::function<QList<PortInfo>()>;

} // namespace plclink
