#include "editors/port_params.h"
#include "model/setup.h"

#include <gtest/gtest.h>

using namespace quelvar;

TEST(PortParams, ModeByteAsDataBitsAndParity)
{
    const struct {
        std::uint8_t mode;
        LineMode lists;
    } cases[] = {
        {1, {0, 0}}, {2, {0, 1}}, {3, {0, 2}}, {4, {1, 0}}, {5, {1, 1}}, {6, {1, 2}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lineMode(c.mode), c.lists) << int(c.mode);
        EXPECT_EQ(modeByte(c.lists), c.mode) << int(c.mode);
    }
    for (std::uint8_t outside : {0, 7, 0xFF})
        EXPECT_EQ(lineMode(outside), LineMode{}) << int(outside);
    EXPECT_EQ(modeByte({1, -1}), std::nullopt);
    EXPECT_EQ(modeByte({-1, 0}), std::nullopt);
}

TEST(PortParams, PrintCodeEndsWithZero)
{
    SetupImage image;
    image.fill(0xFF);
    writePrintCode(image, 2, {27, 64, 300 & 0xFF});
    EXPECT_EQ(readPrintCode(image, 2), (PrintCode{27, 64, 44}));
    EXPECT_EQ(image[165], 0);
    EXPECT_EQ(image[166], 0xFF);
}
