#pragma once
// The settings file: an INI file named after the executable with ".INI", beside it,
// or in the user's configuration folder when the executable's folder is not
// writable. Section "Com" holds the five serial settings; the optional section
// "Devices" names the device of each port (com1=/dev/ttyUSB0) and is only read.

#include <QString>

namespace quelvar {

class ComPort;

// `executablePath` is the program's own path; `configFolder` the fallback folder.
QString settingsFilePath(const QString& executablePath, const QString& configFolder);
// The path for this program run.
QString defaultSettingsFilePath();

// Reads comport, baud, parity, byteSize and stops (each with its default when
// missing or not a number) into the port, and the Devices section.
void ReadSettings(const QString& path, ComPort& port);
// Writes the five settings into section "Com"; every other line stays.
bool WriteSettings(const QString& path, const ComPort& port);

}  // namespace quelvar
