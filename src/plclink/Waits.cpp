// SPDX-License-Identifier: GPL-3.0-or-later
#include "Waits.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace plclink {

int Waits::scaled(int ms) const { return int(std::lround(ms * m_scale)); }

bool Waits::wait(int ms) { return wait(ms, {}); }

bool Waits::wait(int ms, const std::function<int()>& doneIn)
{
    if (m_record)
        m_record->append(ms);
    // the deadline, not the timer, decides: a timer may still fire a little early
    const QDeadlineTimer deadline(std::chrono::milliseconds(scaled(ms)), Qt::PreciseTimer);
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_loops.append(&loop);
    while (!m_cutShort && !deadline.hasExpired()) {
        qint64 next = deadline.remainingTime();
        if (doneIn) {
            const int again = doneIn();
            if (again == 0)
                break;
            if (again > 0)
                next = std::min<qint64>(next, again);
        }
        timer.start(std::max<qint64>(1, next));
        loop.exec();
    }
    m_loops.removeOne(&loop);
    return !m_cutShort;
}

void Waits::wake()
{
    if (!m_loops.isEmpty())
        m_loops.last()->quit();
}

void Waits::cutShort()
{
    m_cutShort = true;
    for (QEventLoop* loop : m_loops)
        loop->quit();
}

} // namespace plclink
