#include "model/packed_decimal.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace quelvar;

namespace {

PackedDecimal fromBytes(std::array<std::uint8_t, 6> bytes)
{
    return PackedDecimal{bytes};
}

PackedDecimal parsed(std::string_view text)
{
    PackedDecimal value;
    value.bytes.fill(0xAA);  // parsing must start from a clear value
    TextToDecimal(value, text);
    return value;
}

}  // namespace

TEST(PackedDecimal, TextParsesToDigitsPlacesAndSign)
{
    struct Case {
        std::string text;
        std::array<std::uint8_t, 6> bytes;
        std::string printed;
    };
    const Case cases[] = {
        {"  12.5", {0x25, 0x01, 0, 0, 0, 0x01}, "12.5"},
        {"-0.05", {0x05, 0, 0, 0, 0, 0x82}, "-0.05"},
        {"123456789012", {0x12, 0x90, 0x78, 0x56, 0x34, 0x00}, "3456789012"},
        {"1.2.3", {0x23, 0x01, 0, 0, 0, 0x03}, "0.123"},
        {"", {0, 0, 0, 0, 0, 0}, "0"},
        {"   ", {0, 0, 0, 0, 0, 0}, "0"},
        {"0.00", {0, 0, 0, 0, 0, 0x02}, "0.00"},
        {"-0", {0, 0, 0, 0, 0, 0x80}, "-0"},
        {"7.", {0x07, 0, 0, 0, 0, 0}, "7"},
        {".5", {0x05, 0, 0, 0, 0, 0x01}, "0.5"},
        {"-", {0, 0, 0, 0, 0, 0x80}, "-0"},
        {"9999999999", {0x99, 0x99, 0x99, 0x99, 0x99, 0}, "9999999999"},
        {std::string(256, '1'), {0, 0, 0, 0, 0, 0}, "0"},  // too long: stays zero
        {std::string(255, '1'), {0x11, 0x11, 0x11, 0x11, 0x11, 0}, "1111111111"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text.substr(0, 20) + "\"");
        const PackedDecimal value = parsed(c.text);
        EXPECT_EQ(value, fromBytes(c.bytes));
        EXPECT_EQ(DecimalToText(value), c.printed);
    }
}

TEST(PackedDecimal, TextShowsPointAndOneLeadingZero)
{
    struct Case {
        std::array<std::uint8_t, 6> bytes;
        std::string text;
    };
    const Case cases[] = {
        {{0x45, 0x23, 0x01, 0, 0, 0x02}, "123.45"},
        {{0, 0, 0, 0, 0, 0x02}, "0.00"},
        {{0, 0, 0, 0, 0, 0x00}, "0"},
        {{0x05, 0, 0, 0, 0, 0x83}, "-0.005"},
        {{0x00, 0x00, 0x00, 0x00, 0x10, 0x07}, "100.0000000"},
        {{0x05, 0, 0, 0, 0, 0x08}, "5"},  // bit 3 is not a decimal place when printing
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalToText(fromBytes(c.bytes)), c.text);
}

TEST(PackedDecimal, IntegerConversionsWrapIn32Bits)
{
    struct Case {
        std::int32_t n;
        std::array<std::uint8_t, 6> bytes;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0, 0, 0}},
        {1234, {0x34, 0x12, 0, 0, 0, 0}},
        {-5, {0x05, 0, 0, 0, 0, 0x80}},
        {std::numeric_limits<std::int32_t>::max(), {0x47, 0x36, 0x48, 0x47, 0x21, 0}},
        {std::numeric_limits<std::int32_t>::min(), {0x48, 0x36, 0x48, 0x47, 0x21, 0x80}},
    };
    for (const auto& c : cases) {
        PackedDecimal value;
        value.bytes.fill(0x77);
        IntegerToDecimal(value, c.n);
        EXPECT_EQ(value, fromBytes(c.bytes)) << c.n;
        EXPECT_EQ(DecimalToInteger(value), c.n);
    }
    // Ten nines exceed 32 bits: the digit string wraps.
    EXPECT_EQ(DecimalToInteger(parsed("9999999999")),
              static_cast<std::int32_t>(9999999999 % 4294967296));
    EXPECT_EQ(DecimalToInteger(parsed("12.34")), 1234);

    PackedDecimal shortValue;
    ShortToDecimal(shortValue, -32768);
    EXPECT_EQ(DecimalToText(shortValue), "-32768");
}

TEST(PackedDecimal, RealAndDecimalPlaces)
{
    EXPECT_DOUBLE_EQ(DecimalToReal(parsed("-12.5")), -12.5);
    EXPECT_NEAR(DecimalToReal(parsed("0.001")), 0.001, 1e-12);

    PackedDecimal value = parsed("-1.5");
    SetDecimalPlaces(value, 3);
    EXPECT_EQ(value.bytes[5], 0x83);
    SetDecimalPlaces(value, 0x1F);  // the low four bits are or'ed in, bit 3 included
    EXPECT_EQ(value.bytes[5], 0x8F);
    EXPECT_EQ(DecimalPlaces(value), 15u);
}

TEST(PackedDecimal, QuotientRoundsAtTheDivisorsPlaces)
{
    struct Case {
        std::string a, b, quotient;
    };
    const Case cases[] = {
        {"10000", "0.5", "20000.0"},
        {"10000", "0.00", "0.00"},  // b = 0
        {"10", "3", "3"},
        {"20", "3", "7"},    // 6.67 rounds up
        {"-20", "3", "-6"},  // negative results truncate
        {"1", "0.3", "3.3"},
        {"1.5", "2", "1"},  // 0.75 at 0 places
        {"12.345", "1.0", "12.3"},
    };
    for (const auto& c : cases) {
        PackedDecimal q;
        DecimalQuotient(q, parsed(c.a), parsed(c.b));
        EXPECT_EQ(DecimalToText(q), c.quotient) << c.a << " / " << c.b;
    }
    // Scaling the divisor can wrap it to 0: no trap, the quotient is 0.
    PackedDecimal q;
    DecimalQuotient(q, parsed("1.0000000"), parsed("33554432"));
    EXPECT_EQ(DecimalToInteger(q), 0);
}

TEST(PackedDecimal, RescaleRoundsOnTheLastDroppedDigit)
{
    struct Case {
        std::string text;
        int places;
        std::string result;
    };
    const Case cases[] = {
        {"6554.4", 0, "6554"},   {"6554.5", 0, "6555"},
        {"20000.0", 0, "20000"}, {"1.449", 1, "1.4"},  // only the last dropped digit counts
        {"1.45", 1, "1.5"},      {"2.5", 3, "2.500"},
        {"-2.5", 0, "-2"},  // negative values truncate
    };
    for (const auto& c : cases) {
        PackedDecimal value = parsed(c.text);
        RescaleDecimal(value, c.places);
        EXPECT_EQ(DecimalToText(value), c.result) << c.text << " to " << c.places;
    }
}
