#pragma once
// Decimal numbers typed by the technician (count-by, capacity, conversion factor,
// fixed registers). TextToDecimal packs whatever it is given; this parser first
// checks that the text really is a number the packed format can hold.

#include "model/packed_decimal.h"

#include <optional>
#include <string_view>

namespace quelvar {

// Blanks at both ends are ignored; then an optional sign, digits with at most one
// point and at least one digit, at most 10 significant digits and at most 7 decimal
// places. Empty or blank text is zero. Anything else gives nullopt.
std::optional<PackedDecimal> parseDecimalText(std::string_view text);

}  // namespace quelvar
