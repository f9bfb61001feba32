#include "editors/scale_params.h"

#include "model/bytes.h"
#include "model/param_items.h"

#include <algorithm>

namespace quelvar {

std::span<const std::string_view> loadCellNames()
{
    static constexpr std::string_view names[] = {"0.5 mv/v", "1 mv/v", "2 mv/v", "3 mv/v",
                                                 "6 mv/v"};
    return names;
}

std::span<const std::string_view> unitNames()
{
    static constexpr std::string_view names[] = {"",      " lb", " kg",    " ton",   " tne",
                                                 " gram", " oz", "Label 1", "PCode 1"};
    return names;
}


namespace {

constexpr std::uint8_t kSignBit = 0x80;

// The ten digits without the 32-bit wrap of DecimalToInteger.
std::uint64_t digitValue(const PackedDecimal& value)
{
    std::uint64_t v = 0;
    for (int i = 4; i >= 0; --i)
        v = (v * 10 + (value.bytes[i] >> 4)) * 10 + (value.bytes[i] & 0x0F);
    return v;
}

// The places as DecimalToText shows them.
unsigned shownPlaces(const PackedDecimal& value)
{
    return DecimalPlaces(value) & 0x07;
}

bool isNegative(const PackedDecimal& value)
{
    return (value.bytes[5] & kSignBit) != 0;
}

std::uint64_t powerOfTen(unsigned n)
{
    std::uint64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

}  // namespace

CountByField primaryCountBy()
{
    return {ItemOffset(11), ItemOffset(12)};
}

CountByField alternateCountBy()
{
    return {ItemOffset(14), ItemOffset(15)};
}

PackedDecimal readCountBy(std::span<const std::uint8_t> image, CountByField field)
{
    PackedDecimal countBy;
    ShortToDecimal(countBy, readByte(image, field.digits));
    SetDecimalPlaces(countBy, readByte(image, field.places));
    return countBy;
}

void writeCountBy(std::span<std::uint8_t> image, CountByField field, const PackedDecimal& countBy)
{
    writeByte(image, field.digits, static_cast<std::uint8_t>(DecimalToInteger(countBy) & 0xFF));
    writeByte(image, field.places, static_cast<std::uint8_t>(DecimalPlaces(countBy)));
}

bool isValidCountBy(const PackedDecimal& countBy)
{
    constexpr std::int32_t kCountBys[] = {1, 2, 5, 10, 20, 50, 100};
    return std::ranges::find(kCountBys, DecimalToInteger(countBy)) != std::end(kCountBys);
}

std::string weightText(std::int32_t steps, const PackedDecimal& countBy)
{
    const unsigned places = shownPlaces(countBy);
    const bool negative = (steps < 0) != isNegative(countBy);
    const std::int64_t wide = steps;
    // Up to 2^31 steps times a ten-digit count-by: wider than 64 bits.
    auto magnitude = static_cast<unsigned __int128>(wide < 0 ? -wide : wide) * digitValue(countBy);
    // At least one digit before the point.
    std::string digits;
    for (unsigned n = 0; magnitude != 0 || n <= places; ++n, magnitude /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    std::string fraction = digits.substr(digits.size() - places);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    digits.resize(digits.size() - places);
    if (!fraction.empty()) digits += "." + fraction;
    return (negative && digits != "0" ? "-" : "") + digits;
}

std::optional<std::int32_t> weightSteps(const PackedDecimal& weight, const PackedDecimal& countBy)
{
    const unsigned weightPlaces = shownPlaces(weight);
    const unsigned countByPlaces = shownPlaces(countBy);
    // weight / countBy with both digit strings brought to the same places.
    const std::uint64_t numerator =
        digitValue(weight) * powerOfTen(countByPlaces - std::min(countByPlaces, weightPlaces));
    const std::uint64_t denominator =
        digitValue(countBy) * powerOfTen(weightPlaces - std::min(countByPlaces, weightPlaces));
    if (denominator == 0) return 0;
    const std::uint64_t steps =
        numerator / denominator + (numerator % denominator * 2 >= denominator);
    const bool negative = isNegative(weight) != isNegative(countBy);
    if (steps > (negative ? 0x8000'0000ull : 0x7FFF'FFFFull)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(steps)
                                              : static_cast<std::int64_t>(steps));
}

}  // namespace quelvar
