// SPDX-License-Identifier: GPL-3.0-or-later
#include "Poller.h"

#include "Exchanges.h"

#include <QPointer>

namespace plclink {

Poller::Poller(Link& link, std::function<quint8()> station, std::function<int()> first, QObject* parent)
    : QObject(parent), m_link(link), m_station(std::move(station)), m_first(std::move(first))
{
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, &Poller::poll);
}

Poller::~Poller()
{
    // gone in the middle of a poll: its wait ends at once and finds nobody to tell
    if (m_inPoll)
        m_link.waits().cutShort();
}

void Poller::start()
{
    if (polling())
        return;
    m_busy.emplace(m_link);
    m_io = true;
    m_stop = false;
    m_portError.reset();
    m_next.start();
}

void Poller::stop()
{
    m_stop = true;
    if (!m_inPoll)
        finish();
}

void Poller::poll()
{
    if (m_stop || !polling()) {
        finish();
        return;
    }
    const QPointer<Poller> self(this);
    const Sample::Kind kind = m_io ? Sample::Kind::Io : Sample::Kind::Variables;
    m_inPoll = true;
    emit asking(kind);
    if (!self)
        return;
    const auto s = plclink::poll(m_link, m_station(), kind, m_io ? 0 : m_first(), [self] {
        if (self)
            emit self->sent();
    });
    if (!self)
        return;
    if (!s) { // the waits were cut short: whoever asked is going away
        finish();
        return;
    }
    m_portError = s->fault == Sample::Fault::Port ? m_link.reopenError() : std::nullopt;
    if (!s->sound())
        m_link.close(); // the next poll opens the port afresh
    // a poll not soundly answered is asked again, so a late answer is taken for its own kind
    m_io = s->sound() ? !m_io : m_io;
    emit sample(*s); // a stop() asked for here takes effect below
    if (!self)
        return;
    // a port that is not there is tried again at the pace of the polls, not at once
    if (m_portError && !m_stop && !m_link.wait(Waits::kAnswer)) {
        if (!self)
            return;
        m_stop = true;
    }
    if (!self)
        return;
    m_inPoll = false;
    if (m_stop)
        finish();
    else
        m_next.start();
}

void Poller::finish()
{
    m_next.stop();
    m_stop = false;
    m_inPoll = false;
    if (!m_busy)
        return;
    m_busy.reset();
    emit finished();
}

} // namespace plclink
