// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameReader.h"

#include "Plc.h"

namespace sim {

QList<Received> FrameReader::feed(QByteArrayView bytes, qint64 nowMs)
{
    if (bytes.isEmpty())
        return {};
    const qint64 gap = nowMs - m_lastByteMs;
    if (!m_header.isEmpty() ? gap > kBodyGapMs : (!m_buffer.isEmpty() && gap > kFrameGapMs)) {
        m_buffer.clear();
        m_header.clear();
    }
    m_lastByteMs = nowMs;
    m_buffer.append(bytes.data(), bytes.size());

    QList<Received> out;
    for (;;) {
        if (!m_header.isEmpty()) {
            if (m_buffer.size() < kBodySize)
                break;
            out.append({m_buffer.left(kBodySize), m_header});
            m_buffer.remove(0, kBodySize);
            m_header.clear();
            continue;
        }
        if (m_buffer.size() < kFrameSize)
            break;
        if (xorOf(QByteArrayView(m_buffer).first(kFrameSize)) != 0) {
            m_buffer.remove(0, 1); // resynchronise one byte later
            continue;
        }
        const QByteArray frame = m_buffer.left(kFrameSize);
        m_buffer.remove(0, kFrameSize);
        out.append({frame, {}});
        // a body follows any header, even one for another station, so it is never read as frames
        if (quint8(frame.at(1)) == kCmdProgram)
            m_header = frame;
    }
    return out;
}

} // namespace sim
