#pragma once
// Where the settings files are: named after the executable with ".INI", one beside
// it and the user's own in $XDG_CONFIG_HOME/quelvar (~/.config/quelvar). Reading
// and writing them is ReadSettings and WriteSettings (serial/com_settings.h).

#include "serial/com_settings.h"

#include <QString>

namespace quelvar {

// `executablePath` is the program's own path; `configHome` the users' configuration
// folder (userConfigHome()).
SettingsFiles settingsFiles(const QString& executablePath, const QString& configHome);
// The files for this program run.
SettingsFiles defaultSettingsFiles();

}  // namespace quelvar
