#include "model/decimal_text.h"

#include <gtest/gtest.h>

using namespace quelvar;

TEST(DecimalText, TypedNumbersAreCheckedBeforePacking)
{
    const struct {
        const char* text;
        const char* shown;  // DecimalToText of the result, or nullptr when refused
    } cases[] = {
        {"", "0"},
        {"   ", "0"},
        {"100 ", "100"},
        {"  12.5\t", "12.5"},
        {"+7", "7"},
        {"-0.05", "-0.05"},
        {".5", "0.5"},
        {"5.", "5"},
        {"0000000000001234", "1234"},
        {"9999999999", "9999999999"},
        {"12345.67890", "12345.67890"},
        {"0.0000001", "0.0000001"},
        {"12,5", nullptr},
        {"a", nullptr},
        {"1 0", nullptr},
        {"1.2.3", nullptr},
        {"-", nullptr},
        {".", nullptr},
        {"--1", nullptr},
        {"12345678901", nullptr},
        {"123456789.01", nullptr},
        {"0.00000001", nullptr},
        {"1e3", nullptr},
    };
    for (const auto& c : cases) {
        const auto value = parseDecimalText(c.text);
        if (c.shown == nullptr) {
            EXPECT_FALSE(value) << c.text;
            continue;
        }
        ASSERT_TRUE(value) << c.text;
        EXPECT_EQ(DecimalToText(*value), c.shown) << c.text;
    }
}
