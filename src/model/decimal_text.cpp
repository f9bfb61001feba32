#include "model/decimal_text.h"

#include <algorithm>
#include <cctype>
#include <limits>
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

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Removes `prefix` (letters in any case) from the front of `text`.
bool skipPrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    text.remove_prefix(prefix.size());
    return true;
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

constexpr std::size_t kMaxIntegerDigits = 10;

}  // namespace

std::optional<std::int32_t> parseIntegerText(std::string_view text)
{
    text = trimmed(text);
    const bool negative = skipPrefix(text, "-");
    if (!negative) skipPrefix(text, "+");
    const bool hex = skipPrefix(text, "$") || skipPrefix(text, "0x");
    if (text.empty() || text.size() > kMaxIntegerDigits ||
        !std::ranges::all_of(text, hex ? isHexDigit : isDigit))
        return std::nullopt;
    const std::int64_t value = std::stoll(std::string(text), nullptr, hex ? 16 : 10);
    if (hex) {
        // Hexadecimal texts name a 32-bit pattern: $FFFFFFFF is -1.
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    const std::int64_t signedValue = negative ? -value : value;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

std::string notANumberMessage(std::string_view text, std::string_view kind)
{
    return "'" + std::string(text) + "' is not a valid " + std::string(kind) + " value";
}

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
