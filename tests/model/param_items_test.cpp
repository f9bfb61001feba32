#include "model/bytes.h"
#include "model/image_map.h"
#include "model/packed_decimal.h"
#include "model/param_items.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace quelvar;

namespace {

SetupImage factoryImage()
{
    SetupImage image;
    image.fill(0x5A);
    ResetSetupToDefaults(image);
    return image;
}

std::string valueText(const SetupImage& image, int index)
{
    std::string text = "untouched";
    ParamValueText(text, image, index);
    return text;
}

}  // namespace

TEST(ParamItems, TableIsNumberedOneToNinetyAndEnds)
{
    for (int index = 1; index <= 90; ++index)
        EXPECT_EQ(ItemNumber(index), index);
    EXPECT_EQ(ItemNumber(91), 0);
    EXPECT_EQ(ItemNumber(0), 0);
    EXPECT_EQ(ItemNumber(-1), 0);
    std::string description;
    EXPECT_EQ(ItemDescription(description, 65), 65);
    EXPECT_EQ(description, "Configuure print formats");
    EXPECT_EQ(ItemDefault(22), 48388);
    EXPECT_EQ(ItemPassLevel(42), 1);
    EXPECT_EQ(ItemKind(35), ParamKind::PrintCode);
    // Every value lies inside the image and no two values overlap.
    std::array<int, kSetupImageSize> owner{};
    for (int index = 1; index <= 90; ++index) {
        const ParamItem& item = ParamItemAt(index);
        for (std::size_t i = 0; i < item.size; ++i) {
            ASSERT_LT(item.offset + i, image::kCheckBytes) << index;
            EXPECT_EQ(owner[item.offset + i], 0)
                << "items " << owner[item.offset + i] << " and " << index;
            owner[item.offset + i] = index;
        }
    }
}

TEST(ParamItems, FactoryValueTexts)
{
    const SetupImage image = factoryImage();
    struct Case {
        int index;
        std::string text;
    };
    const Case cases[] = {
        {1, "3"},        {8, "12"},   {16, "45359"},
        {22, "1096964"}, {27, "255"}, {30, "Yes (1)"},
        {32, " "},       {84, " "},   {35, "  0 255 255   0 "},
        {41, "No (0)"},  {43, "0"},   {51, "255"},
        {59, ""},        {78, ""},    {80, ""},
        {83, "64"},      {91, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valueText(image, c.index), c.text) << "item " << c.index;
}

TEST(ParamItems, ValueTextsOfEditedValues)
{
    struct Case {
        int index;
        std::function<void(SetupImage&)> edit;
        std::string text;
    };
    const std::string label31(31, 'L');
    const Case cases[] = {
        {30, [](SetupImage& i) { i[79] = 2; }, "Yes (1)"},
        {8, [](SetupImage& i) { i[6] = 0xFF, i[7] = 0xFF; }, "-1"},
        {81, [](SetupImage& i) { std::fill_n(i.begin() + 1552, 4, 0xFF); }, "4294967295"},
        {1, [](SetupImage& i) { i[21] = 200; }, "200"},
        {84, [&](SetupImage& i) { writeText(i, 1561, 32, label31); }, label31},
        // A short label slot whose text runs on into the next slot: 32 characters or more.
        {32, [](SetupImage& i) { std::fill_n(i.begin() + 107, 40, 'x'); }, std::string(25, '~')},
        {33, [](SetupImage& i) { writeText(i, 124, 17, "GROSS"); }, "GROSS"},
        {44,
         [](SetupImage& i) {
             PackedDecimal d;
             TextToDecimal(d, "-12.50");
             writeDecimal(i, 414, d);
         },
         "-12.50"},
    };
    for (const auto& c : cases) {
        SetupImage image = factoryImage();
        c.edit(image);
        EXPECT_EQ(valueText(image, c.index), c.text) << "item " << c.index;
    }
}

TEST(ParamItems, ListLinesHeaderItemsAndEnd)
{
    const SetupImage image = factoryImage();
    std::string line;
    EXPECT_EQ(ParamListLine(line, image, 0), 1);
    EXPECT_EQ(line, "Item Description              Value              Default Pass level");
    EXPECT_EQ(ParamListLine(line, image, 35), 35);
    EXPECT_EQ(line, "  35 Print code 1                0 255 255   0       0   2");
    EXPECT_EQ(ParamListLine(line, image, 22), 22);
    EXPECT_EQ(line, "  22 Calib conversion factor   1096964           48388   3");
    line = "kept";
    EXPECT_EQ(ParamListLine(line, image, 91), 0);
    EXPECT_EQ(line, "kept");
}

TEST(ParamItems, ResetGivesTheSameImageWhateverItHeld)
{
    SetupImage fromZeros{};
    ResetSetupToDefaults(fromZeros);
    EXPECT_EQ(fromZeros, factoryImage());

    const SetupImage& image = fromZeros;
    struct Span {
        std::size_t from, count;
        std::uint8_t value;
    };
    const Span spans[] = {
        {42, 24, 0xFF},     // not interpreted
        {464, 63, 0xFF},    // timers and setpoints
        {527, 1024, 0xFF},  // function code
        {368, 40, 0x00},    // ten Longs
        {99, 4, 0x00},      // two unedited Words
        {95, 4, 0xFF},      // password check words
        {1778, 270, 0xFF},  // not interpreted, check bytes
        {318, 48, 0xFF},    // page 4
    };
    for (const auto& s : spans)
        for (std::size_t i = s.from; i < s.from + s.count; ++i)
            ASSERT_EQ(image[i], s.value) << "offset " << i;

    const std::vector<std::uint8_t> page2 = {3, 5, 5, 4, 5, 6, 5, 5, 7, 0};
    EXPECT_TRUE(std::equal(page2.begin(), page2.end(), image.begin() + 222));
    EXPECT_EQ(image[174], 1);
    EXPECT_EQ(image[176], 0x12);
    EXPECT_EQ(image[177], 0);
    EXPECT_EQ(image[270], 0);
    EXPECT_EQ(image[81], 0);
    EXPECT_EQ(image[88], 0);
    EXPECT_EQ(image[82], 0xFF);
    EXPECT_EQ(image[173], 0);
}
