#pragma once
// Little-endian fields and zero-terminated text fields inside byte blocks.
// Every access is bounded by the block; nothing casts pointers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

inline std::uint8_t readByte(std::span<const std::uint8_t> block, std::size_t offset)
{
    return offset < block.size() ? block[offset] : 0;
}

inline std::uint16_t readWord(std::span<const std::uint8_t> block, std::size_t offset)
{
    return static_cast<std::uint16_t>(readByte(block, offset) | readByte(block, offset + 1) << 8);
}

inline std::uint32_t readLong(std::span<const std::uint8_t> block, std::size_t offset)
{
    return static_cast<std::uint32_t>(readWord(block, offset)) |
           static_cast<std::uint32_t>(readWord(block, offset + 2)) << 16;
}

inline void writeByte(std::span<std::uint8_t> block, std::size_t offset, std::uint8_t value)
{
    if (offset < block.size()) block[offset] = value;
}

inline void writeWord(std::span<std::uint8_t> block, std::size_t offset, std::uint16_t value)
{
    writeByte(block, offset, static_cast<std::uint8_t>(value & 0xFF));
    writeByte(block, offset + 1, static_cast<std::uint8_t>(value >> 8));
}

inline void writeLong(std::span<std::uint8_t> block, std::size_t offset, std::uint32_t value)
{
    writeWord(block, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    writeWord(block, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

// The text of a zero-terminated field of `size` bytes at `offset` (all of it when
// there is no terminator inside the field).
inline std::string readText(std::span<const std::uint8_t> block, std::size_t offset,
                            std::size_t size)
{
    if (offset >= block.size()) return {};
    auto field = block.subspan(offset, std::min(size, block.size() - offset));
    auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

// Stores `text` into a field of `size` bytes: at most size-1 characters and a
// terminating zero; the rest of the field is left as it was.
inline void writeText(std::span<std::uint8_t> block, std::size_t offset, std::size_t size,
                      std::string_view text)
{
    if (size == 0 || offset >= block.size()) return;
    size = std::min(size, block.size() - offset);
    std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.begin(), n, block.begin() + static_cast<std::ptrdiff_t>(offset));
    block[offset + n] = 0;
}

}  // namespace quelvar
