#pragma once
// Print labels: ten free texts the indicator prints, with embedded fields it fills
// in (a register's value, a print item, any character by its code).
//
// The setup image keeps a label in its slot as bytes ended by a 0 or by the
// label's maximum length: 252 code is a print item, 253 code a register in its
// minimum field size, 254 code a register in a 7-character field; any other byte
// is printed as it is. The editor shows a label as edit text in which a field is a
// bracketed token: <G> and [G] for registers, {Tkt} for print items, <13> for a
// character by its code, and a doubled <, [ or { for the bracket itself.
//
// Both conversions work on plain buffers; readLabel and storeLabel place them in
// the setup image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

inline constexpr std::size_t kLabelEncodeLimit = 512;

// The edit text of the label in `slot`: at most `maxLength` bytes are read, plus
// the code byte of an escape that stands last. Bytes beyond `slot` read as 0.
std::string DecodeLabel(std::span<const std::uint8_t> slot, std::size_t maxLength);

// The bytes of edit text `text`, ended by a 0: at most `limit` bytes are written
// before it (an escape may add one more).
std::vector<std::uint8_t> EncodeLabel(std::string_view text, std::size_t limit = kLabelEncodeLimit);

struct PrintLabel {
    int number;             // 32, 33, 34, 84 .. 90: the page item that prints it
    std::size_t offset;     // its slot in the setup image
    std::size_t maxLength;  // 16 or 30; the slot holds one byte more for the 0
};

// The ten labels in the order the dialog shows and stores them.
const std::array<PrintLabel, 10>& printLabels();
// The label with that number, nullptr when there is none.
const PrintLabel* findPrintLabel(int number);

std::string readLabel(std::span<const std::uint8_t> image, const PrintLabel& label);
// How many bytes `text` takes as a label (before its ending 0).
std::size_t encodedLabelLength(std::string_view text);
// How many leading characters of `text` fit a label of `maxLength` bytes: the
// characters after them (a token whole) are what OK would cut.
std::size_t fittingLabelText(std::string_view text, std::size_t maxLength);
// Stores `text` into the label's slot, cut at its maximum length and followed by a
// 0; the bytes after that 0 stay as they were. False when it had to be cut.
bool storeLabel(std::span<std::uint8_t> image, const PrintLabel& label, std::string_view text);
// "Label 32 exceeds maximum length" and so on.
std::string labelTooLongMessage(const PrintLabel& label);
// A typed label (UTF-8) holds a character the indicator cannot store, `refused`
// (utf8ToLatin1): "Label 84: "€" (U+20AC) is not in the indicator's character set".
std::string labelCharacterMessage(const PrintLabel& label, std::string_view refused);

}  // namespace quelvar
