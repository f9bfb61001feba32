#include "model/bytes.h"

#include <array>
#include <gtest/gtest.h>

using namespace quelvar;

TEST(Bytes, LittleEndianFieldsRoundTripAndStayInsideTheBlock)
{
    std::array<std::uint8_t, 6> block{};
    writeLong(block, 0, 0x11223344);
    EXPECT_EQ(block[0], 0x44);
    EXPECT_EQ(block[3], 0x11);
    EXPECT_EQ(readLong(block, 0), 0x11223344u);
    writeWord(block, 5, 0xABCD);  // the high byte would fall outside
    EXPECT_EQ(block[5], 0xCD);
    EXPECT_EQ(readWord(block, 5), 0x00CD);
}

TEST(Bytes, TextFieldsAreBoundedAndTerminated)
{
    std::array<std::uint8_t, 8> block;
    block.fill('x');
    writeText(block, 2, 4, "abcdef");
    EXPECT_EQ(readText(block, 2, 4), "abc");
    EXPECT_EQ(block[5], 0);
    EXPECT_EQ(block[6], 'x');
    EXPECT_EQ(readText(block, 6, 10), "xx");  // no terminator: up to the block's end
}
