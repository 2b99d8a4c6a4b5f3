// SPDX-License-Identifier: GPL-3.0-or-later
#include "Upload.h"

namespace plclink {

UploadResult upload(Link& link, quint8 station, quint16 password,
                    const std::function<void(const QByteArray& probeAnswer)>& onProbed)
{
    Link::Busy busy(link);
    UploadResult r;
    r.probeAnswer = probe(link, station);
    if (onProbed)
        onProbed(r.probeAnswer);
    if (!probeAnswered(r.probeAnswer) || link.waits().isCutShort())
        return r;
    r.stored = storedChecksum(r.probeAnswer);
    r.received = readProgram(link, station, password);
    r.computed = uploadChecksum(r.received);
    r.image = uploadedImage(r.received);
    r.dateWord = uploadedDateWord(r.received);
    r.outcome = r.received.isEmpty()        ? UploadOutcome::NoAnswer
                : r.computed != r.stored    ? UploadOutcome::ChecksumWrong
                                            : UploadOutcome::Read;
    return r;
}

ImageDifference compareImages(const isa::ProgramImage& a, const isa::ProgramImage& b)
{
    ImageDifference d;
    for (int i = 0; i < isa::kImageSize; ++i) {
        if (a[size_t(i)] == b[size_t(i)])
            continue;
        ++d.bytes;
        if (d.first < 0)
            d.first = i;
    }
    return d;
}

} // namespace plclink
