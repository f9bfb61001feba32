#pragma once
// The EAROM dump of the setup image: 256 lines of eight bytes, each line the
// offset, the bytes in hexadecimal and the same bytes as characters (UTF-8), one
// visible character per byte.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quelvar {

inline constexpr std::size_t kEaromDumpBytesPerLine = 8;

// The line for the eight bytes at `offset` ("      0    ff ff ... ff   " and the
// characters; a byte below 32 shows as "~", one that fonts draw as a box or
// nothing (127-159, the soft hyphen 173) as ".").
std::string EaromDumpLine(std::span<const std::uint8_t> image, std::size_t offset);

// Every line of the dump, offsets 0, 8, ... to the end of the image.
std::vector<std::string> EaromDumpLines(std::span<const std::uint8_t> image);

}  // namespace quelvar
