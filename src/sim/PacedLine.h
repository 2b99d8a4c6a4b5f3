// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One direction of a 2400-baud 8N1 line: a byte arrives one byte time after the line was free for it.

#include <QByteArrayView>
#include <QList>

namespace sim {

constexpr qint64 kByteNs = 1000000000 / 240; // 10 bits a byte

class PacedLine
{
public:
    struct Byte
    {
        char value;
        qint64 arrivalNs;
    };

    // Puts bytes handed over at sentNs on the line, behind those still crossing it.
    void send(QByteArrayView bytes, qint64 sentNs);
    // The bytes that have arrived by nowNs, oldest first, taken off the line.
    QList<Byte> takeArrived(qint64 nowNs);
    bool isEmpty() const { return m_bytes.isEmpty(); }
    // When the next byte arrives; only while the line is not empty.
    qint64 nextArrivalNs() const { return m_bytes.front().arrivalNs; }

private:
    QList<Byte> m_bytes;
    qint64 m_freeNs = 0; // when the last byte on the line has arrived
};

} // namespace sim
