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

// The factory texts of every item are compared with the saved parameter list by the
// command-line tests; here, the print code and an item past the table.
TEST(ParamItems, FactoryValueTexts)
{
    const SetupImage image = factoryImage();
    EXPECT_EQ(valueText(image, 35), "  0 255 255   0 ");
    EXPECT_EQ(valueText(image, 91), "");
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
        // A label reads as its dialog shows it, never past its maximum length.
        {84, [&](SetupImage& i) { writeText(i, 1561, 32, label31); }, label31.substr(1)},
        {32, [](SetupImage& i) { std::fill_n(i.begin() + 107, 40, 'x'); }, std::string(16, 'x')},
        {85, [](SetupImage& i) { writeText(i, 1592, 31, "Net \xFD\x42 kg\x0A"); }, "Net <N> kg<10>"},
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

TEST(ParamItems, ListLinesEndAfterTheLastItem)
{
    const SetupImage image = factoryImage();
    std::string line;
    EXPECT_EQ(ParamListLine(line, image, 0), 1);
    EXPECT_EQ(ParamListLine(line, image, 90), 90);
    line = "kept";
    EXPECT_EQ(ParamListLine(line, image, 91), 0);
    EXPECT_EQ(line, "kept");
}

// The factory image itself is compared with the saved dump by the command-line tests.
TEST(ParamItems, ResetGivesTheSameImageWhateverItHeld)
{
    SetupImage fromZeros{};
    ResetSetupToDefaults(fromZeros);
    EXPECT_EQ(fromZeros, factoryImage());
}
