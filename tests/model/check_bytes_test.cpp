#include "model/check_bytes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quelvar;

TEST(CheckBytes, StoredBytesMakeBothSumsZero)
{
    struct Case {
        std::vector<std::uint8_t> block;
        std::uint8_t c0, c1;
    };
    const std::vector<Case> cases = {
        {{1, 2, 0, 0}, 248, 4},
        {{0, 0, 0, 0}, 255, 255},
        {{254, 254, 254, 0, 0}, 0, 0},  // c0, c1 only checked by Verify below
    };
    for (auto c : cases) {
        StoreCheckBytes(c.block);
        EXPECT_TRUE(VerifyCheckBytes(c.block));
        const std::size_t n = c.block.size();
        if (c.c0 != 0) {
            EXPECT_EQ(c.block[n - 2], c.c0);
            EXPECT_EQ(c.block[n - 1], c.c1);
        }
        EXPECT_GE(c.block[n - 2], 1);
        EXPECT_GE(c.block[n - 1], 1);
    }
}

TEST(CheckBytes, AnyChangedOrSwappedByteIsDetected)
{
    std::vector<std::uint8_t> block(2048);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7 + 3);
    StoreCheckBytes(block);
    ASSERT_TRUE(VerifyCheckBytes(block));

    auto changed = block;
    changed[100] ^= 0x01;
    EXPECT_FALSE(VerifyCheckBytes(changed));

    auto swapped = block;
    std::swap(swapped[10], swapped[11]);
    EXPECT_FALSE(VerifyCheckBytes(swapped));
}

TEST(CheckBytes, TinyBlocksAreLeftAlone)
{
    std::vector<std::uint8_t> one{7};
    StoreCheckBytes(one);
    EXPECT_EQ(one[0], 7);
    EXPECT_TRUE(VerifyCheckBytes(std::vector<std::uint8_t>{}));
}
