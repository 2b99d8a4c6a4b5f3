#include "Settings.h"

void loadSettings(OrvLib&, const QString& appPath, EditorSettings& settings)
{
    settings.programFolder = appPath;
    settings.com = 2;
}

void saveSettings(OrvLib&, const QString&, const EditorSettings&) {}
