// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One monitor poll as its consumers see it: the lamps, the chart and its history, mk38c's text
// and CSV rows. Produced by the poll cycle, one per poll, sound or not.

#include <QtGlobal>

#include <array>

namespace plclink {

struct Sample
{
    enum class Kind { Io, Variables };
    enum class Fault {
        None,     // a sound answer: the values below are what the PLC said
        Silent,   // nothing came back
        Short,    // fewer bytes than the answer has
        Long,     // more bytes than the answer has
        BadCheck, // the right length, but its bytes do not XOR to 0
        Port,     // the port could not be opened or the device went away: nothing was sent
    };

    qint64 msecs = 0; // when the poll's answer was judged, milliseconds since the epoch
    Kind kind = Kind::Io;
    Fault fault = Fault::None;
    quint8 inputs = 0;  // Io: bit i set = input e(i+1) on
    quint8 outputs = 0; // Io: bit i set = output s(i+1) on (the PLC's inverted bits already undone)
    int first = 0;      // Variables: the address of the first of the four
    std::array<quint8, 4> variables{};

    bool sound() const { return fault == Fault::None; }
};

} // namespace plclink
