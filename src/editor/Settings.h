#pragma once
// The user settings kept in dmk38.ini (section "Set") in the program folder, read once at
// start-up and written once when leaving, only through the OrvLib2 profile members.

#include <QColor>
#include <QString>

#include <array>

class OrvLib;

struct EditorSettings
{
    int plcId = 1;
    int com = 6; // selected port 1..6; the window starts with COM6 selected
    QColor foreColor{192, 192, 192};
    QColor backColor{0, 0, 0};
    bool autoIndent = true;
    // 0 "Reiniciar PLC", 1 "Reset variables", 2 "Retener variables"; -1 when none is marked,
    // stored as -1 so the next start marks none again
    int runMode = 0;
    QString programFolder;
    bool fastLink = false; // off unless the file says so
    // section "Puertos": the device of COM1..COM6, empty for the default
    std::array<QString, 6> devices;
};

// Missing keys take their defaults; a value that cannot be converted leaves its setting as it
// was; a "COM" outside 1..6 leaves the port unchanged. appPath ends in the separator.
void loadSettings(OrvLib& lib, const QString& appPath, EditorSettings& settings);
// Errors are ignored: settings are a convenience, never a reason to keep the user waiting.
void saveSettings(OrvLib& lib, const QString& appPath, const EditorSettings& settings);
