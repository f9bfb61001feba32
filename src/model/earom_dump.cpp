#include "model/earom_dump.h"

#include "model/bytes.h"
#include "model/utf8_text.h"

#include <cstdio>

namespace quelvar {

namespace {

// DEL, the C1 control codes and the soft hyphen: a font draws them as a box or
// not at all, so the character column would lose its one cell per byte.
bool drawnAsNothing(std::uint8_t c)
{
    return (c >= 0x7F && c <= 0x9F) || c == 0xAD;
}

}  // namespace

std::string EaromDumpLine(std::span<const std::uint8_t> image, std::size_t offset)
{
    std::uint8_t b[kEaromDumpBytesPerLine];
    for (std::size_t i = 0; i < kEaromDumpBytesPerLine; ++i)
        b[i] = readByte(image, offset + i);
    char hex[64];
    std::snprintf(hex, sizeof hex, "   %4zx    %02x %02x %02x %02x %02x %02x %02x %02x   ", offset,
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    std::string characters;
    for (std::uint8_t c : b)
        characters += c < 32 ? '~' : drawnAsNothing(c) ? '.' : static_cast<char>(c);
    return hex + latin1ToUtf8(characters);
}

std::vector<std::string> EaromDumpLines(std::span<const std::uint8_t> image)
{
    std::vector<std::string> lines;
    for (std::size_t offset = 0; offset < image.size(); offset += kEaromDumpBytesPerLine)
        lines.push_back(EaromDumpLine(image, offset));
    return lines;
}

}  // namespace quelvar
