#include "OrvFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <algorithm>

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
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
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

bool moveToTrash(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return QFile::moveToTrash(path);
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
