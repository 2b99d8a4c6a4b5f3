// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated PLC on a pseudo-terminal: the line, the answers leaving it, the log and the console.

#include "Fault.h"
#include "FrameReader.h"
#include "PacedLine.h"
#include "Plc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTime>
#include <QTimer>

class QSocketNotifier;

namespace sim {

constexpr int kDefaultLateMs = 3000;
constexpr int kDefaultGapBytes = 6;

struct Options
{
    QString linkPath;
    QString logPath;
    bool pace = false;
    int lateMs = kDefaultLateMs;
    int gapBytes = kDefaultGapBytes;
    Fault fault;
};

class Simulator : public QObject
{
    Q_OBJECT
public:
    Simulator(Plc& plc, const Options& options, QObject* parent = nullptr);
    ~Simulator() override;

    // Opens the log, the pseudo-terminal and the link; false with a message when one fails.
    bool open(QString& error);
    QString device() const { return m_device; }
    // Starts serving the line and the console until a signal or a hangup fault ends the event loop.
    void listen();
    // Closes the line and removes the link; safe to call twice.
    void shutDown();

private:
    struct Outgoing
    {
        QByteArray bytes;
        qint64 dueNs = 0;
        QByteArray logged; // the whole answer, logged once as it starts to leave
    };

    void readLine();
    void releaseReceived();
    void deliver(QByteArrayView bytes, qint64 atMs);
    void readConsole();
    void answer(Answer answer);
    void pump();
    void hangUp();
    void log(const char* direction, const QByteArray& bytes);

    Plc& m_plc;
    Options m_options;
    Fault m_fault;
    FrameReader m_reader;
    QFile m_log;
    QString m_device;
    int m_master = -1;
    int m_slave = -1; // held open so the line never hangs up when a client closes it
    bool m_linked = false;
    QSocketNotifier* m_lineNotifier = nullptr;
    QSocketNotifier* m_consoleNotifier = nullptr;
    QSocketNotifier* m_signalNotifier = nullptr;
    QByteArray m_consoleBuffer;
    QList<Outgoing> m_queue;
    QTimer m_pumpTimer;
    QTimer m_receiveTimer;
    PacedLine m_rxLine; // with --pace, what the PC sent and has not yet arrived
    PacedLine m_txLine; // with --pace, answers on their way to the PC
    QElapsedTimer m_clock;
    QTime m_startTime;
};

} // namespace sim
