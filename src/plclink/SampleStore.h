// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor's history: every poll since the window opened, oldest dropped once the store is
// full. Besides each sample it keeps how long its answer stands, so a chart or a readout never
// shows a value for a time no poll answered.

#include "Sample.h"

#include <QList>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace plclink {

class SampleStore
{
public:
    // Two hours at the fast link's 14 polls a second: about 4 MB.
    static constexpr qsizetype kDefaultCapacity = 14 * 3600 * 2;
    // An answer stands until the next poll of its kind, but never longer than this: a poll
    // cycle that stalled (the other kind asked again and again, or polling stopped without
    // endRun) leaves a gap instead of a line through the silence.
    static constexpr qint64 kMaxHoldMs = 2500;

    explicit SampleStore(qsizetype capacity = kDefaultCapacity);

    void append(const Sample& sample);
    // Polling stopped: the last answers stand until the run's last poll, the next run starts
    // after a gap.
    void endRun();
    void clear();

    qsizetype size() const { return qsizetype(m_size); }
    qsizetype capacity() const { return m_capacity; }
    qint64 dropped() const { return m_dropped; } // samples lost to the capacity so far
    bool isEmpty() const { return m_size == 0; }
    // i from 0, the oldest kept
    const Sample& at(qsizetype i) const { return record(i).sample; }
    // Until when sample i's answer (or its lack of one) stands; its own time at the least.
    qint64 holdEnd(qsizetype i) const { return record(i).holdEnd; }
    // The first sample at or after msecs (size() when none).
    qsizetype lowerBound(qint64 msecs) const;
    // The variable addresses polled in the samples kept, ascending.
    QList<int> variableAddresses() const;

    // What the PLC said at one moment, from the poll whose answer stands then.
    struct Reading
    {
        bool polled = false; // a poll of this kind stands at that moment
        bool sound = false;  // and it was answered soundly: value holds
        int value = 0;       // Io: inputs | outputs << 8; a variable: its byte
    };
    Reading ioAt(qint64 msecs) const;
    Reading variableAt(int address, qint64 msecs) const;

private:
    struct Record
    {
        Sample sample;
        qint64 holdEnd;
    };
    const Record& record(qsizetype i) const { return m_ring[(m_head + size_t(i)) % m_ring.size()]; }
    Record& record(qsizetype i) { return m_ring[(m_head + size_t(i)) % m_ring.size()]; }
    // index of the standing sample of a kind at msecs, or -1
    qsizetype standing(Sample::Kind kind, qint64 msecs) const;
    void stretch(std::optional<qint64>& seq, qint64 until);

    qsizetype m_capacity;
    std::vector<Record> m_ring;
    size_t m_head = 0;
    size_t m_size = 0;
    qint64 m_dropped = 0;
    // the last sample of each kind in the current run, as a sequence number (dropped + index)
    std::optional<qint64> m_lastIo, m_lastVar;
    QList<int> m_addressCount; // per address, how many kept variable samples cover it
};

} // namespace plclink
