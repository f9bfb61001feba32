// Decimal text: any text into the indicator's packed decimal type and through the
// parser of typed numbers. Text the parser accepts packs only decimal digits, and a
// value's own text reads back as that value through both.

#include "fuzz_check.h"
#include "model/decimal_text.h"
#include "model/packed_decimal.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace quelvar;

namespace {

bool holdsDigitsOnly(const PackedDecimal& value)
{
    return std::all_of(value.bytes.begin(), value.bytes.begin() + 5,
                       [](std::uint8_t b) { return (b >> 4) < 10 && (b & 15) < 10; });
}

// Six bytes the indicator itself could hold: decimal digits, 0-7 places, no stray bits.
bool isSound(const PackedDecimal& value)
{
    return holdsDigitsOnly(value) && DecimalPlaces(value) <= 7 && (value.bytes[5] & 0x78) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PackedDecimal packed;
    TextToDecimal(packed, text);
    DecimalToReal(packed);
    DecimalToInteger(packed);
    if (const auto parsed = parseDecimalText(text)) FUZZ_CHECK(isSound(*parsed));

    if (size < kPackedDecimalSize) return 0;
    PackedDecimal stored;
    std::copy_n(data, kPackedDecimalSize, stored.bytes.begin());
    if (!isSound(stored)) return 0;
    const std::string shown = DecimalToText(stored);
    PackedDecimal reread;
    TextToDecimal(reread, shown);
    FUZZ_CHECK(reread == stored);
    const auto parsed = parseDecimalText(shown);
    FUZZ_CHECK(parsed && *parsed == stored);
    return 0;
}
