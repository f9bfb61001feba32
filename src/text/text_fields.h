#pragma once
// The named fields of the setup text: each stands for some bytes of the setup and
// turns them into the value a dialog shows ("0.01", "lb", "User3") and back, through
// the same core functions the dialog's OK button uses.
//
// A field's bytes are given as places in the setup file's layout (the image at 0,
// the description block at 2048, the function descriptions at 2560, the line
// comments at 6656), so one field may stand for bytes of several blocks (a listing
// and its comments, a password and its check word).
//
// Each area adds its fields in the order the text shows them, which is also the
// order import stores them: a field may rely on the fields before it (the capacity
// on the count-by) but never on those after it. A path is "table.key",
// "table.N.key" (an element of [[table]]) or "table.N.sub.M.key"; an element's own
// keys come before its sub-elements.
//
//   fields.push_back(textField("scale.capacity", "item 17, capacity", {item(17)},
//       [](const Setup& s) -> std::optional<Value> { return weightOf(s); },
//       [](Setup& s, const Value& v) -> Refusal { ...; return {}; }));
//
// A field whose value does not give back exactly its bytes is written raw instead
// (its number or its bytes in hexadecimal), so nothing is lost whatever a file holds.

#include "model/setup.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quelvar::text {

// Where the blocks of a setup start in the setup file.
inline constexpr std::size_t kImageAt = 0;
inline constexpr std::size_t kDescriptionAt = kSetupImageSize;
inline constexpr std::size_t kFunctionDescriptionsAt = kDescriptionAt + kDescriptionBlockSize;
inline constexpr std::size_t kLineCommentsAt = kFunctionDescriptionsAt + kFunctionDescriptionsSize;

struct Place {
    std::size_t offset;  // in the setup file's layout
    std::size_t size;
};
// Bytes of the setup image.
inline Place imageBytes(std::size_t offset, std::size_t size) { return {kImageAt + offset, size}; }

// The values of the text. Texts are the setup's own single-byte texts (Latin-1);
// the text file holds them as UTF-8. Lines: a function listing, a line each.
using Lines = std::vector<std::string>;
using Value = std::variant<bool, std::int64_t, std::string, Lines>;
enum class Kind { Bool, Integer, Text, Lines };

// Why a value was not stored: the dialog's message, and for lines the index of the
// line that failed. Empty when it was stored.
struct Refusal {
    std::string message;
    int line = -1;
    Refusal() = default;
    Refusal(std::string text, int lineIndex = -1) : message(std::move(text)), line(lineIndex) {}
    Refusal(const char* text) : message(text) {}
    bool refused() const { return !message.empty(); }
};

// How a field's bytes are written when its value cannot carry them exactly: as a
// little-endian number, `{ raw = 6 }` (a code outside its list), or as
// hexadecimal, `{ hex = "06" }`.
enum class Raw { Number, Hex };

struct Field {
    std::string path;     // "scale.capacity", "setpoint.3.upper", "page.1.entry.4.row"
    std::string comment;  // names the item: "item 17, capacity"
    std::vector<Place> places;
    Kind kind = Kind::Text;
    // The value as the dialog shows it; nothing when it has none.
    std::function<std::optional<Value>(const Setup&)> show = {};
    // Stores a value of `kind` as the dialog's OK does; a refusal carries the
    // dialog's message, and the setup may be partly changed by then.
    std::function<Refusal(Setup&, const Value&)> store = {};
    Raw raw = Raw::Hex;
    // Left out of the text while the factory setup's bytes stand in its places.
    bool optional = false;
    // A text key that also takes a number, as its text ("capacity = 500").
    bool numeric = false;
    // The [[table]] element ("page.2") whose bytes start unprogrammed when the text
    // holds it, instead of as the factory's; empty for most fields.
    std::string group = {};
    // Set by calibrating the scale: a changed value needs a new calibration.
    bool calibration = false;
};

// The byte of an unprogrammed page format entry.
inline constexpr std::uint8_t kUnprogrammed = 255;

using Fields = std::vector<Field>;

// The areas, each appending its fields in text order.
void addScaleFields(Fields& fields);
void addPortFields(Fields& fields);
void addMiscFields(Fields& fields);
void addEventFields(Fields& fields);
void addPrintingFields(Fields& fields);
void addFunctionFields(Fields& fields);

// Every field, in text order (built once).
const Fields& setupFields();

// Helpers for the areas ------------------------------------------------------

// The value of kind `kind`; the store functions are only given their own kind.
inline const std::string& textOf(const Value& v) { return std::get<std::string>(v); }
inline std::int64_t integerOf(const Value& v) { return std::get<std::int64_t>(v); }
inline bool boolOf(const Value& v) { return std::get<bool>(v); }
inline const Lines& linesOf(const Value& v) { return std::get<Lines>(v); }

// "item 17, Capacity": the comment of a key that stands for a parameter item.
std::string itemComment(int item);
// A list's texts without their leading blanks (" lb" gives "lb").
std::vector<std::string> trimmedTexts(std::span<const std::string_view> texts);

// Bytes in hexadecimal, blank between ("0A FF"), and back (blanks optional);
// nothing when a character is no hexadecimal digit or a digit is left over.
std::string hexText(std::span<const std::uint8_t> bytes);
std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text);

// Why `value` was not stored when it lies outside `low` to `high`; nothing when inside.
Refusal outOfRange(std::int64_t value, std::int64_t low, std::int64_t high);

// A byte, word or long of the image shown as a number; a number it cannot hold is
// refused. `isSigned` shows and takes a word or long signed.
Field numberField(std::string path, std::string comment, std::size_t offset, std::size_t size,
                  bool isSigned = false);
// A byte of the image shown as true (not 0) or false, stored as 1 or 0. With
// `inverted` the stored 0 means true (a "No" that is the byte's on state).
Field yesNoField(std::string path, std::string comment, std::size_t offset, bool inverted = false);
// A byte or word code of the image chosen from a list of texts: the code is the
// index plus `firstCode` (lists whose codes count from 1).
Field listField(std::string path, std::string comment, std::size_t offset, std::size_t size,
                std::vector<std::string> choices, std::int64_t firstCode = 0);

}  // namespace quelvar::text
