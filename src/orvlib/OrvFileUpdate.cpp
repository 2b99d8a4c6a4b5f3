// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvFileUpdate.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvfile {

namespace {

// Long enough for any other process to finish its update, short enough that a stuck one
// cannot hang the caller.
constexpr int kLockWaitMs = 10000;

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

bool sameFile(int fd, const QByteArray& path)
{
    struct stat open
    {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

bool lockBefore(int fd, const QDeadlineTimer& deadline)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            return false;
        ::usleep(2000);
    }
    return true;
}

} // namespace

ReadStatus readSmallFile(const QString& path, QByteArray* bytes, QString* error)
{
    bytes->clear();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadStatus::Missing;
        *error = systemError(errno);
        return ReadStatus::Failed;
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = QStringLiteral("not a regular file");
        return ReadStatus::Failed;
    }
    // in pieces, no further than one piece past the bound should the file grow meanwhile
    char piece[65536];
    qint64 n = 0;
    while (info.st_size <= kMaxSmallFile && bytes->size() <= kMaxSmallFile &&
           (n = file.read(piece, sizeof piece)) > 0)
        bytes->append(piece, n);
    if (info.st_size > kMaxSmallFile || bytes->size() > kMaxSmallFile) {
        bytes->clear();
        *error = QStringLiteral("larger than %1 bytes").arg(kMaxSmallFile);
        return ReadStatus::Failed;
    }
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

bool replaceFile(const QString& path, const QByteArray& bytes, bool directFallback, QString* error)
{
    QSaveFile out(path);
    out.setDirectWriteFallback(directFallback);
    // unbuffered: a short write shows in write()'s count
    if (out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && out.write(bytes) == bytes.size() &&
        out.commit())
        return true;
    *error = out.errorString();
    out.cancelWriting();
    return false;
}

UpdateLock::UpdateLock(const QString& file)
{
    const QByteArray target = QFile::encodeName(file);
    const QDeadlineTimer deadline(kLockWaitMs);
    m_lockPath = target + ".lock";
    int openError = 0;
    for (;;) {
        const int fd = ::open(m_lockPath.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            openError = errno;
            break;
        }
        if (!lockBefore(fd, deadline)) {
            ::close(fd);
            m_error = QStringLiteral("%1 is being updated by another program").arg(file);
            return;
        }
        // the holder before us removed the lock file as it let go: lock the one there now
        if (sameFile(fd, m_lockPath)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
    m_lockPath.clear();
    if (openError == EACCES || openError == EPERM || openError == EROFS) {
        // no lock file may be made here, so the file is rewritten in place: lock the file itself
        const int fd = ::open(target.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd >= 0 && lockBefore(fd, deadline)) {
            m_fd = fd;
            return;
        }
        if (fd >= 0)
            ::close(fd);
    }
    m_error = QStringLiteral("cannot lock %1: %2").arg(file, systemError(openError));
}

UpdateLock::~UpdateLock()
{
    if (m_fd < 0)
        return;
    if (!m_lockPath.isEmpty())
        ::unlink(m_lockPath.constData());
    ::close(m_fd);
}

} // namespace orvfile
