// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four ways a serial device cannot be opened, as the link tells them apart, for the tables
// that run every exchange on each.

#include "Link.h"
#include "Pty.h"

#include <QDir>
#include <QFile>

#include <optional>
#include <utility>

namespace testutil {

inline constexpr std::pair<const char*, int> kPortFaults[] = {
    {"missing", 8002}, {"busy", 8005}, {"not allowed", 8010}, {"not a serial device", 8020}};

struct FaultyPort
{
    QString device;
    std::optional<WithoutOverride> plainUser; // "not allowed": root's override is off while set

    // pty is spoilt as fault says (holder keeps it busy); a missing or plain file goes in folder.
    bool make(const QString& fault, const QString& folder, const QString& pty, plclink::Link& holder)
    {
        device = pty;
        if (fault == u"missing") {
            device = QDir(folder).filePath(QStringLiteral("nosuch"));
            return true;
        }
        if (fault == u"busy")
            return !holder.openDevice(device);
        if (fault == u"not allowed") {
            if (!giveAway(device))
                return false;
            plainUser.emplace();
            return true;
        }
        device = QDir(folder).filePath(QStringLiteral("plain"));
        return QFile(device).open(QIODevice::WriteOnly);
    }
};

} // namespace testutil
