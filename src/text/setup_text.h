#pragma once
// A whole setup as readable text (TOML), and back to the same bytes:
//
//   std::string text = exportSetupText(setup);            // one table per dialog area
//   ImportResult r = importSetupText(text);                // r.setup is sealed
//   if (!r.ok()) show(r.error);                             // "5: scale.count_by: Invalid Count-By: 0.03"
//   for (auto& line : diffText(diffSetups(a, b))) ...    // "scale.capacity: 100 -> 500"
//
// Import starts from the factory setup, puts back the image bytes no key names, then
// stores every key in text order through the dialogs' own functions; keys left out
// keep their factory values. Export writes each key as its dialog shows it when
// storing that value gives back exactly the bytes it has, and its raw number or
// hexadecimal otherwise, so import(export(s)) is s.
//
// A text ends with the line "[end]": one without it was cut off (a full disk, an
// interrupted copy) and is refused, as is a text that holds no setting at all.

#include "model/setup.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelvar::text {

// The first line of every text export writes.
inline constexpr std::string_view kTextMarker = "# Quelvar setup text";

std::string exportSetupText(const Setup& setup);

struct ImportResult {
    Setup setup;  // the check bytes stored
    // "LINE: key: message", or a message about the whole text; empty when the text
    // was taken whole.
    std::string error;
    // What the technician should know about a text that was taken: "3 settings took
    // factory values: scale (2), ports (1)".
    std::vector<std::string> notes;
    bool ok() const { return error.empty(); }
};
ImportResult importSetupText(std::string_view text);

// What differs between two setups, a row each, in text order: a setting with its
// value on each side as the text shows it (scale.capacity, 100, 500); a listing line
// taken out or put in; raw bytes by the file offset of the first byte that changed
// (bytes.at_1800, 0x12, 0x13), never whole; the check bytes when a side's do not
// verify. A window, the upload's question and the command line print the same rows.
struct DiffRow {
    enum Kind { Value, LineOut, LineIn };
    std::string setting;  // "scale.capacity", "function.1.listing", "bytes.at_1800"
    std::string before;   // the first side's value; LineOut: the line taken out
    std::string after;    // the second side's value; LineIn: the line put in
    Kind kind = Value;
    bool calibration = false;  // a calibration factor: changing it needs a new calibration
};
std::vector<DiffRow> diffSetups(const Setup& a, const Setup& b);

// The rows as lines: "scale.capacity: 100 -> 500"; a listing's lines under its
// setting, "function.1.listing:" then "  - line" and "  + line".
std::vector<std::string> diffText(const std::vector<DiffRow>& rows);

}  // namespace quelvar::text
