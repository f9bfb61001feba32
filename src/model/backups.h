#pragma once
// The backups folder: each setup read from an indicator before an upload (and each
// download, when the technician asks for it) is kept there as a setup file named
// after when and where it was read, "2024-05-31_14-02-07_COM1.sf". A backup is
// written whole or not at all, and never replaces another: a second one in the same
// second is "..._COM1_2.sf".
//
//   Setup read = ...;  read.description = "Indicator on COM1 before uploading line1.sf";
//   BackupResult r = writeBackup(backupFolder(), read, "COM1", std::time(nullptr));
//   if (!r.ok()) show("The backup could not be written", r.reason);
//   for (const Backup& b : listBackups(backupFolder())) ...   // newest first

#include "model/setup.h"

#include <ctime>
#include <string>
#include <vector>

namespace quelvar {

// $XDG_DATA_HOME/quelvar/backups, or ~/.local/share/quelvar/backups.
std::string backupFolder();

struct BackupResult {
    std::string path;    // the file written
    std::string reason;  // why it was not, with the folder or file it concerns
    bool ok() const { return reason.empty(); }
};

// Writes `setup` as it stands (its check bytes are not touched: a backup holds the
// bytes read) under the local time `when`, making the folder when it is missing.
BackupResult writeBackup(const std::string& folder, const Setup& setup, const std::string& port,
                         std::time_t when);

struct Backup {
    std::string path;
    std::string date;         // "2024-05-31"
    std::string time;         // "14:02:07"
    std::string port;         // "COM1"
    std::string description;  // the first line of the backup's description
};

// The backups in `folder`, newest first; files not named as backups are left out.
// A folder that exists but cannot be read sets `problem` ("FOLDER: reason"); a missing
// one simply holds no backups yet.
std::vector<Backup> listBackups(const std::string& folder, std::string* problem = nullptr);

}  // namespace quelvar
