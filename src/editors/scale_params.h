#pragma once
// The scale parameters as the technician sees them: the count-by (a digits byte and
// a decimal places byte) as a decimal number, and capacity and overload (Longs
// counted in count-by steps) as weights.

#include "model/packed_decimal.h"
#include "model/setup.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

// The choices of the load cell list (item 1) and of the units lists (items 10
// and 13), in code order.
std::span<const std::string_view> loadCellNames();
std::span<const std::string_view> unitNames();

// Where a count-by lives: the primary one (items 11/12) or the alternate (14/15).
struct CountByField {
    std::size_t places;
    std::size_t digits;
};
CountByField primaryCountBy();
CountByField alternateCountBy();

PackedDecimal readCountBy(std::span<const std::uint8_t> image, CountByField field);
// The digits byte keeps the low 8 bits of the digit string.
void writeCountBy(std::span<std::uint8_t> image, CountByField field, const PackedDecimal& countBy);

// The digit string, read as an integer with the point ignored, is 1, 2, 5, 10, 20,
// 50 or 100; the point may be anywhere.
bool isValidCountBy(const PackedDecimal& countBy);

// The exact weight of `steps` count-by steps: no exponent, fractional zeros at the
// end dropped ("100" for 10000 steps of 0.01, "12345.67" for 1234567).
std::string weightText(std::int32_t steps, const PackedDecimal& countBy);

// `weight` counted in count-by steps, rounded once to the nearest step (halves away
// from zero); 0 for a zero count-by; nullopt when the count does not fit in a Long.
std::optional<std::int32_t> weightSteps(const PackedDecimal& weight, const PackedDecimal& countBy);

}  // namespace quelvar
