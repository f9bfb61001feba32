#include "printing/label_codec.h"

#include "model/bytes.h"
#include "model/image_map.h"
#include "model/utf8_text.h"
#include "printing/print_items.h"
#include "script/name_tables.h"

#include <algorithm>

namespace quelvar {

namespace {

// One kind of bracketed token and the escape byte it stands for.
struct Bracket {
    char open;
    char close;
    std::uint8_t escape;
    const NameTable& (*table)();
    bool takesNumbers;  // <nnn> and [nnn] give the character nnn; braces have no such form
};

constexpr std::uint8_t kItemEscape = 252;
constexpr std::uint8_t kMinimumFieldEscape = 253;
constexpr std::uint8_t kSevenCharEscape = 254;
constexpr std::size_t kLongestToken = 5;

constexpr std::array<Bracket, 3> kBrackets{{
    {'<', '>', kMinimumFieldEscape, registerAbbreviationTable, true},
    {'[', ']', kSevenCharEscape, registerAbbreviationTable, true},
    {'{', '}', kItemEscape, labelItemTable, false},
}};

const Bracket* bracketOpenedBy(char c)
{
    auto it = std::find_if(kBrackets.begin(), kBrackets.end(),
                           [c](const Bracket& b) { return b.open == c; });
    return it == kBrackets.end() ? nullptr : &*it;
}

const Bracket* bracketOfEscape(std::uint8_t byte)
{
    auto it = std::find_if(kBrackets.begin(), kBrackets.end(),
                           [byte](const Bracket& b) { return b.escape == byte; });
    return it == kBrackets.end() ? nullptr : &*it;
}

std::string numberToken(std::uint8_t byte)
{
    return '<' + std::to_string(byte) + '>';
}

// An escape whose code has no name, or that lost its code to the end of the label,
// shows as number tokens, which encode back to the very same bytes.
std::string escapeText(const Bracket& bracket, std::uint8_t code)
{
    if (code == 0) return numberToken(bracket.escape);
    const NameTable& table = bracket.table();
    const int index = LookupByCode(table, code);
    if (index == 0) return numberToken(bracket.escape) + numberToken(code);
    return bracket.open + std::string(table.name(index)) + bracket.close;
}

void appendCharacter(std::string& text, std::uint8_t byte)
{
    const char c = static_cast<char>(byte);
    if (bracketOpenedBy(c))
        text.append(2, c);
    else if (byte < 32 || byte > 126)
        text += numberToken(byte);
    else
        text += c;
}

// The low 8 bits of the number formed by the leading digits of `token`.
std::uint8_t leadingNumber(std::string_view token)
{
    unsigned value = 0;
    for (char c : token) {
        if (c < '0' || c > '9') break;
        value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
    }
    return static_cast<std::uint8_t>(value);
}

// Encodes the token whose opening bracket stands at `open`; returns where to go on.
// A token that is not one stays ordinary text: only its bracket is written here.
std::size_t encodeToken(std::string_view text, std::size_t open, const Bracket& bracket,
                        std::vector<std::uint8_t>& bytes)
{
    const std::size_t close = text.find(bracket.close, open + 1);
    if (close != std::string_view::npos && close - open - 1 <= kLongestToken) {
        const std::string_view token = text.substr(open + 1, close - open - 1);
        if (bracket.takesNumbers && !token.empty() && token[0] >= '0' && token[0] <= '9') {
            bytes.push_back(leadingNumber(token));
            return close + 1;
        }
        const NameTable& table = bracket.table();
        if (const int index = LookupByName(table, token); index != 0) {
            bytes.push_back(bracket.escape);
            bytes.push_back(static_cast<std::uint8_t>(table.code(index) & 0xFF));
            return close + 1;
        }
    }
    bytes.push_back(static_cast<std::uint8_t>(bracket.open));
    return open + 1;
}

// Encodes the character or token at `i`; returns where to go on.
std::size_t encodeStep(std::string_view text, std::size_t i, std::vector<std::uint8_t>& bytes)
{
    const char c = text[i];
    const Bracket* bracket = bracketOpenedBy(c);
    if (bracket && !(i + 1 < text.size() && text[i + 1] == c))
        return encodeToken(text, i, *bracket, bytes);
    bytes.push_back(static_cast<std::uint8_t>(c));
    return i + (bracket ? 2 : 1);
}

// The bytes of an encoded label before its ending 0.
std::size_t labelLength(const std::vector<std::uint8_t>& bytes)
{
    return static_cast<std::size_t>(std::find(bytes.begin(), bytes.end(), 0) - bytes.begin());
}

constexpr std::size_t kShortLabelLength = image::kShortLabelSize - 1;
constexpr std::size_t kLongLabelLength = image::kLongLabelSize - 1;

constexpr std::array<PrintLabel, 10> kPrintLabels{{
    {32, image::labelOffset(32), kShortLabelLength},
    {33, image::labelOffset(33), kShortLabelLength},
    {34, image::labelOffset(34), kShortLabelLength},
    {84, image::labelOffset(84), kLongLabelLength},
    {85, image::labelOffset(85), kLongLabelLength},
    {86, image::labelOffset(86), kLongLabelLength},
    {87, image::labelOffset(87), kLongLabelLength},
    {88, image::labelOffset(88), kLongLabelLength},
    {89, image::labelOffset(89), kLongLabelLength},
    {90, image::labelOffset(90), kLongLabelLength},
}};

}  // namespace

std::string DecodeLabel(std::span<const std::uint8_t> slot, std::size_t maxLength)
{
    std::string text;
    for (std::size_t i = 0; i < maxLength && i < slot.size(); ++i) {
        const std::uint8_t byte = slot[i];
        if (byte == 0) break;
        const Bracket* escape = bracketOfEscape(byte);
        if (!escape) {
            appendCharacter(text, byte);
            continue;
        }
        const std::uint8_t code = readByte(slot, ++i);
        text += escapeText(*escape, code);
        if (code == 0) break;
    }
    return text;
}

std::vector<std::uint8_t> EncodeLabel(std::string_view text, std::size_t limit)
{
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size() && bytes.size() < limit)
        i = encodeStep(text, i, bytes);
    bytes.push_back(0);
    return bytes;
}

const std::array<PrintLabel, 10>& printLabels()
{
    return kPrintLabels;
}

const PrintLabel* findPrintLabel(int number)
{
    auto it = std::find_if(kPrintLabels.begin(), kPrintLabels.end(),
                           [number](const PrintLabel& l) { return l.number == number; });
    return it == kPrintLabels.end() ? nullptr : &*it;
}

std::string readLabel(std::span<const std::uint8_t> image, const PrintLabel& label)
{
    return DecodeLabel(image.subspan(label.offset, label.maxLength + 1), label.maxLength);
}

std::size_t encodedLabelLength(std::string_view text)
{
    return labelLength(EncodeLabel(text));
}

std::size_t fittingLabelText(std::string_view text, std::size_t maxLength)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t next = encodeStep(text, i, bytes);
        if (labelLength(bytes) < bytes.size()) break;  // a 0 ends the label
        if (bytes.size() > maxLength) return i;
        i = next;
    }
    return text.size();
}

bool storeLabel(std::span<std::uint8_t> image, const PrintLabel& label, std::string_view text)
{
    const auto bytes = EncodeLabel(text);
    const std::size_t length = labelLength(bytes);
    const std::size_t kept = std::min(length, label.maxLength);
    std::copy_n(bytes.begin(), kept, image.begin() + static_cast<std::ptrdiff_t>(label.offset));
    image[label.offset + kept] = 0;
    return length <= label.maxLength;
}

std::string labelTooLongMessage(const PrintLabel& label)
{
    return "Label " + std::to_string(label.number) + " exceeds maximum length";
}

std::string labelCharacterMessage(const PrintLabel& label, std::string_view refused)
{
    return "Label " + std::to_string(label.number) + ": " + notInCharacterSetMessage(refused);
}

}  // namespace quelvar
