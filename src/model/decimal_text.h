#pragma once
// Numbers typed by the technician: decimals (count-by, capacity, conversion factor,
// fixed registers) and whole numbers (the number boxes of the dialogs).
// TextToDecimal packs whatever it is given; these parsers first check that the text
// really is a number its field can hold.

#include "model/packed_decimal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelvar {

// Blanks at both ends are ignored; then an optional sign, digits with at most one
// point and at least one digit, at most 10 significant digits and at most 7 decimal
// places. Empty or blank text is zero. Anything else gives nullopt.
std::optional<PackedDecimal> parseDecimalText(std::string_view text);

// Blanks at both ends are ignored; then an optional sign, and decimal digits, or
// hexadecimal digits after "$" or "0x". The value must fit in 32 bits (hexadecimal
// values up to FFFFFFFF wrap to negative numbers, as the indicator's tools always
// did). Anything else, empty text included, gives nullopt.
std::optional<std::int32_t> parseIntegerText(std::string_view text);

// Why a typed text was refused, `kind` naming what it should have been ("integer"
// or "decimal"): "'12a' is not a valid decimal value".
std::string notANumberMessage(std::string_view text, std::string_view kind);

}  // namespace quelvar
