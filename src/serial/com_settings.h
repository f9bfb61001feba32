#pragma once
// The serial settings in the settings file: section "Com" with comport, baud,
// parity, byteSize and stops, and the optional section "Devices" (com1=/dev/ttyUSB0),
// into which only a device mapped in the port settings dialog is written.
//
// There may be several settings files: the system's defaults ($XDG_CONFIG_DIRS), the
// one beside the program (on a copy an administrator installed, the technicians may
// not write it) and the user's own. All are read in that order, later keys
// overriding earlier ones; the settings are written back into the one beside the
// program or the user's own, in place, every other line kept.

#include "model/editor_options.h"
#include "model/file_io.h"
#include "model/ini_file.h"

#include <span>
#include <string>
#include <vector>

namespace quelvar {

class ComPort;

struct SettingsFiles {
    std::string beside;  // beside the program
    std::string user;    // in the user's configuration folder
    // An installed program's folder is the system's: the file there is a default
    // an administrator may put, read but never written.
    bool besideIsSystemDefault = false;
    // Where earlier versions kept the user's file: read while `user` does not exist,
    // and moved to `user` by the next write.
    std::string oldUser = {};
    // The system's defaults, the least important first; read first, never written.
    std::vector<std::string> system = {};
};

// The system's files `name` for the folder list `configDirs` ($XDG_CONFIG_DIRS:
// absolute folders separated by ':', the most important first; /etc/xdg when it
// names none), each folder's quelvar/name, the least important first.
std::vector<std::string> systemSettingsFiles(const char* configDirs, const std::string& name);

// The folder of the users' configuration files: $XDG_CONFIG_HOME when it is an
// absolute path, else ~/.config.
std::string userConfigHome();

// The user's own file `name` under `configHome`: configHome/quelvar/name, and the
// old place configHome/quelvar/quelvar/name in `oldUser`.
void placeUserSettings(SettingsFiles& files, const std::string& configHome,
                       const std::string& name);

// The five settings from the files, later files overriding earlier ones key by key;
// a key that is missing, not a number or a value the port cannot take gives its
// default. The Devices entries of every file, keys in lower case.
void readComSettings(std::span<const IniFile> files, ComPort& port);
void writeComSettings(IniFile& file, const ComPort& port);

// Reads the files that exist (the system's, beside, then the user's, or the old
// user's file when there is no user's file yet) into the port, and the editor's
// options when asked.
void ReadSettings(const SettingsFiles& files, ComPort& port, EditorOptions* options = nullptr);

// The file the settings go to: the user's own when it exists (its keys win when
// both are read) or when the program is installed, else the one beside the program
// when that file or its folder is writable, else the user's own.
std::string settingsFileToWrite(const SettingsFiles& files);

// Writes the five settings, and each device mapping that differs from what the
// files give, into that file, creating its folder when needed. A
// user's file still at the old place is moved: written at the new one with every
// line kept, then removed.
// The editor's options go into the same file when given.
FileWriteResult WriteSettings(const SettingsFiles& files, const ComPort& port,
                              const EditorOptions* options = nullptr);

}  // namespace quelvar
