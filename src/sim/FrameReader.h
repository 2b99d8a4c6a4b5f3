// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cuts the bytes from the line into 7-byte frames and the program bodies that follow "P" headers.

#include <QByteArray>
#include <QList>

namespace sim {

// A partial frame older than this is noise; the PC sends a frame in one go.
constexpr qint64 kFrameGapMs = 100;
// The PC sends the body 120 ms after its header; a second of silence means it gave up.
constexpr qint64 kBodyGapMs = 1000;

struct Received
{
    QByteArray bytes;  // a frame, or a 258-byte body
    QByteArray header; // the "P" header a body belongs to; empty for a frame
    bool isBody() const { return !header.isEmpty(); }
};

class FrameReader
{
public:
    QList<Received> feed(QByteArrayView bytes, qint64 nowMs);

private:
    QByteArray m_buffer;
    QByteArray m_header; // set while a body is being gathered
    qint64 m_lastByteMs = 0;
};

} // namespace sim
