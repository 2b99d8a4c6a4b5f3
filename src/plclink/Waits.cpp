#include "Waits.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace plclink {

int Waits::scaled(int ms) const { return int(std::lround(ms * m_scale)); }

bool Waits::wait(int ms)
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
        timer.start(std::max<qint64>(1, deadline.remainingTime()));
        loop.exec();
    }
    m_loops.removeOne(&loop);
    return !m_cutShort;
}

void Waits::cutShort()
{
    m_cutShort = true;
    for (QEventLoop* loop : m_loops)
        loop->quit();
}

} // namespace plclink
