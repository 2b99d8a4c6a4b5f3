#pragma once
// The real main window with COM2 pointed at an mk38sim through dmk38.ini, as a user sets it up;
// the waits run at a twentieth of their length.

#include "EditorTest.h"
#include "SimProcess.h"

#include <QTimer>

struct PlcFixture : EditorFixture
{
    testutil::SimProcess sim;

    explicit PlcFixture(const QStringList& simArgs = {}) : sim(simArgs) {}

    bool startWithSim(const QByteArray& settings = {})
    {
        if (!sim.start() || !write(QStringLiteral("dmk38.ini"),
                                   "[Set]\r\nCOM=2\r\n" + settings +
                                       "[Puertos]\r\nCOM2=" + sim.device().toLocal8Bit() + "\r\n"))
            return false;
        const bool started = start();
        editor->waits().setScale(0.05);
        return started;
    }
    // The frames the simulator received, each as hex.
    QStringList frames() const
    {
        QStringList all;
        for (const QByteArray& f : sim.received())
            all << QString::fromLatin1(f.size() > 16 ? f.left(4).toHex(' ') + " ... (" +
                                                           QByteArray::number(f.size()) + ")"
                                                     : f.toHex(' '));
        return all;
    }
};
