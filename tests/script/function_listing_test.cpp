#include "script/function_listing.h"
#include "script/tally_script.h"

#include "expected_text.h"
#include "model/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace quelvar;

namespace {

quelvar::Setup freshSetup()
{
    quelvar::Setup setup;
    std::fill_n(setup.image.begin() + kFunctionCodeOffset, kFunctionCount * kFunctionSlotSize,
                std::uint8_t{255});
    return setup;
}

void putCode(quelvar::Setup& setup, int n, std::vector<std::uint8_t> bytes)
{
    std::ranges::copy(bytes, functionSlot(setup.image, n).begin());
}

void putComment(quelvar::Setup& setup, int n, int line, std::string_view text)
{
    writeText(setup.lineComments, (static_cast<std::size_t>(n) * 32 + line) * 30, 30, text);
}

std::vector<std::string> listing(quelvar::Setup& setup, int n)
{
    std::string text;
    AppendFunctionListing(text, setup, n);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    EXPECT_TRUE(text.empty() || text.back() == '\n');
    return lines;
}

std::string row(std::string_view bytes, std::string_view texts)
{
    return std::string(bytes) + std::string(texts);
}

TEST(FunctionListing, Lines)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> code;
        std::vector<std::string> lines;
    };
    const std::string end = "End                                     ";
    const Case cases[] = {
        {"empty slot", {}, {row("255              ", end + "first")}},
        {"End then End if goes on",
         {200, 1, 64, 65, 255, 240, 255},
         {row("200   1  64  65  ", "Add       Memory1   Gross     Tare      first"),
          row("255              ", end + "second"),
          row("240              ", "End if                                  "),
          row("255              ", end)}},
        {"Prompt shows four bytes",
         {232, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 255},
         {row("232  65  66  67  ", "Prompt    ABCDEFG                       first"),
          row("255              ", end + "second")}},
        {"unknown opcode and operand",
         {213, 200, 99, 64, 255},
         {row("213              ", "ERROR                                   first"),
          row("200  99          ", "Add       ERROR                         second"),
          row(" 64              ", "ERROR                                   "),
          row("255              ", end)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto setup = freshSetup();
        putCode(setup, 4, c.code);
        putComment(setup, 4, 0, "first");
        putComment(setup, 4, 1, "second");
        EXPECT_EQ(listing(setup, 4), c.lines);
    }
}

TEST(FunctionListing, StopsAtTheSlotEndAndSetsTheGuard)
{
    auto setup = freshSetup();
    auto slot = functionSlot(setup.image, 5);
    std::fill(slot.begin(), slot.end(), std::uint8_t{254});  // 64 Nops, no End
    for (int i = 0; i < 32; ++i) putComment(setup, 5, i, "c" + std::to_string(i));
    putComment(setup, 6, 0, "next function");
    auto lines = listing(setup, 5);
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[31], row("254              ", "Nop                                     c31"));
    EXPECT_EQ(lines[32], row("254              ", "Nop                                     "));
    EXPECT_EQ(lines[63], row("255              ", "End                                     "));
    EXPECT_EQ(slot.back(), 255);
}

TEST(FunctionListing, SlotUsed)
{
    auto setup = freshSetup();
    EXPECT_FALSE(FunctionSlotUsed(setup.image, 1));
    setup.image[functionSlotOffset(1) + 1] = 200;
    EXPECT_FALSE(FunctionSlotUsed(setup.image, 1));
    setup.image[functionSlotOffset(1)] = 254;
    EXPECT_TRUE(FunctionSlotUsed(setup.image, 1));
    EXPECT_FALSE(FunctionSlotUsed(setup.image, 16));
    EXPECT_FALSE(FunctionSlotUsed(setup.image, -1));
}

TEST(TallyScriptList, MatchesTheSavedText)
{
    auto setup = freshSetup();
    setup.description = "Truck scale, two decks";
    writeText(setup.functionDescriptions, 256, 256, "Sum the decks");
    const std::vector<std::string> lines = {
        "Add\tMemory1\tGross\tTare\tsum", "If\tMotion\t\t\t", "Prompt\tWAIT\t\t\t",
        "End if\t\t\t\t", "Set\tMemory2\t300\t\t", "Gosub\tUser2\t\t\t", "End\t\t\t\t",
    };
    ASSERT_TRUE(CompileListing(setup, 1, lines, true).success);
    putCode(setup, 15, {233, 3, 255});
    EXPECT_TRUE(
        test::matchesExpectedFile(tallyScriptListText(setup), "script/tally_script_list.txt"));
}

}  // namespace
