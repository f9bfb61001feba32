// Packed decimal text: any text into the indicator's decimal type never reads or
// writes outside its six bytes, and a value's own text reads back as that value.

#include "fuzz_check.h"
#include "model/packed_decimal.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PackedDecimal value;
    TextToDecimal(value, text);
    DecimalToReal(value);
    DecimalToInteger(value);

    // Six bytes of any value: its text reads back as the same value when the
    // digits are decimal digits.
    if (size < kPackedDecimalSize) return 0;
    PackedDecimal stored;
    std::copy_n(data, kPackedDecimalSize, stored.bytes.begin());
    bool digits = true;
    for (std::size_t i = 0; i < 5; ++i)
        digits = digits && (stored.bytes[i] >> 4) < 10 && (stored.bytes[i] & 15) < 10;
    const unsigned places = DecimalPlaces(stored);
    if (!digits || places > 7 || (stored.bytes[5] & 0x78) != 0) return 0;
    PackedDecimal reread;
    TextToDecimal(reread, DecimalToText(stored));
    FUZZ_CHECK(reread == stored);
    return 0;
}
