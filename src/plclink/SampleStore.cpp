// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleStore.h"

#include <algorithm>

namespace plclink {

namespace {
constexpr int kAddresses = 256;
}

SampleStore::SampleStore(qsizetype capacity) : m_capacity(std::max<qsizetype>(1, capacity))
{
    m_addressCount.fill(0, kAddresses);
}

void SampleStore::clear()
{
    m_ring.clear();
    m_head = m_size = 0;
    m_dropped = 0;
    m_lastIo.reset();
    m_lastVar.reset();
    m_addressCount.fill(0, kAddresses);
}

void SampleStore::stretch(std::optional<qint64>& seq, qint64 until)
{
    if (!seq)
        return;
    if (*seq < m_dropped) { // already dropped
        seq.reset();
        return;
    }
    Record& r = record(qsizetype(*seq - m_dropped));
    r.holdEnd = std::clamp(until, r.sample.msecs, r.sample.msecs + kMaxHoldMs);
}

void SampleStore::append(const Sample& sample)
{
    const bool io = sample.kind == Sample::Kind::Io;
    // the previous answer of this kind stands until now; the other kind's last one as well,
    // until a poll of its own kind replaces it
    stretch(io ? m_lastIo : m_lastVar, sample.msecs);
    stretch(io ? m_lastVar : m_lastIo, sample.msecs);

    const Record r{sample, sample.msecs};
    if (qsizetype(m_size) < m_capacity) {
        m_ring.push_back(r);
        ++m_size;
    } else {
        const Sample& old = m_ring[m_head].sample;
        if (old.kind == Sample::Kind::Variables)
            for (int i = 0; i < 4; ++i)
                --m_addressCount[(old.first + i) & (kAddresses - 1)];
        m_ring[m_head] = r;
        m_head = (m_head + 1) % m_ring.size();
        ++m_dropped;
    }
    if (!io)
        for (int i = 0; i < 4; ++i)
            ++m_addressCount[(sample.first + i) & (kAddresses - 1)];
    (io ? m_lastIo : m_lastVar) = m_dropped + qint64(m_size) - 1;
}

void SampleStore::endRun()
{
    m_lastIo.reset();
    m_lastVar.reset();
}

qsizetype SampleStore::lowerBound(qint64 msecs) const
{
    qsizetype lo = 0, hi = size();
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (at(mid).msecs < msecs)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

QList<int> SampleStore::variableAddresses() const
{
    QList<int> addresses;
    for (int a = 0; a < kAddresses; ++a)
        if (m_addressCount[a] > 0)
            addresses << a;
    return addresses;
}

qsizetype SampleStore::standing(Sample::Kind kind, qint64 msecs) const
{
    // the last sample of the kind at or before msecs; none older than the longest hold counts
    for (qsizetype i = lowerBound(msecs + 1) - 1; i >= 0 && at(i).msecs >= msecs - kMaxHoldMs; --i) {
        if (at(i).kind != kind)
            continue;
        return (msecs == at(i).msecs || msecs < holdEnd(i)) ? i : -1;
    }
    return -1;
}

SampleStore::Reading SampleStore::ioAt(qint64 msecs) const
{
    const qsizetype i = standing(Sample::Kind::Io, msecs);
    if (i < 0)
        return {};
    const Sample& s = at(i);
    return {true, s.sound(), s.sound() ? s.inputs | (s.outputs << 8) : 0};
}

SampleStore::Reading SampleStore::variableAt(int address, qint64 msecs) const
{
    const qsizetype i = standing(Sample::Kind::Variables, msecs);
    if (i < 0)
        return {};
    const Sample& s = at(i);
    const int offset = address - s.first;
    if (offset < 0 || offset > 3) // another poll's addresses: this one was not in view then
        return {};
    return {true, s.sound(), s.sound() ? s.variables[size_t(offset)] : 0};
}

} // namespace plclink
