#include "model/utf8_text.h"

#include <cstdio>

namespace quelvar {

namespace {

constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

struct Decoded {
    char32_t character;  // kNotUtf8 for a byte that starts no UTF-8 character
    std::size_t length;
};

// The character that starts at `at`: shortest form only, no surrogates.
Decoded decodeAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) return {kNotUtf8, 1};
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {kNotUtf8, 1};
        c = c << 6 | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {kNotUtf8, 1};
    return {c, length};
}

void appendUtf8(std::string& out, unsigned char byte)
{
    if (byte < 0x80) {
        out += static_cast<char>(byte);
        return;
    }
    out += static_cast<char>(0xC0 | byte >> 6);
    out += static_cast<char>(0x80 | (byte & 0x3F));
}

}  // namespace

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string out;
    for (char c : latin1)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string visibleText(std::string_view latin1, LineBreaks breaks)
{
    std::string out;
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const auto byte = static_cast<unsigned char>(latin1[i]);
        if (breaks == LineBreaks::Kept && (byte == '\r' || byte == '\n')) {
            if (latin1.substr(i).starts_with("\r\n")) ++i;
            out += '\n';
        } else if (byte < 32 || (byte >= 127 && byte < 160)) {
            out += '<' + std::to_string(byte) + '>';
        } else {
            appendUtf8(out, byte);
        }
    }
    return out;
}

Latin1Text utf8ToLatin1(std::string_view utf8)
{
    Latin1Text result;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decodeAt(utf8, i);
        if (d.character > 0xFF) {
            result.refused = utf8.substr(i, d.length);
            break;
        }
        result.text += static_cast<char>(d.character);
        i += d.length;
    }
    return result;
}

std::string notInCharacterSetMessage(std::string_view refused)
{
    const Decoded d = refused.empty() ? Decoded{kNotUtf8, 0} : decodeAt(refused, 0);
    char code[32];
    if (d.character == kNotUtf8) {
        std::snprintf(code, sizeof code, "0x%02X",
                      refused.empty() ? 0u : static_cast<unsigned char>(refused[0]));
        return "the byte " + std::string(code) + " is not UTF-8 text";
    }
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(d.character));
    return "\"" + std::string(refused) + "\" (" + code +
           ") is not in the indicator's character set";
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += decodeAt(text, i).length)
        ++count;
    return count;
}

}  // namespace quelvar
