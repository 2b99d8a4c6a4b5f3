// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Pty.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QSocketNotifier>

namespace testutil {

// A PLC played by the test: once it has received `after` bytes in all, it writes `bytes`.

class ScriptedPlc : public QObject
{
public:
    testutil::Pty pty;
    QList<QPair<int, QByteArray>> script;
    QByteArray got;
    ScriptedPlc() : m_notifier(pty.masterFd(), QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            got += pty.take();
            while (!script.isEmpty() && got.size() >= script.first().first)
                pty.write(script.takeFirst().second);
        });
    }

private:
    QSocketNotifier m_notifier;
};

} // namespace testutil
