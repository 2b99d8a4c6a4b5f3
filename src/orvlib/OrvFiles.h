// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string and file operations of OrvLibCls, free of the component plumbing.
// Paths from the original platform use "\"; on Linux the last of "\" and "/" separates.

#include <QString>

namespace orvfiles {

bool fileExist(const QString& path);
bool dirExists(const QString& path);
QString cutPath(const QString& fullPath);
QString getPath(const QString& fullPath);
QString cutExt(const QString& fileName);
QString getExt(const QString& fullName);
quint8 ascZ(const QString& character);
bool copyFile(const QString& from, const QString& to);
// Moves the file into the user's trash folder ($XDG_DATA_HOME/Trash, or
// ~/.local/share/Trash) as freedesktop.org lays it out; never a plain delete. A file on
// another disk than that folder is left in place (false).
bool moveToTrash(const QString& path);
// Hands the trimmed url to xdg-open as one argument, without a shell, and does not wait.
bool openUrl(const QString& url);

} // namespace orvfiles
