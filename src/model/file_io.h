#pragma once
// Thin POSIX file access for the program's own files. Failures come back as values
// with the system's reason text; nothing throws.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

struct FileReadResult {
    bool opened = false;              // false: nothing was read
    bool readFailed = false;          // a read error stopped reading early
    bool closed = true;               // false: closing failed after reading
    std::vector<std::uint8_t> bytes;  // at most the requested number of bytes
    std::uintmax_t fileSize = 0;      // the whole file's size as the system reports it
    std::string reason;               // why opening, reading or closing failed
};

// Reads up to `maxBytes` from the start of the file. A directory does not open.
FileReadResult readFileStart(const std::string& path, std::size_t maxBytes);

enum class FileWriteStage { None, Opening, Writing, Closing };

struct FileWriteResult {
    FileWriteStage failedAt = FileWriteStage::None;
    std::string reason;
    bool ok() const { return failedAt == FileWriteStage::None; }
};

// Replaces the file with `bytes` atomically: the bytes go to a temporary file in
// the same folder, are flushed to disk and then renamed over the target. On any
// failure there the previous file is left as it was and no temporary file remains.
// Where the folder refuses the temporary file or the rename (a folder we may not
// write in, a shared sticky folder holding another user's file) the file is written
// in place instead, as the user may write it. A symbolic link is followed, so the
// file it points at is the one replaced; an existing file keeps its permissions,
// and a read-only one is refused. A failed rename counts as a failed write. A device
// or FIFO (`/dev/stdout`, `/dev/null`) is written through, never replaced.
FileWriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
// The same for bytes held as characters (a text, a PDF made in memory).
FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Writes a new file with `bytes`, atomically as writeFileAtomically does, but never
// over a file that exists: then it fails at Opening with the reason EEXIST gives.
FileWriteResult writeNewFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether writeFileAtomically could start on `path`: the temporary file it would
// use is created and removed again, or, where the folder refuses it, the existing
// file may be written in place. A failure is reported as that write's would be.
FileWriteResult checkWritable(const std::string& path);

// A user's folder of the kind `variable` names (XDG_CONFIG_HOME, XDG_DATA_HOME): the
// variable's value when it is an absolute path, else `underHome` in the home folder.
std::string userFolder(const char* variable, const char* underHome);

}  // namespace quelvar
