// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user settings kept in dmk38.ini (section "Set"), read once at start-up and written once
// when leaving, only through the OrvLib2 profile members. Where the file lives is decided by
// appfiles::settingsFile.

#include "ColorScheme.h"
#include "Link.h"

#include <QColor>
#include <QString>
#include <array>

class OrvLib;

struct EditorSettings
{
    int plcId = 1;
    int com = 6; // selected port 1..6; the window starts with COM6 selected
    ColorScheme colors = kDefaultScheme; // FCol, BCol, HCol
    bool autoIndent = true;
    // 0 "Reiniciar PLC", 1 "Reset variables", 2 "Retener variables"; -1 when none is marked,
    // stored as -1 so the next start marks none again
    int runMode = 0;
    QString programFolder;
    bool fastLink = false; // off unless the file says so
    // section "Puertos": the device of COM1..COM6, empty for the default; read by the link's own
    // reader (plclink::readPortSettings), the one mk38c uses
    std::array<QString, plclink::kComPorts> devices;
    bool highlight = true;   // "Resaltar": colours by token
    bool lineNumbers = true; // "Lineas"
    bool chartShown = true; // "Grafico": the Monitor's chart, shown unless the file says not
    QString language; // "Idioma": "es", "en", or empty for the system's
};

// Missing keys take their defaults (settings.programFolder is the default of "PrgP"); a value
// that cannot be converted leaves its setting as it was; a "COM" outside 1..6 leaves the port
// unchanged.
void loadSettings(OrvLib& lib, const QString& file, EditorSettings& settings);
// "Idioma" alone: the language is chosen before the window is built.
QString loadLanguageSetting(OrvLib& lib, const QString& file);
// Puts the language of the texts in use: "Idioma" of the settings file, else the system's.
void useLanguage(const QString& dataFolder, const QString& settingsFile);
// Writes every key, creating the file's folder when missing. False, with *error naming the file
// and the reason, when something was not written; the caller decides when to tell the user.
bool saveSettings(OrvLib& lib, const QString& file, const EditorSettings& settings, QString* error = nullptr);
