// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor's poll cycle as a stream: the input/output poll and the variable poll alternate,
// a poll whose answer was not sound is asked again (a late answer is then taken for its own
// kind), and a bad answer closes the port so the next poll opens it afresh. Each poll is one
// exchange through the link's waits and gives one Sample; between polls the event loop runs,
// so whatever ends the caller (a window closing, a signal) is seen at once.

#include "Link.h"
#include "Sample.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace plclink {

class Poller : public QObject
{
    Q_OBJECT
public:
    // station: PlcId; first: the first variable in view, read at each variable poll.
    Poller(Link& link, std::function<quint8()> station, std::function<int()> first, QObject* parent = nullptr);
    ~Poller() override;

    // Starts with an input/output poll; the link is held busy until finished().
    void start();
    // Polling ends at the end of the poll under way (at once between polls).
    void stop();
    bool polling() const { return m_busy.has_value(); }
    // Why the last poll found no port to send on (a Sample::Fault::Port), if it did.
    std::optional<PortError> portError() const { return m_portError; }

signals:
    void asking(plclink::Sample::Kind kind); // before the frame goes out
    void sent();                             // the frame is out; its answer is awaited
    void sample(const plclink::Sample& sample);
    void finished();

private:
    void poll();
    void finish();

    Link& m_link;
    std::function<quint8()> m_station;
    std::function<int()> m_first;
    QTimer m_next;
    std::optional<Link::Busy> m_busy;
    std::optional<PortError> m_portError;
    bool m_io = true; // the kind of the next poll
    bool m_stop = false;
    bool m_inPoll = false;
};

} // namespace plclink
