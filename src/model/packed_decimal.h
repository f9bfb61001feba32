#pragma once
// The indicator's 6-byte signed packed decimal numbers (the fixed registers, and
// the editor's working number type wherever a value has a decimal point).
//
// Bytes 4 down to 0 hold ten BCD digits, most significant first; byte 5 holds the
// number of decimal places in bits 0-2 and the sign in bit 7. Arithmetic on the
// digit string is done in signed 32-bit integers and wraps as the indicator's does.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

struct PackedDecimal {
    std::array<std::uint8_t, 6> bytes{};
    bool operator==(const PackedDecimal&) const = default;
};

inline constexpr std::size_t kPackedDecimalSize = 6;

void ClearDecimal(PackedDecimal& value);
// Bits 0-3 of byte 5.
unsigned DecimalPlaces(const PackedDecimal& value);
// Clears bits 0-2 of byte 5 and ors in the low four bits of n; the sign stays.
void SetDecimalPlaces(PackedDecimal& value, unsigned n);
// The digit string as a signed 32-bit integer (wrapping), negated when the sign is
// set; decimal places are ignored (12.34 gives 1234).
std::int32_t DecimalToInteger(const PackedDecimal& value);
double DecimalToReal(const PackedDecimal& value);
void IntegerToDecimal(PackedDecimal& value, std::int32_t n);
void ShortToDecimal(PackedDecimal& value, std::int16_t n);
// "123.45", "0.00", "-0.005", "-0" for a negative zero.
std::string DecimalToText(const PackedDecimal& value);
// Parses leading blanks, an optional "-", digits and a point. Characters are not
// checked: each contributes its low four bits, so callers validate digits.
void TextToDecimal(PackedDecimal& value, std::string_view text);
// a / b, rounded, carried at b's decimal places; 0 when b is 0.
void DecimalQuotient(PackedDecimal& result, const PackedDecimal& a, const PackedDecimal& b);
// The same value with n decimal places, rounded on the last dropped digit.
void RescaleDecimal(PackedDecimal& value, int n);

// The 6 bytes at `offset` of a block, and back.
PackedDecimal readDecimal(std::span<const std::uint8_t> block, std::size_t offset);
void writeDecimal(std::span<std::uint8_t> block, std::size_t offset, const PackedDecimal& value);

}  // namespace quelvar
