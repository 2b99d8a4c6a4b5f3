// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain POSIX ends of a serial line for the tests: a descriptor read against a deadline, and a
// pseudo-terminal owned by the test, a serial port that opens with no PLC behind it, whose
// other end the test reads and writes itself.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

namespace testutil {

// An open descriptor, a terminal's set raw; closed at the end.
class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd)
    {
        termios t{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_fd, TCSANOW, &t);
        }
    }
    explicit Fd(const QString& path)
        : Fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int fd() const { return m_fd; }
    bool write(const QByteArray& b) { return ::write(m_fd, b.constData(), size_t(b.size())) == b.size(); }
    // What arrives until count bytes are in or timeoutMs ran out; by default what waits now.
    QByteArray read(qsizetype count = 1 << 20, int timeoutMs = 0)
    {
        QByteArray got;
        const QDeadlineTimer deadline(timeoutMs);
        pollfd p{m_fd, POLLIN, 0};
        char buffer[512];
        while (got.size() < count && ::poll(&p, 1, int(deadline.remainingTime())) > 0 &&
               (p.revents & POLLIN)) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }

private:
    int m_fd;
};

class Pty
{
public:
    QString path() const { return m_path; }
    int masterFd() const { return m_master.fd(); }
    int slaveFd() const { return m_slave.fd(); } // the device side: its line settings are the client's too
    // What the client has written: by default what waits now.
    QByteArray take(qsizetype count = 1 << 20, int timeoutMs = 0) { return m_master.read(count, timeoutMs); }
    void write(const QByteArray& bytes) { m_master.write(bytes); }

private:
    static QString unlocked(int fd)
    {
        return ::grantpt(fd) == 0 && ::unlockpt(fd) == 0 ? QString::fromLocal8Bit(::ptsname(fd)) : QString();
    }
    Fd m_master{::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK)};
    QString m_path = unlocked(m_master.fd());
    Fd m_slave{m_path}; // held open so the master never reads as hung up between the client's opens
};

// Root opens a file whatever its permissions, as long as CAP_DAC_OVERRIDE is in its effective
// set. Without it (and without its reading half) root is refused as a plain user is: a device
// that belongs to another user is "not allowed" for real. Restored at the end.
class WithoutOverride
{
public:
    WithoutOverride()
    {
        ::syscall(SYS_capget, &m_header, m_saved);
        __user_cap_data_struct reduced[2];
        std::memcpy(reduced, m_saved, sizeof reduced);
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &m_header, reduced);
    }
    ~WithoutOverride() { ::syscall(SYS_capset, &m_header, m_saved); }
    WithoutOverride(const WithoutOverride&) = delete;
    WithoutOverride& operator=(const WithoutOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
};

// Gives a device to another user, readable and writable by that user alone.
inline bool giveAway(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), 4242, 4242) == 0 && ::chmod(name.constData(), 0600) == 0;
}

} // namespace testutil
