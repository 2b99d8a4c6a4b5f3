// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the programs' texts. Spanish is the source text and needs no catalogue;
// every other language is a catalogue wmk38_<code>.qm in the translations folder beside the
// data (build/bin/translations, share/wmk38/translations). The editor and mk38c follow one rule:
// the setting Idioma when it names a language, else the system's, else Spanish.

#include <QString>
#include <QStringList>
#include <functional>

namespace language {

inline const QString kSpanish = QStringLiteral("es");
inline const QString kEnglish = QStringLiteral("en");

// Reads an environment variable; the process's own unless a test gives another.
using Environment = std::function<QString(const char* name)>;
QString processEnvironment(const char* name);

// The languages that have texts: Spanish, and one per catalogue in the translations folder.
QStringList available(const QString& dataFolder);

// The system's language, as gettext reads it: a C or POSIX locale (LC_ALL, LC_MESSAGES, LANG,
// the first one set) means Spanish, so scripts see the classic texts; otherwise the first entry
// of LANGUAGE with texts, else the locale's own language when it has texts, else Spanish.
QString systemLanguage(const QStringList& available, const Environment& env = processEnvironment);

// The language to use: setting ("es", "en", ...) when it has texts, else the system's.
QString choose(const QString& setting, const QStringList& available,
               const Environment& env = processEnvironment);

// Puts language in use for this process: its catalogue and Qt's own texts for it (Qt's built-in
// English needs none), replacing what an earlier call installed. False when its catalogue could
// not be loaded; the texts then stay Spanish.
bool use(const QString& language, const QString& dataFolder);
// The language last put in use; Spanish before any.
QString current();

// A data file in the language in use: name_<code>.ext from folder when it exists, else name.
QString localizedFile(const QString& folder, const QString& name);

} // namespace language
