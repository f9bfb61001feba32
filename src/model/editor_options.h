#pragma once
// The editor's own choices, kept in the settings file beside the serial settings:
//
//   [Transfer]
//   readFirst=1          ; the upload reads the indicator's setup first
//   backupDownloads=0    ; each download is kept in the backups folder too
//   [Recent]
//   file1=/home/tech/line1.sf   ; the files last opened or saved, newest first
//   ...
//   file8=

#include "model/ini_file.h"

#include <span>
#include <string>
#include <vector>

namespace quelvar {

inline constexpr std::size_t kRecentFileCount = 8;

struct EditorOptions {
    bool readFirst = true;
    bool backupDownloads = false;
    std::vector<std::string> recentFiles;  // newest first, at most kRecentFileCount
};

// Later files override earlier ones key by key; a value that is not 0 or 1 counts as
// the default. The recent files come from the last file that lists any.
EditorOptions readEditorOptions(std::span<const IniFile> files);
// Writes what differs from `read` (what the settings files give), and every key
// the file already holds: the defaults stay out of a file that never had them. A
// recent place the list no longer fills is emptied.
void writeEditorOptions(IniFile& file, const EditorOptions& options, const EditorOptions& read);

// `path` goes first in the list, once; the oldest beyond kRecentFileCount go. A path
// the settings file could not give back as it is (a ";", a line break, blanks at its
// ends) is left out.
void addRecentFile(std::vector<std::string>& recent, const std::string& path);

}  // namespace quelvar
