#pragma once
// The setup's texts are single bytes (Latin-1, as the indicator stores them); what
// the program shows or reads outside the setup (report pages, the command line,
// file names, text views) is UTF-8. These convert at that edge, once.
//
//     out << visibleText(comment);                 // "Zero<9>tare" for a TAB
//     Latin1Text typed = utf8ToLatin1("Temp °C");  // typed.text holds 0xB0
//     if (!typed.ok()) err << notInCharacterSetMessage(typed.refused);

#include <cstddef>
#include <string>
#include <string_view>

namespace quelvar {

// Each byte as its UTF-8 character.
std::string latin1ToUtf8(std::string_view latin1);

enum class LineBreaks { AsCodes, Kept };

// Setup text as it may be shown: UTF-8, with every byte that has no visible form
// (below 32, 127 to 159) written as its number in angle brackets, the token the
// labels use ("<9>" for a TAB). With LineBreaks::Kept, a CR LF, a lone CR and an
// LF each become one "\n".
std::string visibleText(std::string_view latin1, LineBreaks breaks = LineBreaks::AsCodes);

struct Latin1Text {
    std::string text;     // the bytes converted before the first refused character
    std::string refused;  // that character as typed (or a byte that is not UTF-8)
    bool ok() const { return refused.empty(); }
};

// UTF-8 text as setup text: each character up to U+00FF becomes its byte. The
// first character with no such byte, or the first byte that is not UTF-8, stops
// the conversion and is named in `refused`.
Latin1Text utf8ToLatin1(std::string_view utf8);

// "\"€\" (U+20AC) is not in the indicator's character set", or for a byte that is
// not UTF-8 "the byte 0xFF is not UTF-8 text".
std::string notInCharacterSetMessage(std::string_view refused);

// How many characters UTF-8 `text` holds (a byte that is not UTF-8 counts as one).
std::size_t utf8Length(std::string_view text);

}  // namespace quelvar
