#pragma once
// The indicator's 90 numbered parameter items: where each value lives in the setup
// image, its factory default, how its value is shown, and the password level that
// guards it. Rows are indexed 1-90 and the row number equals the item number;
// callers walk from index 1 until ItemNumber gives 0.

#include "model/setup.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

enum class ParamKind : std::uint8_t {
    Byte = 1,       // 1 byte, unsigned
    Word = 2,       // 2 bytes, shown signed
    Long = 3,       // 4 bytes, unsigned
    Decimal = 4,    // 6-byte packed decimal
    LabelText = 5,  // zero-terminated text, 17 or 31 bytes
    PrintCode = 6,  // 4 code bytes
    YesNo = 7,      // 1 byte, 0 = No
    Action = 8,     // an indicator menu function: no value
    Factor = 10,    // 4 bytes, unsigned (calibration factors)
};

struct ParamItem {
    std::int16_t number;   // 0 ends the table
    std::uint16_t offset;  // of the value in the setup image (none for Action items)
    std::uint8_t size;     // bytes of the value (0 for Action items)
    std::uint16_t defaultLow;
    std::uint16_t defaultHigh;  // Long/Factor: high half of the default; PrintCode: bytes shown
    ParamKind kind;
    std::uint8_t passLevel;  // 0-3, shown only
    std::string_view description;
};

inline constexpr int kParamItemCount = 90;

// The row at `index`; outside 1-90 a row whose number is 0.
const ParamItem& ParamItemAt(int index);

int ItemNumber(int index);
ParamKind ItemKind(int index);
// Copies the description into `out` and returns the item number.
int ItemDescription(std::string& out, int index);
std::uint16_t ItemDefault(int index);  // defaultLow
// Where the item's value lives in the setup image: dialogs take their offsets here,
// so a dialog and the parameter list cannot disagree.
std::size_t ItemOffset(int index);
int ItemPassLevel(int index);

// The text of the item's current value in `image` ("Yes (1)", "12.50", a print
// label as its dialog shows it, " " for an empty one ...) into `out`; returns the item number (0 past the end, `out` empty).
int ParamValueText(std::string& out, std::span<const std::uint8_t> image, int index);

// One line of the parameter list: index 0 is the header (returns 1), index n an
// item (returns its number); past the end returns 0 and leaves `line` untouched.
int ParamListLine(std::string& line, std::span<const std::uint8_t> image, int index);

// Writes the factory state into the whole image; the result does not depend on
// what the image held before.
void ResetSetupToDefaults(SetupImage& image);

// Writes every item's default (a step of the factory reset).
void ApplyItemDefaults(SetupImage& image);

}  // namespace quelvar
