// [[function]] and [description]: listings compile as the editor's Compile button
// does, and what a slot holds besides its code (old code after an End, bytes no
// instruction has, the tails of shortened comments, its last byte) stays readable
// and exact.

#include "model/image_map.h"
#include "model/setup_file.h"
#include "report_setups.h"
#include "script/listing_edit.h"
#include "whole_text.h"

#include <gtest/gtest.h>

namespace quelvar::text {
namespace {

constexpr const char* kWorked = "[[function]]\n"
                                "number = 1\n"
                                "description = \"Sum, then\\nwait\"\n"
                                "listing = [\n"
                                "  \"Add\\tMemory1\\tGross\\tTare\\tsum\",\n"
                                "  \"If\\tMotion\\t\\t\\t\",\n"
                                "  \"Prompt\\tWAIT\\t\\t\\t\",\n"
                                "  \"End if\\t\\t\\t\\t\",\n"
                                "  \"Set\\tMemory2\\t300\\t\\t\",\n"
                                "  \"Gosub\\tUser2\\t\\t\\t\",\n"
                                "  \"End\\t\\t\\t\\t\",\n"
                                "]\n";

TEST(FunctionsText, AListingAndDescriptionStoreAsTheDialogsDo)
{
    const ImportResult r = importWhole(
        std::string(kWorked) + "[description]\ntext = \"one\\r\\ntwo\\rthree\\nfour\"\n");
    ASSERT_TRUE(r.ok()) << r.error;
    const std::vector<std::uint8_t> code = {200, 1, 64,  65,  241, 107, 232, 87, 65,  73,
                                            84,  0, 240, 209, 2,   44,  243, 2,  255, 255};
    const auto slot = r.setup.image.begin() + image::functionSlotOffset(1);
    EXPECT_TRUE(std::equal(code.begin(), code.end(), slot));
    EXPECT_EQ(lineComment(r.setup, 1, 0), "sum");
    EXPECT_EQ(functionDescription(r.setup.functionDescriptions, 1), "Sum, then\r\nwait");
    // Each line break the memo would show as one is stored as CR LF.
    EXPECT_EQ(r.setup.description, "one\r\ntwo\r\nthree\r\nfour");
}

TEST(FunctionsText, ALineThatDoesNotCompileIsRefusedWithItsOwnLine)
{
    const struct {
        const char* listing;
        const char* error;
    } cases[] = {
        {"[\n\"Add\\tMemory1\\tGros\\tTare\\t\"]", "5: function.1.listing: Error: Register 2 name"},
        {"[\"End\\t\\t\\t\\t\",\n\n\"ADD\\t\\t\\t\\t\"]",
         "6: function.1.listing: Error: Instruction code not found"},
        {"[\n\"Flag on\\t21\\t\\t\\t\"]", "5: function.1.listing: Error: Value out of range"},
        {"[\n\"hex 0G\\t\\t\\t\\t\"]",
         "5: function.1.listing: Error: a hex line holds 1 to 8 bytes in hexadecimal"},
        {"[]", "4: function.1.listing: Error: Listbox empty"},
    };
    for (const auto& c : cases) {
        const ImportResult r =
            importWhole(std::string("[[function]]\nnumber = 1\n\nlisting = ") + c.listing);
        EXPECT_EQ(r.error, c.error) << c.listing;
    }
}

std::string listingOf(const std::vector<std::string>& lines)
{
    std::string text = "[[function]]\nnumber = 2\nlisting = [\n";
    for (const auto& line : lines) text += "\"" + line + "\",\n";
    return text + "]\n";
}

// What the slot or the stores cannot hold is refused with its line, never cut.
TEST(FunctionsText, WhatDoesNotFitIsRefusedNotCut)
{
    const std::vector<std::string> full(64, "End\\t\\t\\t\\t");  // 64 bytes: the slot
    std::vector<std::string> thirtyThree(32, "End\\t\\t\\t\\t");
    thirtyThree.push_back("End\\t\\t\\t\\tnote");
    std::vector<std::string> past = full;
    past.push_back("Add\\tMemory1\\tGross\\tTare\\t");
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {listingOf({"End\\t\\t\\t\\t" + std::string(30, 'c')}),
         "4: function.2.listing: a comment holds at most 29 characters"},
        {listingOf(thirtyThree),
         "36: function.2.listing: only the first 32 lines of a function hold a comment"},
        {listingOf(past), "68: function.2.listing: the function's 64 bytes are full: this line "
                          "does not fit"},
        {listingOf({"End\\t\\t\\t\\t" + std::string(124, 'c')}),
         "4: function.2.listing: a listing line holds at most 127 characters"},
        {"[[function]]\nnumber = 2\ndescription = \"" + std::string(254, 'd') + "\\n\"\n",
         "3: function.2.description: the description is 256 bytes long (a line break takes 2); at "
         "most 255 fit"},
        {"[description]\ntext = \"" + std::string(512, 'd') + "\"\n",
         "2: description.text: the description is 512 bytes long (a line break takes 2); at most "
         "511 fit"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importWhole(c.text).error, c.error) << c.text;
    // What fits is taken: 29 characters, 255 and 511 bytes, End lines after a full slot.
    std::vector<std::string> ends = full;
    ends.push_back("End\\t\\t\\t\\t");
    for (const std::string& text :
         {listingOf({"End\\t\\t\\t\\t" + std::string(29, 'c')}), listingOf(ends),
          "[[function]]\nnumber = 2\ndescription = \"" + std::string(255, 'd') + "\"\n",
          "[description]\ntext = \"" + std::string(511, 'd') + "\"\n"})
        EXPECT_TRUE(importWhole(text).ok()) << text;
}

// A listing goes through an editor that turns TABs into blanks, and lines typed as
// loosely as the function editor takes them compile as it would store them.
TEST(FunctionsText, AListingSurvivesOrdinaryEditors)
{
    const ImportResult typed = importWhole(listingOf(
        {" add \\tmemory1\\t gross\\ttare\\t sum ", "hex 00 f0\\t\\t\\t\\tbytes", "set\\tMemory2\\t44\\t\\tc3",
         "End"}));
    ASSERT_TRUE(typed.ok()) << typed.error;
    quelvar::Setup stored = test::factorySetup();
    CompileListing(stored, 2,
                   std::vector<std::string>{"Add\tMemory1\tGross\tTare\tsum", "Prompt\t\t\t\tbytes",
                                            "Set\tMemory2\t44\t\tc3", "End\t\t\t\t"},
                   true);
    const auto slot = image::functionSlotOffset(2);
    stored.image[slot + 4] = 0x00;  // the bytes of the "hex" line
    stored.image[slot + 5] = 0xF0;
    EXPECT_TRUE(std::equal(stored.image.begin() + slot, stored.image.begin() + slot + 64,
                           typed.setup.image.begin() + slot));
    EXPECT_EQ(stored.lineComments, typed.setup.lineComments);
    const std::string text = exportSetupText(typed.setup);
    EXPECT_EQ(text.find('\t'), std::string::npos);
    EXPECT_NE(text.find("\"hex 00 F0\\t\\t\\t\\tbytes\",\n    \"Set\\tMemory2\\t44\\t\\tc3\""),
              std::string::npos)
        << text;
}

// Slots as files hold them after editing: each comes out as a readable listing that
// gives back the same bytes.
TEST(FunctionsText, WhatASlotHoldsBesidesItsCodeStaysReadable)
{
    const auto slot = image::functionSlotOffset(2);
    const struct {
        const char* what;
        std::vector<std::string> recompiled;
        const char* shown;
    } cases[] = {
        {"old code after an End, a byte of it no instruction has",
         {"Gosub\tUser3\t\t\tsum", "End\t\t\t\t"},
         "\"End\\t\\t\\t\\t\",\n    \"hex 41\\t\\t\\t\\t\",\n    \"Set\\tMemory2\\t44\\t\\t\","},
        {"a comment stored over a longer one", {"Add\tMemory1\tGross\tTare\tn"}, "\\tn\\u0000m\""},
        {"a last byte other than End", {}, "last_byte = 9"},
    };
    for (const auto& c : cases) {
        quelvar::Setup setup = test::factorySetup();
        const std::vector<std::string> listing = {"Add\tMemory1\tGross\tTare\tsum",
                                                  "Set\tMemory2\t44\t\t", "End\t\t\t\t"};
        CompileListing(setup, 2, listing, true);
        if (c.recompiled.empty())
            setup.image[slot + 63] = 9;
        else
            CompileListing(setup, 2, c.recompiled, true);
        sealSetup(setup);
        const std::string text = exportSetupText(setup);
        EXPECT_NE(text.find(c.shown), std::string::npos) << c.what << "\n" << text;
        EXPECT_EQ(text.find("= { hex"), std::string::npos) << c.what << "\n" << text;
        const quelvar::Setup back = importSetupText(text).setup;
        EXPECT_TRUE(std::equal(setup.image.begin() + slot, setup.image.begin() + slot + 64,
                               back.image.begin() + slot))
            << c.what;
        EXPECT_EQ(setup.lineComments, back.lineComments) << c.what;
    }
}

}  // namespace
}  // namespace quelvar::text
