#include "model/packed_decimal.h"

#include "model/bytes.h"

namespace quelvar {

namespace {

constexpr std::uint8_t kSignBit = 0x80;
constexpr std::uint8_t kPlacesMask = 0x07;

std::uint8_t& signAndPlaces(PackedDecimal& value)
{
    return value.bytes[5];
}

bool isNegative(const PackedDecimal& value)
{
    return (value.bytes[5] & kSignBit) != 0;
}

unsigned placesOf(const PackedDecimal& value)
{
    return value.bytes[5] & kPlacesMask;
}

// 32-bit arithmetic that wraps like the indicator's.
std::int32_t wrapMul10(std::int32_t v)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) * 10u);
}

std::int32_t wrapNegate(std::int32_t v)
{
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v));
}

// Signed division that cannot trap: INT32_MIN / -1 wraps to INT32_MIN.
std::int32_t wrapDiv(std::int32_t a, std::int32_t b)
{
    return b == -1 ? wrapNegate(a) : a / b;
}

std::int32_t wrapRem(std::int32_t a, std::int32_t b)
{
    return b == -1 ? 0 : a % b;
}

// Packs the decimal digits of `text` (no sign) into bytes 0-4 through a 40-bit
// nibble register, the last digit in the low nibble of byte 0.
void packDigits(PackedDecimal& value, std::string_view digits)
{
    std::uint64_t reg = 0;
    for (char c : digits)
        reg = ((reg << 4) | (static_cast<std::uint8_t>(c) & 0x0F)) & 0xFF'FFFF'FFFFull;
    for (int i = 0; i < 5; ++i)
        value.bytes[i] = static_cast<std::uint8_t>(reg >> (8 * i));
}

void signedToDecimal(PackedDecimal& value, std::int32_t n)
{
    std::string text = std::to_string(n);
    std::string_view digits = text;
    if (digits.starts_with('-')) {
        signAndPlaces(value) = kSignBit;
        digits.remove_prefix(1);
    } else {
        signAndPlaces(value) = 0;
    }
    packDigits(value, digits);
}

std::string digitString(const PackedDecimal& value)
{
    std::string digits;
    for (int i = 4; i >= 0; --i) {
        digits += static_cast<char>('0' + (value.bytes[i] >> 4));
        digits += static_cast<char>('0' + (value.bytes[i] & 0x0F));
    }
    return digits;
}

}  // namespace

void ClearDecimal(PackedDecimal& value)
{
    value.bytes.fill(0);
}

unsigned DecimalPlaces(const PackedDecimal& value)
{
    return value.bytes[5] & 0x0F;
}

void SetDecimalPlaces(PackedDecimal& value, unsigned n)
{
    signAndPlaces(value) = static_cast<std::uint8_t>((value.bytes[5] & ~kPlacesMask) | (n & 0x0F));
}

std::int32_t DecimalToInteger(const PackedDecimal& value)
{
    std::uint32_t v = 0;
    for (int i = 4; i >= 0; --i) {
        v = v * 10u + (value.bytes[i] >> 4);
        v = v * 10u + (value.bytes[i] & 0x0F);
    }
    const auto n = static_cast<std::int32_t>(v);
    return isNegative(value) ? wrapNegate(n) : n;
}

double DecimalToReal(const PackedDecimal& value)
{
    double v = 0;
    for (int i = 4; i >= 0; --i) {
        v = v * 10 + (value.bytes[i] >> 4);
        v = v * 10 + (value.bytes[i] & 0x0F);
    }
    if (isNegative(value)) v = -v;
    for (unsigned d = placesOf(value); d > 0; --d)
        v *= 0.1;
    return v;
}

void IntegerToDecimal(PackedDecimal& value, std::int32_t n)
{
    ClearDecimal(value);
    signedToDecimal(value, n);
}

void ShortToDecimal(PackedDecimal& value, std::int16_t n)
{
    signedToDecimal(value, n);
}

std::string DecimalToText(const PackedDecimal& value)
{
    std::string digits = digitString(value);
    if (const unsigned d = placesOf(value); d != 0) digits.insert(digits.size() - d, ".");
    // Leading zeros go, but one stays before the point or as the whole number.
    std::size_t start = digits.find_first_not_of('0');
    if (start == std::string::npos) start = digits.size();
    if (start == digits.size() || digits[start] == '.') --start;
    return (isNegative(value) ? "-" : "") + digits.substr(start);
}

void TextToDecimal(PackedDecimal& value, std::string_view text)
{
    ClearDecimal(value);
    const std::size_t firstNonBlank = text.find_first_not_of(' ');
    text.remove_prefix(firstNonBlank == std::string_view::npos ? text.size() : firstNonBlank);
    if (text.size() > 255) return;
    if (const std::size_t point = text.find('.'); point != std::string_view::npos)
        signAndPlaces(value) = static_cast<std::uint8_t>(text.size() - point - 1);
    if (text.starts_with('-')) {
        text.remove_prefix(1);
        signAndPlaces(value) |= kSignBit;
    }
    // From the right-hand end: low nibble, then high nibble, skipping a point once each time.
    std::size_t left = text.size();
    auto nextNibble = [&](std::uint8_t& nibble) {
        if (left > 0 && text[left - 1] == '.') --left;
        if (left == 0) return false;
        nibble = static_cast<std::uint8_t>(text[--left]) & 0x0F;
        return true;
    };
    for (int i = 0; i < 5; ++i) {
        std::uint8_t low = 0;
        std::uint8_t high = 0;
        if (!nextNibble(low)) break;
        const bool more = nextNibble(high);
        value.bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
        if (!more) break;
    }
}

void DecimalQuotient(PackedDecimal& result, const PackedDecimal& a, const PackedDecimal& b)
{
    std::int32_t ai = DecimalToInteger(a);
    std::int32_t bi = DecimalToInteger(b);
    const unsigned db = DecimalPlaces(b);
    const unsigned da = placesOf(a);
    std::int32_t q = 0;
    if (bi != 0) {
        const auto s = static_cast<std::int16_t>(2 * static_cast<int>(db) - static_cast<int>(da));
        for (int i = 0; i < s; ++i)
            ai = wrapMul10(ai);
        for (int i = 0; i < -s; ++i)
            bi = wrapMul10(bi);
        if (bi != 0) {
            q = wrapDiv(ai, bi);
            const std::int32_t r = wrapRem(ai, bi);
            if (r != 0 && wrapDiv(wrapMul10(r), bi) > 4) ++q;
        }
    }
    IntegerToDecimal(result, q);
    SetDecimalPlaces(result, db);
}

void RescaleDecimal(PackedDecimal& value, int n)
{
    std::int32_t v = DecimalToInteger(value);
    const int k = static_cast<int>(placesOf(value)) - n;
    for (int i = 0; i < -k; ++i)
        v = wrapMul10(v);
    if (k > 0) {
        for (int i = 0; i < k - 1; ++i)
            v /= 10;
        const std::int32_t lastDigit = v % 10;
        v /= 10;
        if (lastDigit > 4) ++v;
    }
    IntegerToDecimal(value, v);
    signAndPlaces(value) |= static_cast<std::uint8_t>(n);
}

PackedDecimal readDecimal(std::span<const std::uint8_t> block, std::size_t offset)
{
    PackedDecimal value;
    for (std::size_t i = 0; i < kPackedDecimalSize; ++i)
        value.bytes[i] = readByte(block, offset + i);
    return value;
}

void writeDecimal(std::span<std::uint8_t> block, std::size_t offset, const PackedDecimal& value)
{
    for (std::size_t i = 0; i < kPackedDecimalSize; ++i)
        writeByte(block, offset + i, value.bytes[i]);
}

}  // namespace quelvar
