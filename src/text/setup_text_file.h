#pragma once
// Setup texts as files, for the editor's Open and Save As and the command line.
// Whether a file holds a setup text or a setup file is read from what it holds, not
// from its name: a setup text starts with the line export writes, or is text of any
// length without a zero byte; a setup file is 22016 bytes of four blocks, zero bytes
// among them (one of exactly that size without any is still taken as a file).
//
//   if (holdsSetupText(readFileStart(path, kMaxTextSize + 1))) {
//       TextFileResult r = readSetupTextFile(path);
//       if (!r.ok()) show(r.error);            // "site.toml:5: scale.count_by: ..."
//   }
//   FileWriteResult w = writeSetupTextFile("site.toml", setup);   // sealed first

#include "model/file_io.h"
#include "model/setup.h"

#include <string>
#include <vector>

namespace quelvar::text {

bool holdsSetupText(const FileReadResult& start);

// Far more than the text of any setup (under 100 KB); a longer file is no setup text.
inline constexpr std::size_t kMaxTextSize = 4 << 20;

// A file name that asks for a setup text: it ends in ".toml" (in any case).
bool namesSetupText(const std::string& path);

// What the editor opens as a setup text: a file named so, or one that starts with
// the line export writes. Everything else is read as a setup file.
bool opensAsSetupText(const std::string& path);

// The whole file as text from a read of up to kMaxTextSize + 1 bytes; false with the
// reason when it could not be read or is far longer than any setup text.
bool textOf(const FileReadResult& file, std::string& text, std::string& reason);

// "PATH:3: key: message" for a refusal at a line, "PATH: message" for the whole text.
std::string refusalAt(const std::string& path, const std::string& error);

struct TextFileResult {
    Setup setup;                     // the check bytes stored
    std::string error;               // as refusalAt gives it, or why the file was not read
    std::vector<std::string> notes;  // what the technician should know of a text taken
    bool ok() const { return error.empty(); }
};
TextFileResult readSetupTextFile(const std::string& path);

// A setup from either kind of file, for a comparison: `error` says why it could not
// be read whole (the editor's messages for a setup file, the refusal for a text),
// `reason` the system's reason, when there is one.
struct AnySetupResult {
    Setup setup;
    std::string error;
    std::string reason;
    bool ok() const { return error.empty(); }
};
AnySetupResult readAnySetupFile(const std::string& path);

// Seals the setup as a setup file's save does and writes its text atomically.
FileWriteResult writeSetupTextFile(const std::string& path, Setup& setup);

}  // namespace quelvar::text
