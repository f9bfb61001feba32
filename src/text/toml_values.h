#pragma once
// The setup text's values in TOML: written one value at a time (the keys, tables and
// comments around them are the setup text's own layout) and read back with the
// place each came from. Texts go to the file as UTF-8 and come back as Latin-1.

#include "text/text_fields.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar::text {

// A value as read, with the line it stands on (and each list element's line).
struct Located {
    Value value;                         // a float holds its text here
    std::optional<std::string> hex;      // { hex = "..." }: raw bytes
    std::optional<std::int64_t> raw;     // { raw = 6 }: raw bytes as their number
    std::optional<std::string> number;   // a number as written ("0.45359", "-12.50")
    bool isFloat = false;
    int line = 0;
    std::vector<int> elementLines;
};

// The TOML text of one value.
std::string tomlValue(const Value& value);

struct TomlKeys {
    // Every key by its path ("scale.capacity", "setpoint.3.upper", "page.1.entry.4.row").
    std::map<std::string, Located> keys;
    std::vector<std::string> order;  // their paths by line
    std::map<std::string, int> elements;  // the [[table]] elements the text holds
                                          // ("page.1") and the line of each
};

// Reads the keys of the text into `out`. Empty on success, else "LINE: what is wrong".
std::string readTomlKeys(std::string_view text, TomlKeys& out);

}  // namespace quelvar::text
