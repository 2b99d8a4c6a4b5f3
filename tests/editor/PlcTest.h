// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window with COM2 pointed at an mk38sim through dmk38.ini, as a user sets it up;
// the waits run at a fifth of their length, so that no answer window is under 40 ms. Prompts are answered and read back as lists.

#include "EditorTest.h"
#include "SimProcess.h"

struct PlcFixture : EditorFixture
{
    testutil::SimProcess sim;

    explicit PlcFixture(const QStringList& simArgs = {}) : sim(simArgs) {}

    // dmk38.ini: [Set] with COM=2 and the keys given, then [Puertos], SIM standing for the simulator.
    bool startWithSim(const QByteArray& set = {}, QByteArray ports = "COM2=SIM\r\n")
    {
        if (!sim.start() ||
            !write(QStringLiteral("dmk38.ini"), "[Set]\r\nCOM=2\r\n" + set + "[Puertos]\r\n" +
                                                    ports.replace("SIM", sim.device().toLocal8Bit())))
            return false;
        const bool started = start();
        editor->waits().setScale(0.2);
        return started;
    }
    // The frames the simulator received, each as hex (a long one as its start and length).
    QStringList frames() const
    {
        QStringList all;
        for (const QByteArray& f : sim.received())
            all << QString::fromLatin1(f.size() > 16 ? f.left(4).toHex(' ') + " ... (" +
                                                           QByteArray::number(f.size()) + ")"
                                                     : f.toHex(' '));
        return all;
    }
    // Every prompt asked as "title | text"; one like the one expected in its place shows as that
    // (a "…" there stands for any text).
    QStringList saidAll(const QStringList& expected) const
    {
        QStringList all;
        for (qsizetype i = 0; i < prompts.asked().size(); ++i) {
            const QString s = said(i), e = expected.value(i);
            const qsizetype k = e.indexOf(u'…');
            all << ((k < 0 ? s == e : s.startsWith(e.left(k)) && s.endsWith(e.mid(k + 1))) ? e : s);
        }
        return all;
    }
};
