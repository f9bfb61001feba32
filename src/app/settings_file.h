#pragma once
// Where the settings files are: named after the executable with ".INI", one beside
// it and one in the user's configuration folder. Reading and writing them is
// ReadSettings and WriteSettings (serial/com_settings.h).

#include "serial/com_settings.h"

#include <QString>

namespace quelvar {

// `executablePath` is the program's own path; `configFolder` the user's folder.
SettingsFiles settingsFiles(const QString& executablePath, const QString& configFolder);
// The files for this program run.
SettingsFiles defaultSettingsFiles();

}  // namespace quelvar
