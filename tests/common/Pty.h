#pragma once
// A pseudo-terminal owned by the test: a serial port that opens with no PLC behind it, whose
// other end the test reads and writes itself.

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace testutil {

class Pty
{
public:
    Pty()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        // held open so the master never reads as hung up between the client's opens
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
        termios t{};
        if (m_slave >= 0 && ::tcgetattr(m_slave, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_slave, TCSANOW, &t);
        }
    }
    ~Pty()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    QString path() const { return m_path; }
    int masterFd() const { return m_master; }
    // What the client has written so far.
    QByteArray take()
    {
        QByteArray all;
        char buf[512];
        for (;;) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0)
                return all;
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                return all;
            all.append(buf, n);
        }
    }
    void write(const QByteArray& bytes) { (void)!::write(m_master, bytes.constData(), size_t(bytes.size())); }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

} // namespace testutil
