// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scan.h"

#include "Exchanges.h"

#include <algorithm>

namespace plclink {

int ScanResult::found() const
{
    return int(std::count_if(answered.begin(), answered.end(),
                             [](const StationReply& r) { return r.kind == StationReply::Kind::Found; }));
}

ScanResult scan(Link& link, int from, int to, const std::function<bool(const StationReply&)>& onStation)
{
    Link::Busy busy(link);
    ScanResult result;
    for (int station = std::max(from, kFirstStation); station <= std::min(to, kLastStation); ++station) {
        // a silent station settles nothing, so a scan costs one answer wait a station; an answer
        // that does not check may still be on its way, and the line settles before the next
        const QByteArray answer = probe(link, quint8(station), ProbeSilence::Settled);
        // a port that cannot be opened ends the scan: no station was asked
        if (link.waits().isCutShort() || (answer.isEmpty() && !link.isOpen())) {
            result.complete = false;
            return result;
        }
        StationReply reply;
        reply.station = station;
        if (probeAnswered(answer)) {
            reply.kind = StationReply::Kind::Found;
            reply.checksum = storedChecksum(answer);
        } else if (!answer.isEmpty()) {
            reply.kind = StationReply::Kind::Damaged;
        }
        if (reply.kind != StationReply::Kind::Silent)
            result.answered << reply;
        if (onStation && !onStation(reply)) {
            result.complete = station == std::min(to, kLastStation);
            return result;
        }
    }
    return result;
}

} // namespace plclink
