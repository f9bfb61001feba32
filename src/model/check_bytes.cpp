#include "model/check_bytes.h"

namespace quelvar {

namespace {

struct FletcherSums {
    unsigned s1 = 0;
    unsigned s2 = 0;
};

unsigned reduce255(unsigned x)
{
    return x >= 255 ? x - 255 : x;
}

FletcherSums fletcherSums(std::span<const std::uint8_t> bytes)
{
    FletcherSums sums;
    for (std::uint8_t b : bytes) {
        sums.s1 = reduce255(sums.s1 + b);
        sums.s2 = reduce255(sums.s2 + sums.s1);
    }
    return sums;
}

}  // namespace

bool VerifyCheckBytes(std::span<const std::uint8_t> block)
{
    const FletcherSums sums = fletcherSums(block);
    return sums.s1 == 0 && sums.s2 == 0;
}

void StoreCheckBytes(std::span<std::uint8_t> block)
{
    if (block.size() < 2) return;
    const std::size_t n = block.size();
    const FletcherSums sums = fletcherSums(block.first(n - 2));
    const unsigned c0 = 255 - reduce255(sums.s1 + sums.s2);
    const unsigned c1 = 255 - reduce255(sums.s1 + c0);
    block[n - 2] = static_cast<std::uint8_t>(c0);
    block[n - 1] = static_cast<std::uint8_t>(c1);
}

}  // namespace quelvar
