// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which stations are on the line: the upload's probe to each identifier in turn, one exchange
// at a time. Station 0 is never asked: every PLC answers it, and their answers collide.

#include "Link.h"

#include <QList>

#include <functional>

namespace plclink {

constexpr int kFirstStation = 1;
constexpr int kLastStation = 255;

struct StationReply
{
    enum class Kind {
        Found,   // a sound probe answer
        Silent,  // nothing came back within the answer wait
        Damaged, // something came back, but it does not check
    };
    int station = 0;
    Kind kind = Kind::Silent;
    quint8 checksum = 0; // Found: the checksum of the program it keeps
};

struct ScanResult
{
    QList<StationReply> answered; // the found and the damaged ones, in station order
    bool complete = true;         // false when stopped before the last station
    int found() const;
};

// Probes from..to (within 1..255). onStation is told each station's reply as soon as it is
// judged; it returns false to stop the scan there. A wait cut short stops it too, and so does a
// port that cannot be opened (the link's reopenError() says why).
ScanResult scan(Link& link, int from, int to, const std::function<bool(const StationReply&)>& onStation = {});

} // namespace plclink
