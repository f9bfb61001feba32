#include "text/text_fields.h"

#include "model/bytes.h"
#include "model/param_items.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace quelvar::text {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::int64_t readNumber(const SetupImage& image, std::size_t offset, std::size_t size, bool isSigned)
{
    switch (size) {
    case 1: return readByte(image, offset);
    case 2: return isSigned ? std::int64_t{static_cast<std::int16_t>(readWord(image, offset))}
                            : std::int64_t{readWord(image, offset)};
    default:
        return isSigned ? std::int64_t{static_cast<std::int32_t>(readLong(image, offset))}
                        : std::int64_t{readLong(image, offset)};
    }
}

void writeNumber(SetupImage& image, std::size_t offset, std::size_t size, std::int64_t value)
{
    const auto bits = static_cast<std::uint64_t>(value);
    switch (size) {
    case 1: writeByte(image, offset, static_cast<std::uint8_t>(bits)); break;
    case 2: writeWord(image, offset, static_cast<std::uint16_t>(bits)); break;
    default: writeLong(image, offset, static_cast<std::uint32_t>(bits)); break;
    }
}

std::string choiceList(const std::vector<std::string>& choices)
{
    std::string list;
    for (const auto& choice : choices) list += (list.empty() ? "\"" : ", \"") + choice + "\"";
    return list;
}

}  // namespace

std::string itemComment(int item)
{
    std::string description;
    ItemDescription(description, item);
    return "item " + std::to_string(item) + ", " + description;
}

std::vector<std::string> trimmedTexts(std::span<const std::string_view> texts)
{
    std::vector<std::string> out;
    for (std::string_view text : texts) {
        const auto first = text.find_first_not_of(' ');
        out.emplace_back(first == std::string_view::npos ? "" : text.substr(first));
    }
    return out;
}

Refusal outOfRange(std::int64_t value, std::int64_t low, std::int64_t high)
{
    if (value >= low && value <= high) return {};
    return std::to_string(value) + " is out of range (" + std::to_string(low) + " to " +
           std::to_string(high) + ")";
}

Field numberField(std::string path, std::string comment, std::size_t offset, std::size_t size,
                  bool isSigned)
{
    Field f{std::move(path), std::move(comment), {imageBytes(offset, size)}, Kind::Integer};
    f.show = [=](const Setup& s) -> std::optional<Value> {
        return readNumber(s.image, offset, size, isSigned);
    };
    const std::int64_t span = std::int64_t{1} << (8 * size);
    const std::int64_t low = isSigned ? -span / 2 : 0;
    const std::int64_t high = isSigned ? span / 2 - 1 : span - 1;
    f.store = [=](Setup& s, const Value& v) {
        auto refusal = outOfRange(integerOf(v), low, high);
        if (!refusal.refused()) writeNumber(s.image, offset, size, integerOf(v));
        return refusal;
    };
    return f;
}

Field yesNoField(std::string path, std::string comment, std::size_t offset, bool inverted)
{
    Field f{std::move(path), std::move(comment), {imageBytes(offset, 1)}, Kind::Bool};
    f.show = [=](const Setup& s) -> std::optional<Value> {
        return (readByte(s.image, offset) != 0) != inverted;
    };
    f.store = [=](Setup& s, const Value& v) {
        writeByte(s.image, offset, boolOf(v) != inverted ? 1 : 0);
        return Refusal();
    };
    f.raw = Raw::Number;
    return f;
}

Field listField(std::string path, std::string comment, std::size_t offset, std::size_t size,
                std::vector<std::string> choices, std::int64_t firstCode)
{
    Field f{std::move(path), std::move(comment), {imageBytes(offset, size)}, Kind::Text};
    f.show = [=](const Setup& s) -> std::optional<Value> {
        const auto index = readNumber(s.image, offset, size, false) - firstCode;
        if (index < 0 || index >= std::ssize(choices)) return std::nullopt;
        return choices.at(static_cast<std::size_t>(index));
    };
    f.store = [=](Setup& s, const Value& v) -> Refusal {
        const auto it = std::find(choices.begin(), choices.end(), textOf(v));
        if (it == choices.end()) return "\"" + textOf(v) + "\" is not one of " + choiceList(choices);
        writeNumber(s.image, offset, size, firstCode + (it - choices.begin()));
        return Refusal();
    };
    f.raw = Raw::Number;
    return f;
}

std::string hexText(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (std::uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 15];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\t') continue;
        const char* digit = std::strchr(kHexDigits, std::toupper(static_cast<unsigned char>(c)));
        if (!digit || c == 0) return std::nullopt;
        const int d = static_cast<int>(digit - kHexDigits);
        if (high < 0) high = d;
        else bytes.push_back(static_cast<std::uint8_t>(high << 4 | d)), high = -1;
    }
    if (high >= 0) return std::nullopt;
    return bytes;
}

const Fields& setupFields()
{
    static const Fields fields = [] {
        Fields all;
        addScaleFields(all);
        addPortFields(all);
        addMiscFields(all);
        addEventFields(all);
        addPrintingFields(all);
        addFunctionFields(all);
        return all;
    }();
    return fields;
}

}  // namespace quelvar::text
