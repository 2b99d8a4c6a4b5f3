// SPDX-License-Identifier: GPL-3.0-or-later
#include "PacedLine.h"

namespace sim {

void PacedLine::send(QByteArrayView bytes, qint64 sentNs)
{
    for (const char c : bytes) {
        // an idle line starts the byte when it is handed over, a busy one when the previous ends
        m_freeNs = qMax(m_freeNs, sentNs) + kByteNs;
        m_bytes.append({c, m_freeNs});
    }
}

QList<PacedLine::Byte> PacedLine::takeArrived(qint64 nowNs)
{
    qsizetype n = 0;
    while (n < m_bytes.size() && m_bytes.at(n).arrivalNs <= nowNs)
        ++n;
    QList<Byte> arrived = m_bytes.first(n);
    m_bytes.remove(0, n);
    return arrived;
}

} // namespace sim
