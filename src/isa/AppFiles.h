// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the programs find their own files. A copy that keeps its data beside the program (the
// build tree, a folder of the user's) is portable: data and settings stay there while that
// folder can be written. An installed program takes its data from ../share/wmk38 and keeps each
// user's settings under $XDG_CONFIG_HOME/wmk38. The editor and mk38c both follow these rules.
// programFolder is the folder of the running program; folders returned end in '/'.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace appfiles {

// True when the data is not beside the program but in ../share/wmk38.
bool isInstalled(const QString& programFolder);
// The folder of es.def, qhelp.ayd and the manual; the program's own when neither has es.def.
QString dataFolder(const QString& programFolder);
// dmk38.ini: beside a portable program when it can be written there, else the user's own.
QString settingsFile(const QString& programFolder);
// A settings file larger than this is no settings file: it is refused whole.
constexpr qint64 kMaxSettingsFile = 1024 * 1024;
// Reads a settings file: a regular file of at most kMaxSettingsFile bytes, opened without
// waiting on it (a named pipe, a folder or a device is never read). A missing file is no
// problem: true with no bytes. False, with *problem naming the file and why it is ignored.
bool readSettingsFile(const QString& file, QByteArray* bytes, QString* problem);
// The key = value lines of one section of a settings text, in file order, by the profile rules
// the editor writes it with: Windows-1252 text, a section name in any letter case, the first
// section of that name alone, names and values trimmed, one pair of quotes around a value dropped.
QList<std::pair<QString, QString>> settingsSection(const QByteArray& text, QStringView section);

// The folder offered for programs when none is set: the program's own where its settings live
// beside it, else the user's home.
QString defaultProgramFolder(const QString& programFolder);

// Creates the folder of a settings file (first save); false with *error naming it.
bool makeFolderOf(const QString& file, QString* error);
// Why file cannot be written (permissions, a full disk, a missing folder), found by trying;
// empty when a new try would succeed.
QString writeProblem(const QString& file);

} // namespace appfiles
