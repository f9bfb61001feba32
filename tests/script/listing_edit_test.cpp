#include "script/listing_edit.h"

#include <gtest/gtest.h>

namespace quelvar {
namespace {

TEST(TypedName, TrimsAndRaisesOnlyTheFirstLetter)
{
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"  set pt on \t", "Set pt on"},
        {"", ""},
        {"   ", ""},
        {"7", "7"},
        {"memory1\tx", "Memory1 x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typedName(c.typed), c.stored) << c.typed;
    EXPECT_EQ(trimBlanks("  a comment  "), "a comment");
}

TEST(FunctionDescriptions, AreCutTo255AndStayInTheirSlot)
{
    FunctionDescriptions store{};
    store.fill(0xAA);
    const std::string long300(300, 'd');
    ASSERT_TRUE(storeFunctionDescription(store, 15, long300));
    EXPECT_EQ(functionDescription(store, 15), std::string(255, 'd'));
    EXPECT_EQ(store[15 * 256 + 255], 0);
    EXPECT_EQ(store[15 * 256 - 1], 0xAA);  // slot 14 untouched

    ASSERT_TRUE(storeFunctionDescription(store, 0, "slot zero"));
    EXPECT_EQ(functionDescription(store, 0), "slot zero");

    // A slot without a terminator still shows at most 255 characters.
    EXPECT_EQ(functionDescription(store, 3), std::string(255, '\xAA'));

    EXPECT_FALSE(storeFunctionDescription(store, 16, "x"));
    EXPECT_FALSE(storeFunctionDescription(store, -1, "x"));
    EXPECT_EQ(functionDescription(store, 16), "");
}

ListingEdit threeLines()
{
    return ListingEdit({"Add\ta\tb\tc\tsum", "If\tMotion\t\t\t", "End\t\t\t\t"});
}

TEST(ListingEdit, ShowsAndStoresTheCurrentLine)
{
    auto edit = threeLines();
    EXPECT_EQ(edit.currentFields(), (ListingLine{"Add", "a", "b", "c", "sum"}));

    const auto written = edit.store({" add ", "memory1", "gross", " tare", "  the sum "});
    EXPECT_EQ(written, (ListingLine{"Add", "Memory1", "Gross", "Tare", "the sum"}));
    EXPECT_EQ(edit.lines()[0], "Add\tMemory1\tGross\tTare\tthe sum");

    // A comment may hold TABs: only the first four split the line.
    ListingEdit tabbed({"Nop\t\t\t\ta\tb"});
    EXPECT_EQ(tabbed.currentFields(), (ListingLine{"Nop", "", "", "", "a\tb"}));

    ListingEdit broken({"Nop\t\t"});
    EXPECT_FALSE(broken.currentFields());
}

TEST(ListingEdit, CurrentLineNeverLeavesTheListing)
{
    auto edit = threeLines();
    edit.next();
    edit.next();
    EXPECT_EQ(edit.current(), 2u);
    edit.next();  // Enter on the last line
    EXPECT_EQ(edit.current(), 2u);

    edit.removeCurrent();  // Delete on the last line
    EXPECT_EQ(edit.current(), 1u);
    EXPECT_EQ(edit.lines().size(), 2u);

    edit.select(7);
    EXPECT_EQ(edit.current(), 1u);

    edit.removeCurrent();
    edit.removeCurrent();
    EXPECT_TRUE(edit.lines().empty());
    EXPECT_FALSE(edit.currentFields());
    edit.removeCurrent();  // nothing left to remove
    edit.store({"Add", "", "", "", ""});
    EXPECT_TRUE(edit.lines().empty());

    edit.insertEmpty();
    EXPECT_EQ(edit.lines(), std::vector<std::string>{"\t\t\t\t"});
    EXPECT_EQ(edit.currentFields(), (ListingLine{"", "", "", "", ""}));
}

TEST(ListingEdit, InsertPushesTheCurrentLineDown)
{
    auto edit = threeLines();
    edit.select(1);
    edit.insertEmpty();
    EXPECT_EQ(edit.current(), 1u);
    EXPECT_EQ(edit.lines(), (std::vector<std::string>{"Add\ta\tb\tc\tsum", "\t\t\t\t",
                                                      "If\tMotion\t\t\t", "End\t\t\t\t"}));
    edit.removeCurrent();
    EXPECT_EQ(edit.currentFields(), (ListingLine{"If", "Motion", "", "", ""}));
}

}  // namespace
}  // namespace quelvar
