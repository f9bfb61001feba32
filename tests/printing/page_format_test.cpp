// Page format entries stored from the page items dialog's texts.

#include "model/param_items.h"
#include "printing/page_format.h"

#include <gtest/gtest.h>

namespace quelvar {
namespace {

TEST(PageFormat, FactoryPagesStoredFromWhatTheDialogShowsStayTheSame)
{
    SetupImage image{};
    ResetSetupToDefaults(image);
    const SetupImage factory = image;
    for (int page = 1; page <= kPageFormatCount; ++page) {
        const PageEntry first = pageEntry(readPageFormat(image, page), 1);
        EXPECT_TRUE(
            setPageEntry(image, page, 1, first.row, first.column, pageItemName(first.item)));
    }
    EXPECT_EQ(image, factory);
    EXPECT_EQ(pageItemName(pageEntry(readPageFormat(image, 1), 1).item), "Dispweight");
    EXPECT_EQ(pageItemName(pageEntry(readPageFormat(image, 4), 16).item), "");
}

TEST(PageFormat, EntriesStoreTheirRowColumnAndItem)
{
    const struct {
        std::int32_t row;
        std::int32_t column;
        const char* item;
        bool valid;
        PageEntry stored;  // the entry held 7, 8, 31 before
    } cases[] = {
        {3, 5, "Gross", true, {3, 5, 5}},
        {3, 5, "", true, {3, 5, 255}},
        {3, 5, "0", true, {3, 5, 0}},
        {3, 5, "31", true, {3, 5, 31}},  // a code without a name, typed as its number
        {3, 5, "256", false, {3, 5, 31}},
        {3, 5, "Count", true, {3, 5, 69}},
        {300, -1, "Net", true, {44, 255, 7}},
        {0, 9, "anything", true, {0, 9, 31}},  // an empty entry keeps its item
        {256, 1, "gross", true, {0, 1, 31}},
        {3, 5, "gross", false, {3, 5, 31}},
        {3, 5, "Label 32", false, {3, 5, 31}},
    };
    for (const auto& c : cases) {
        PageFormat format{};
        format.fill(1);
        format[3] = 7, format[4] = 8, format[5] = 31;
        EXPECT_EQ(storePageEntry(format, 2, c.row, c.column, c.item), c.valid) << c.item;
        const PageEntry e = pageEntry(format, 2);
        EXPECT_EQ((std::array{e.row, e.column, e.item}),
                  (std::array{c.stored.row, c.stored.column, c.stored.item}))
            << c.row << ' ' << c.item;
        EXPECT_EQ(format[2], 1);
        EXPECT_EQ(format[6], 1);
    }
}

TEST(PageFormat, SettingOneEntryStoresThePageAsTheDialogShowsIt)
{
    SetupImage image{};
    ResetSetupToDefaults(image);
    const std::size_t page2 = 222;
    image[page2 + 5] = 31;  // entry 2 carries a code no item has: it shows "31"
    const SetupImage before = image;
    EXPECT_FALSE(setPageEntry(image, 2, 3, 9, 9, "net"));
    EXPECT_EQ(image, before);

    EXPECT_TRUE(setPageEntry(image, 2, 3, 9, 10, "Ticket"));
    EXPECT_EQ(image[page2 + 5], 31);
    EXPECT_EQ((std::array{image[page2 + 6], image[page2 + 7], image[page2 + 8]}),
              (std::array<std::uint8_t, 3>{9, 10, 1}));
    EXPECT_EQ(pageItemCode("Spacehold"), 32);
    EXPECT_EQ(pageItemName(70), "70");
    EXPECT_EQ(pageItemName(0), "0");
}

}  // namespace
}  // namespace quelvar
