// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Read-modify-write of the small text files the library keeps (the registration store, profile
// files), safe when several processes update one file at once: the update holds a lock, reads
// only a regular file of bounded size, and replaces the file in one step.

#include <QByteArray>
#include <QString>

namespace orvfile {

// Larger than any settings or registration file; a bigger one is refused, not read.
constexpr qint64 kMaxSmallFile = 16 * 1024 * 1024;

enum class ReadStatus
{
    Ok,
    Missing,
    Failed
};

// Reads a regular file of at most kMaxSmallFile bytes without waiting on it (a named pipe or a
// device is refused, never opened for a blocking read). Missing: no file of that name.
ReadStatus readSmallFile(const QString& path, QByteArray* bytes, QString* error);

// Replaces the file with bytes through a temporary file beside it and a rename. With
// directFallback, a folder where no temporary file may be made still lets the file itself be
// rewritten in place.
bool replaceFile(const QString& path, const QByteArray& bytes, bool directFallback, QString* error);

// An exclusive lock on "<file>.lock" for one update, removed again when released; other
// processes wait for it (up to a few seconds). Where no lock file can be made beside the file
// (a read-only folder), the file itself is locked.
class UpdateLock
{
public:
    explicit UpdateLock(const QString& file);
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    bool isLocked() const { return m_fd >= 0; }
    const QString& errorString() const { return m_error; }

private:
    int m_fd = -1;
    QByteArray m_lockPath; // empty when the file itself is locked
    QString m_error;
};

} // namespace orvfile
