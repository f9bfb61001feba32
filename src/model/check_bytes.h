#pragma once
// The two check bytes that seal a block (the setup image keeps them at 2046-2047):
// chosen so that both Fletcher sums (modulo 255) over the whole block are zero.

#include <cstdint>
#include <span>

namespace quelvar {

// True when both Fletcher sums over the block are 0.
bool VerifyCheckBytes(std::span<const std::uint8_t> block);

// Writes the check bytes into the last two bytes of the block (a block shorter
// than two bytes is left alone).
void StoreCheckBytes(std::span<std::uint8_t> block);

}  // namespace quelvar
