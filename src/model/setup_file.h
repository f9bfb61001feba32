#pragma once
// The setup file (".sf"): the four setup blocks in order, no header, 22016 bytes.
//
// The codec works on byte buffers; the file functions below it read and write
// real files and say what went wrong in the words the editor shows:
//
//   Setup setup;
//   SetupReadResult r = readSetupFile(path, setup);
//   if (!r.complete()) show(setupReadMessage(r, path), r.reason);
//
// The editor's open and save flows are built on SetupDocument (setup_document.h),
// which adds the reference copy and the factory reset after a short read.

#include "model/file_io.h"
#include "model/setup.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

inline constexpr int kSetupBlockCount = 4;
inline constexpr std::size_t kDescriptionMaxLength = kDescriptionBlockSize - 1;  // 511

using SetupFileBytes = std::array<std::uint8_t, kSetupFileSize>;

// A description as its memo shows it: CR LF line breaks as plain newlines.
std::string descriptionToMemoText(std::string_view description);
// The text typed into a description memo as the description to store. Each line
// break (LF, CR LF or a lone CR, which the memo shows as one) is kept as the
// description being replaced, `current`, has them: bare LF when it holds LF breaks
// and no CR LF, else CR LF (so a new text gets CR LF).
std::string memoTextToDescription(std::string_view memoText, std::string_view current);

// Readies a setup for writing, as the editor does before every save: the
// description itself is cut to 511 characters and the image's check bytes are stored.
void sealSetup(Setup& setup);

// The four blocks in file order. The description block holds the description and
// its terminating zero over the kept bytes (a sealed description has at most 511
// characters; one of 512, read so, is written without a zero); the image is taken as
// it stands.
SetupFileBytes encodeSetupFile(const Setup& setup);

// Reads the whole blocks that `bytes` holds, in file order, into `setup`, and
// returns how many there were (0-4). A block that is not there in full leaves its
// part of `setup` as it was. The description is the text of its block up to the
// first zero byte (all 512 bytes when there is none), and the bytes after that zero
// are kept. Bytes after 22016 are ignored.
int decodeSetupFile(std::span<const std::uint8_t> bytes, Setup& setup);

struct SetupReadResult {
    bool opened = false;  // false: "Error Opening file: " and nothing was read
    int blocks = 0;       // whole blocks read, 0-4: "count was/sb " when not 4
    bool closed = true;   // false: "Error closing file: "
    std::uintmax_t fileSize = 0;
    std::string reason;  // the system's reason for the failure, for a detail line
    bool complete() const { return opened && blocks == kSetupBlockCount && closed; }
};

// Reads a setup file into `setup` as decodeSetupFile does. `setup` is untouched
// when the file does not open (a directory does not open).
SetupReadResult readSetupFile(const std::string& path, Setup& setup);
// The same from the bytes a read gave, for a file that can be read only once (a pipe,
// whose size is what it gave).
SetupReadResult decodeSetupRead(const FileReadResult& file, Setup& setup);

// Seals the setup (see sealSetup) and writes the file atomically: on failure the
// previous file is intact and the result says at which stage writing stopped.
FileWriteResult writeSetupFile(const std::string& path, Setup& setup);

// What makes the file at `path` unlike a setup file, for a warning before it
// replaces the setup: "36 KB, check bytes do not verify" (its size when it is not
// 22016 bytes, then whether the check bytes of a whole image fail). Empty for a
// sealed setup file, and for a file that does not open (reading it says why).
std::string setupFileDoubts(const std::string& path);

// The editor's message for a failed read or write, with `fileName` in it; empty
// when the read was complete or the write succeeded. The reason is not included.
std::string setupReadMessage(const SetupReadResult& result, const std::string& fileName);
std::string setupWriteMessage(const FileWriteResult& result, const std::string& fileName);

}  // namespace quelvar
