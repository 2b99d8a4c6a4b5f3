// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvfiles {

namespace {

qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

} // namespace

bool fileExist(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    // non-blocking, or a named pipe without a writer would hang the caller here
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    // a folder opens for reading on Linux, but is no file to read text from
    const bool isFile = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return isFile;
}

bool dirExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString cutPath(const QString& fullPath)
{
    return fullPath.mid(lastSeparator(fullPath) + 1);
}

QString getPath(const QString& fullPath)
{
    const qsizetype last = lastSeparator(fullPath);
    return last < 0 ? QString() : fullPath.left(last + 1);
}

QString cutExt(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QString getExt(const QString& fullName)
{
    const QString name = cutPath(fullName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

quint8 ascZ(const QString& character)
{
    return character.isEmpty() ? 0 : quint8(character.at(0).unicode() & 0xFF);
}

bool copyFile(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    QFile source(from);
    if (QFileInfo(from).isDir() || !source.open(QIODevice::ReadOnly))
        return false;
    // written beside the target and renamed over it: a failed copy leaves the old target whole
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    char buffer[65536];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (target.write(buffer, n) != n)
            return false;
    }
    if (!target.commit())
        return false;
    QFile::setPermissions(to, source.permissions());
    return true;
}

namespace {

QString trashFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Trash");
}

} // namespace

bool moveToTrash(const QString& path)
{
    const QFileInfo source(path);
    if (path.isEmpty() || (!source.exists() && !source.isSymLink()))
        return false;
    const QDir trash(trashFolder());
    const bool created = !trash.exists();
    if (!QDir().mkpath(trash.filePath(QStringLiteral("files"))) ||
        !QDir().mkpath(trash.filePath(QStringLiteral("info"))))
        return false;
    if (created)
        QFile::setPermissions(trash.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // the info file, made exclusively, reserves the name in the trash
    const QString name = source.fileName();
    QString trashedName;
    int fd = -1;
    for (int n = 1; fd < 0 && n < 10000; ++n) {
        trashedName = n == 1 ? name : QStringLiteral("%1.%2").arg(name).arg(n);
        const QByteArray info =
            QFile::encodeName(trash.filePath(QStringLiteral("info/%1.trashinfo").arg(trashedName)));
        fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return false;
        if (fd >= 0 && QFileInfo::exists(trash.filePath(QStringLiteral("files/") + trashedName))) {
            ::close(fd);
            ::unlink(info.constData());
            fd = -1;
        }
    }
    if (fd < 0)
        return false;
    const QString infoPath = trash.filePath(QStringLiteral("info/%1.trashinfo").arg(trashedName));
    const QByteArray text =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(source.absoluteFilePath(), "/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() + "\n";
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    // a file on another disk cannot be renamed into the home trash; it stays where it is
    if (!written ||
        ::rename(QFile::encodeName(source.absoluteFilePath()).constData(),
                 QFile::encodeName(trash.filePath(QStringLiteral("files/") + trashedName)).constData()) !=
            0) {
        QFile::remove(infoPath);
        return false;
    }
    return true;
}

bool openUrl(const QString& url)
{
    const QString target = url.trimmed();
    // a leading "-" would reach xdg-open as an option
    if (target.isEmpty() || target.startsWith(u'-') || target.contains(QChar(0)))
        return false;
    // detached: the opener may run a browser in the foreground, and the caller must not wait for it
    return QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}

} // namespace orvfiles
