#include "model/decimal_text.h"

#include <algorithm>
#include <string>

namespace quelvar {

namespace {

constexpr std::size_t kMaxDigits = 10;
constexpr std::size_t kMaxPlaces = 7;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits with at most one point, at least one digit, within the packed format.
bool isUnsignedNumber(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!std::ranges::all_of(whole, isDigit) || !std::ranges::all_of(fraction, isDigit))
        return false;
    const std::string digits = std::string(whole) + std::string(fraction);
    const std::size_t firstSignificant = std::min(digits.find_first_not_of('0'), digits.size());
    return !digits.empty() && digits.size() - firstSignificant <= kMaxDigits &&
           fraction.size() <= kMaxPlaces;
}

}  // namespace

std::optional<PackedDecimal> parseDecimalText(std::string_view text)
{
    text = trimmed(text);
    PackedDecimal value;
    if (text.empty()) return value;
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') text.remove_prefix(1);
    if (!isUnsignedNumber(text)) return std::nullopt;
    // Leading zeros carry nothing and would only lengthen the text.
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    TextToDecimal(value, (negative ? "-" : "") + std::string(text));
    return value;
}

}  // namespace quelvar
