#include "editors/scale_params.h"
#include "model/decimal_text.h"
#include "model/param_items.h"

#include <gtest/gtest.h>
#include <optional>

using namespace quelvar;

namespace {

PackedDecimal decimal(const char* text)
{
    return parseDecimalText(text).value();
}

}  // namespace

TEST(ScaleParams, FactoryCountBysAndWeights)
{
    SetupImage image;
    ResetSetupToDefaults(image);
    const PackedDecimal countBy = readCountBy(image, primaryCountBy());
    EXPECT_EQ(DecimalToText(countBy), "0.01");
    EXPECT_EQ(DecimalToText(readCountBy(image, alternateCountBy())), "0.5");
    EXPECT_EQ(weightText(10000, countBy), "100");
    EXPECT_EQ(weightText(10200, countBy), "102");

    writeCountBy(image, primaryCountBy(), decimal("0.5"));
    EXPECT_EQ(image[12], 5);
    EXPECT_EQ(image[11], 1);
}

TEST(ScaleParams, CountByRule)
{
    for (const char* text : {"1", "2", "5", "10", "20", "50", "100", "0.02", "0.05", "0.50"})
        EXPECT_TRUE(isValidCountBy(decimal(text))) << text;
    for (const char* text : {"15", "3", "0", "0.0", "", "200", "-1", "50.0"})
        EXPECT_FALSE(isValidCountBy(decimal(text))) << text;
}

TEST(ScaleParams, WeightShownExactlyFromSteps)
{
    const struct {
        std::int32_t steps;
        const char* countBy;
        const char* text;
    } cases[] = {
        {20000, "0.5", "10000"},
        {1234567, "0.01", "12345.67"},
        {10000, "100", "1000000"},
        {3, "0.005", "0.015"},
        {0, "0.01", "0"},
        {-1, "0.0000255", "-0.0000255"},
        {2147483647, "100", "214748364700"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(weightText(c.steps, decimal(c.countBy)), c.text) << c.steps << " x " << c.countBy;
}

TEST(ScaleParams, WeightCountedInStepsRoundedOnce)
{
    const struct {
        const char* weight;
        const char* countBy;
        std::optional<std::int32_t> steps;
    } cases[] = {
        {"10000", "0.5", 20000},       {"1001", "2", 501}, {"30", "0.0005", 60000},
        {"12345.67", "0.01", 1234567}, {"0.74", "0.5", 1}, {"0.75", "0.5", 2},
        {"-1001", "2", -501},          {"100", "0", 0},    {"9999999999", "0.01", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(weightSteps(decimal(c.weight), decimal(c.countBy)), c.steps)
            << c.weight << " / " << c.countBy;
}
