// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a serial device did not open, worded in Spanish for a Linux user. The facts about the
// device are gathered apart from the rule that words them, so every case of the rule can be
// tried without being the user it concerns.

#include "Link.h"

#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace plclink {

struct DeviceFacts
{
    bool exists = false; // a link is followed
    bool isDirectory = false, isRegularFile = false, isCharDevice = false;
    QString ownerGroup;       // by name, else by number
    uint mode = 0;            // the permission bits
    bool userMayOpen = false; // this process may read and write it
    bool userInGroup = false; // this process already holds ownerGroup
    QStringList presentPorts; // the machine's serial devices, gathered only when it does not exist
};

// The facts about the file at path, as this process sees them.
DeviceFacts deviceFacts(const QString& path);

// The number and description for a device that did not open with error; systemErrno is the
// errno of the failed open, 0 when unknown.
PortError portError(const QString& device, const DeviceFacts& facts, QSerialPort::SerialPortError error,
                    int systemErrno);

// The description of a device another program holds.
QString busyText(const QString& device);

} // namespace plclink
