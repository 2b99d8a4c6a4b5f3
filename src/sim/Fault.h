// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults put into the answers, at a rate that repeats from run to run.

#include "Plc.h"

#include <QString>
#include <optional>

namespace sim {

class Fault
{
public:
    enum Kind
    {
        None,
        Silence,
        Short,
        Long,
        BadXor,
        BadResult,
        Late,
        Garbage,
        Hangup,
        Gap
    };

    // "KIND", "KIND:RATE" (RATE 0..1) or "none".
    static std::optional<Fault> parse(const QString& text);
    static QString kindNames();

    Kind kind() const { return m_kind; }
    QString text() const;

    // Whether this answer gets the fault; counts only the answers the fault can touch.
    bool strikes(const Answer& answer);
    // Changes the shape of the answer for the kinds that do.
    void reshape(Answer& answer) const;

private:
    static constexpr qint64 kWhole = 1000000; // the rate in millionths keeps the accumulator exact

    Kind m_kind = None;
    qint64 m_step = kWhole;
    qint64 m_accumulated = 0;
};

} // namespace sim
