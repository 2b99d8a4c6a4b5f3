// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include "Console.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTime>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

int s_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(s_signalPipe[1], &c, 1);
}

int msUntil(qint64 dueNs, qint64 nowNs)
{
    return int((dueNs - nowNs + 999999) / 1000000);
}

void printLine(const QString& line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QString systemError(const QString& what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

Simulator::Simulator(Plc& plc, const Options& options, QObject* parent)
    : QObject(parent), m_plc(plc), m_options(options), m_fault(options.fault)
{
    m_pumpTimer.setSingleShot(true);
    m_pumpTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pumpTimer, &QTimer::timeout, this, &Simulator::pump);
    m_receiveTimer.setSingleShot(true);
    m_receiveTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_receiveTimer, &QTimer::timeout, this, &Simulator::releaseReceived);
    m_clock.start();
    m_startTime = QTime::currentTime();
}

Simulator::~Simulator()
{
    shutDown();
}

bool Simulator::open(QString& error)
{
    // signals first: a test may stop the simulator as soon as the link exists
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_signalPipe) != 0) {
        error = systemError(QStringLiteral("signal pipe"));
        return false;
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a reader of stdout that went away must not end the PLC

    if (!m_options.logPath.isEmpty()) {
        m_log.setFileName(m_options.logPath);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = QStringLiteral("%1: %2").arg(m_options.logPath, m_log.errorString());
            return false;
        }
    }

    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = systemError(QStringLiteral("pseudo-terminal"));
        return false;
    }
    m_device = QString::fromLocal8Bit(::ptsname(m_master));
    m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = systemError(m_device);
        return false;
    }
    termios tio = {};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B2400);
    ::cfsetospeed(&tio, B2400);
    tio.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    if (!m_options.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_options.linkPath);
        const QFileInfo info(m_options.linkPath);
        // a link left by an earlier run is replaced; anything else is the user's and stays
        if (info.isSymLink())
            ::unlink(link.constData());
        else if (info.exists()) {
            error = QStringLiteral("%1 exists and is not a symbolic link").arg(m_options.linkPath);
            return false;
        }
        if (::symlink(QFile::encodeName(m_device).constData(), link.constData()) != 0) {
            error = systemError(m_options.linkPath);
            return false;
        }
        m_linked = true;
    }
    return true;
}

void Simulator::listen()
{
    m_lineNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_lineNotifier, &QSocketNotifier::activated, this, &Simulator::readLine);
    m_signalNotifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [] { QCoreApplication::exit(0); });
    if (::fcntl(STDIN_FILENO, F_GETFL) != -1) {
        m_consoleNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(m_consoleNotifier, &QSocketNotifier::activated, this, &Simulator::readConsole);
    }
}

void Simulator::shutDown()
{
    m_pumpTimer.stop();
    m_receiveTimer.stop();
    for (QSocketNotifier* n : {m_lineNotifier, m_consoleNotifier, m_signalNotifier})
        if (n)
            n->setEnabled(false);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    if (m_linked) {
        // another simulator may have taken the name over since; its link stays
        const QByteArray link = QFile::encodeName(m_options.linkPath);
        if (QFileInfo(m_options.linkPath).symLinkTarget() == QFileInfo(m_device).absoluteFilePath())
            ::unlink(link.constData());
        m_linked = false;
    }
}

void Simulator::readLine()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            if (m_options.pace)
                releaseReceived();
            return;
        }
        if (n <= 0) {
            std::fprintf(stderr, "mk38sim: the line failed: %s\n", n < 0 ? std::strerror(errno) : "closed");
            QCoreApplication::exit(1);
            m_lineNotifier->setEnabled(false);
            return;
        }
        if (m_options.pace) {
            m_rxLine.send(QByteArrayView(buffer, n), m_clock.nsecsElapsed());
            continue;
        }
        deliver(QByteArrayView(buffer, n), m_clock.elapsed());
        if (m_master < 0)
            return; // hung up
    }
}

void Simulator::releaseReceived()
{
    // byte by byte, each at its own arrival time, so a timer that fires late cannot hide a gap
    for (const PacedLine::Byte& b : m_rxLine.takeArrived(m_clock.nsecsElapsed())) {
        deliver(QByteArrayView(&b.value, 1), b.arrivalNs / 1000000);
        if (m_master < 0)
            return; // hung up
    }
    if (!m_rxLine.isEmpty())
        m_receiveTimer.start(msUntil(m_rxLine.nextArrivalNs(), m_clock.nsecsElapsed()));
}

void Simulator::deliver(QByteArrayView bytes, qint64 atMs)
{
    for (const Received& r : m_reader.feed(bytes, atMs)) {
        log("rx", r.bytes);
        if (r.isBody()) {
            if (m_plc.addressedHere(quint8(r.header.at(0))))
                answer(m_plc.storeProgram(r.header, r.bytes));
        } else if (m_plc.addressedHere(quint8(r.bytes.at(0)))) {
            answer(m_plc.execute(r.bytes));
        }
        if (m_master < 0)
            return; // hung up
    }
}

void Simulator::answer(Answer answer)
{
    if (answer.kind == Answer::None)
        return;
    qint64 due = m_clock.nsecsElapsed();
    if (m_fault.strikes(answer)) {
        switch (m_fault.kind()) {
        case Fault::Silence:
            return;
        case Fault::Hangup:
            hangUp();
            return;
        case Fault::Late:
            due += qint64(m_options.lateMs) * 1000000;
            break;
        case Fault::Gap: {
            // the second half leaves once the line has been quiet for the gap after the first
            const QByteArray first = answer.bytes.left(answer.bytes.size() / 2);
            const qint64 rest = due + ((m_options.pace ? first.size() : 0) + m_options.gapBytes) * kByteNs;
            m_queue.append({first, due, answer.bytes});
            m_queue.append({answer.bytes.mid(first.size()), rest, {}});
            pump();
            return;
        }
        default:
            m_fault.reshape(answer);
            break;
        }
    }
    m_queue.append({answer.bytes, due, answer.bytes});
    pump();
}

void Simulator::pump()
{
    if (m_master < 0)
        return;
    const qint64 now = m_clock.nsecsElapsed();
    while (!m_queue.isEmpty() && m_queue.front().dueNs <= now) {
        const Outgoing out = m_queue.takeFirst();
        if (!out.logged.isEmpty())
            log("tx", out.logged);
        if (m_options.pace) {
            m_txLine.send(out.bytes, out.dueNs);
            continue;
        }
        // a line nobody reads loses what does not fit, as a real one would
        [[maybe_unused]] const auto n = ::write(m_master, out.bytes.constData(), size_t(out.bytes.size()));
    }
    // a paced byte reaches the PC when its line time has ended, not when it starts
    for (const PacedLine::Byte& b : m_txLine.takeArrived(now))
        [[maybe_unused]] const auto n = ::write(m_master, &b.value, 1);
    qint64 next = m_queue.isEmpty() ? -1 : m_queue.front().dueNs;
    if (!m_txLine.isEmpty() && (next < 0 || m_txLine.nextArrivalNs() < next))
        next = m_txLine.nextArrivalNs();
    if (next >= 0)
        m_pumpTimer.start(msUntil(next, now));
}

void Simulator::hangUp()
{
    std::fprintf(stderr, "mk38sim: hangup fault: the line is closed\n");
    std::fflush(stderr);
    m_queue.clear();
    m_txLine = {};
    shutDown();
    QCoreApplication::exit(0);
}

void Simulator::readConsole()
{
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
        return;
    if (n <= 0) {
        // the end of the console does not end the PLC
        m_consoleNotifier->setEnabled(false);
        return;
    }
    m_consoleBuffer.append(buffer, n);
    for (qsizetype end; (end = m_consoleBuffer.indexOf('\n')) >= 0;) {
        const QString line = QString::fromLocal8Bit(m_consoleBuffer.left(end));
        m_consoleBuffer.remove(0, end + 1);
        for (const QString& out : consoleCommand(line, m_plc, m_fault))
            printLine(out);
    }
}

void Simulator::log(const char* direction, const QByteArray& bytes)
{
    if (!m_log.isOpen())
        return;
    // the times follow the monotonic clock, so the gap between two lines is a true duration
    m_log.write(m_startTime.addMSecs(int(m_clock.elapsed() % 86400000))
                    .toString(QStringLiteral("HH:mm:ss.zzz"))
                    .toLatin1() +
                ' ' + direction + ' ' + bytes.toHex(' ').toUpper() + '\n');
    m_log.flush();
}

} // namespace sim
