// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFiles.h"

#include "Cp1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace appfiles {

namespace {

const QString kDefinitions = QStringLiteral("es.def");
const QString kSettings = QStringLiteral("dmk38.ini");

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString sharedDataFolder(const QString& programFolder)
{
    return withSlash(QDir::cleanPath(withSlash(programFolder) + QStringLiteral("../share/wmk38")));
}

// access(), not the permission bits: what the running user may really do, root included
bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

bool isInstalled(const QString& programFolder)
{
    return !QFileInfo::exists(withSlash(programFolder) + kDefinitions) &&
           QFileInfo::exists(sharedDataFolder(programFolder) + kDefinitions);
}

QString dataFolder(const QString& programFolder)
{
    return isInstalled(programFolder) ? sharedDataFolder(programFolder) : withSlash(programFolder);
}

QString settingsFile(const QString& programFolder)
{
    // an installed program never writes beside itself, not even when root could
    if (!isInstalled(programFolder)) {
        const QString beside = withSlash(programFolder) + kSettings;
        // a writable file is rewritten in place; a writable folder takes a new one
        if (writable(beside) || writable(programFolder))
            return beside;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/wmk38/") + kSettings;
}

bool readSettingsFile(const QString& file, QByteArray* bytes, QString* problem)
{
    bytes->clear();
    const auto refuse = [&](const QString& why) {
        *problem =
            QCoreApplication::translate("AppFiles", "Se ignora %1: %2; se usan los valores por omisión.")
                .arg(file, why);
        bytes->clear();
        return false;
    };
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? true : refuse(QString::fromLocal8Bit(std::strerror(errno)));
    QFile in;
    in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(info.st_mode))
        return refuse(
            QCoreApplication::translate("AppFiles", "es una carpeta, no un archivo de configuración"));
    if (S_ISFIFO(info.st_mode))
        return refuse(QCoreApplication::translate(
            "AppFiles", "es una tubería con nombre (FIFO), no un archivo de configuración"));
    if (!S_ISREG(info.st_mode))
        return refuse(QCoreApplication::translate(
            "AppFiles", "es un dispositivo o un socket, no un archivo de configuración"));
    // one byte past the bound tells a file that grew meanwhile
    *bytes = in.read(kMaxSettingsFile + 1);
    if (info.st_size > kMaxSettingsFile || bytes->size() > kMaxSettingsFile)
        return refuse(
            QCoreApplication::translate(
                "AppFiles", "mide más de 1 MB (%1 bytes), demasiado para un archivo de configuración")
                .arg(std::max<qint64>(info.st_size, bytes->size())));
    if (in.error() != QFileDevice::NoError)
        return refuse(in.errorString());
    return true;
}

QList<std::pair<QString, QString>> settingsSection(const QByteArray& text, QStringView section)
{
    QList<std::pair<QString, QString>> entries;
    bool inSection = false, sectionSeen = false;
    for (QString line : isa::fromCp1252(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype end = line.indexOf(u']');
            const bool match = (end < 0 ? line.mid(1) : line.mid(1, end - 1))
                                   .trimmed()
                                   .compare(section, Qt::CaseInsensitive) == 0;
            inSection = match && !sectionSeen;
            sectionSeen = sectionSeen || match;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq <= 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        entries.append({line.left(eq).trimmed(), value});
    }
    return entries;
}

QString defaultProgramFolder(const QString& programFolder)
{
    const QString folder = withSlash(programFolder);
    return settingsFile(folder) == folder + kSettings ? folder : withSlash(QDir::homePath());
}

bool makeFolderOf(const QString& file, QString* error)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    if (error)
        *error = QCoreApplication::translate("AppFiles", "No se puede crear la carpeta %1").arg(folder);
    return false;
}

QString writeProblem(const QString& file)
{
    const QFileInfo info(file);
    if (!info.absoluteDir().exists())
        return QCoreApplication::translate("AppFiles", "No existe la carpeta %1").arg(info.absolutePath());
    QFile existing(file);
    if (existing.exists() && !existing.open(QIODevice::ReadWrite))
        return existing.errorString();
    // the file is replaced through a new one beside it: that one needs room in the folder
    QTemporaryFile probe(file + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    const QByteArray block(info.size() + 4096, ' ');
    if (probe.write(block) != block.size() || !probe.flush())
        return probe.errorString();
    return {};
}

} // namespace appfiles
