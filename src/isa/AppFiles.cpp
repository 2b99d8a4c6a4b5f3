// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
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
        *error = QStringLiteral("No se puede crear la carpeta %1").arg(folder);
    return false;
}

QString writeProblem(const QString& file)
{
    const QFileInfo info(file);
    if (!info.absoluteDir().exists())
        return QStringLiteral("No existe la carpeta %1").arg(info.absolutePath());
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
