#pragma once
// A whole setup as readable text (TOML), and back to the same bytes:
//
//   std::string text = exportSetupText(setup);            // one table per dialog area
//   ImportResult r = importSetupText(text);                // r.setup is sealed
//   if (!r.ok()) show(r.error);                             // "5: scale.count_by: Invalid Count-By: 0.03"
//   std::vector<std::string> lines = diffSetups(a, b);     // "scale.capacity: 100 -> 500"
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

// One line per key whose value differs, in text order ("scale.capacity: 100 -> 500");
// a listing that differs gives its key, then its lines as a line diff ("- ...", "+ ...").
std::vector<std::string> diffSetups(const Setup& a, const Setup& b);

}  // namespace quelvar::text
