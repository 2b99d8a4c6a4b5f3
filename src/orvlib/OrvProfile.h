// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows profile ("ini") files as the platform's profile functions read and write them:
// section and key names match without regard to letter case, blanks around names and values
// are ignored, Windows-1252 text (a leading UTF-8 byte-order mark is no part of it), CR LF
// written, CR LF or LF read.

#include <QString>

namespace orvprofile {

// The value of key in section, cut to maxChars; defaultValue when the key is missing or the
// file is not a regular file of settings size (a pipe or a device is never read).
QString readString(const QString& file, const QString& section, const QString& key,
                   const QString& defaultValue, qsizetype maxChars);
// Sets key = value, creating the file or the section when missing and keeping every other
// line as it was (a UTF-8 byte-order mark included). The update holds a lock against other
// writers and replaces the file in one step. False, with *error, when the file cannot be read
// or written, or a name or value would break the file's lines or has characters Windows-1252
// cannot hold; the file is then left as it was.
bool writeString(const QString& file, const QString& section, const QString& key, const QString& value,
                 QString* error = nullptr);

} // namespace orvprofile
