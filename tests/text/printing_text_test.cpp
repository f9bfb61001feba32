// [[page]] and [labels]: a technician's text stores what the page items and print
// labels dialogs would store, and is refused where they refuse.
#include "model/check_bytes.h"
#include "model/image_map.h"
#include "model/setup_file.h"
#include "printing/label_codec.h"
#include "printing/page_format.h"
#include "report_setups.h"
#include "whole_text.h"

#include <gtest/gtest.h>

#include <functional>

namespace quelvar::text {
namespace {

const std::string kPage4Entry1 = "[[page]]\nnumber = 4\n[[page.entry]]\nnumber = 1\n";

void label(Setup& s, int number, const char* text)
{
    storeLabel(s.image, *findPrintLabel(number), text);
}

TEST(PrintingText, ATextStoresWhatTheDialogsWould)
{
    const struct {
        std::string text;
        std::function<void(quelvar::Setup&)> dialog;
        const char* exported;  // how export writes it back
    } cases[] = {
        {kPage4Entry1 + ("row = 1\ncolumn = 2\nitem = \"Gross\"\n"),
         [](quelvar::Setup& s) { setPageEntry(s.image, 4, 1, 1, 2, "Gross"); }, "item = \"Gross\""},
        {kPage4Entry1 + ("row = 3\nitem = \"0\"\n"),
         [](quelvar::Setup& s) { setPageEntry(s.image, 4, 1, 3, 255, "0"); }, "item = \"0\""},
        // An empty entry keeps its item code and does not check the name.
        {kPage4Entry1 + ("row = 0\nitem = \"gross\"\n"),
         [](quelvar::Setup& s) { setPageEntry(s.image, 4, 1, 0, 255, "gross"); }, "row = 0"},
        {"[labels]\nlabel_32 = \"Net <N> kg\"\nlabel_90 = \"{G A}[G]<13><<x\"\n",
         [](quelvar::Setup& s) {
             label(s, 32, "Net <N> kg");
             label(s, 90, "{G A}[G]<13><<x");
         },
         "label_90 = \"{G A}[G]<13><<x\""},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        ASSERT_TRUE(r.ok()) << c.text << r.error;
        quelvar::Setup want = test::factorySetup();
        c.dialog(want);
        sealSetup(want);
        EXPECT_EQ(encodeSetupFile(r.setup), encodeSetupFile(want)) << c.text;
        EXPECT_NE(exportSetupText(r.setup).find(c.exported), std::string::npos) << c.text;
    }
}

// Deleting an entry's lines from a [[page]] leaves no entry there; deleting the whole
// [[page]] brings back the factory's.
TEST(PrintingText, APageInTheTextHoldsOnlyTheEntriesItNames)
{
    const std::vector<std::uint8_t> unprogrammed(48, 255);
    const struct {
        std::string text;
        int page;
        std::vector<std::uint8_t> start;  // of the page's bytes
    } cases[] = {
        {"[[page]]\nnumber = 2\n", 2, unprogrammed},
        {"[[page]]\nnumber = 2\n[[page.entry]]\nnumber = 2\nrow = 7\n", 2, {255, 255, 255, 7, 255}},
        {"[[page]]\nnumber = 4\n", 2, {3, 5, 5, 4, 5, 6, 5, 5, 7, 0, 255}},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        ASSERT_TRUE(r.ok()) << c.text << r.error;
        const auto page = r.setup.image.begin() + image::pageFormatOffset(c.page);
        EXPECT_TRUE(std::equal(c.start.begin(), c.start.end(), page)) << c.text;
        quelvar::Setup sealed = r.setup;
        EXPECT_EQ(encodeSetupFile(importSetupText(exportSetupText(r.setup)).setup),
                  encodeSetupFile(sealed))
            << c.text;
    }
}

TEST(PrintingText, RefusesWhatTheDialogsRefuse)
{
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {kPage4Entry1 + ("row = 3\n\nitem = \"gross\"\n"),
         "7: page.4.entry.1.item: Item entry not valid: gross"},
        {"[labels]\nlabel_34 = \"{Tkt}{Tkt}{Tkt}{Tkt}{Tkt}{Tkt}{Tkt}{Tkt}{Tkt}\"\n",
         "2: labels.label_34: Label 34 exceeds maximum length"},
        {"[labels]\nlabel_84 = \"1234567890123456789012345678901\"\n",
         "2: labels.label_84: Label 84 exceeds maximum length"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importWhole(c.text).error, c.error) << c.text;
}

TEST(PrintingText, ANewLabelIsOneLineOfTheDiff)
{
    quelvar::Setup named = test::fullSetup();
    label(named, 84, "NORTH GATE SCALE HOUSE");
    const struct {
        quelvar::Setup before;
        const char* after;
        const char* line;
    } cases[] = {
        {test::factorySetup(), "Net <N> kg", "labels.label_84: \"\" -> Net <N> kg"},
        // The shorter label leaves the old one's bytes after its 0, kept beside it.
        {named, "ACME", "labels.label_84: NORTH GATE SCALE HOUSE -> ACME"},
    };
    for (const auto& c : cases) {
        quelvar::Setup after = c.before;
        label(after, 84, c.after);
        const auto lines = diffText(diffSetups(c.before, after));
        ASSERT_EQ(lines.size(), 1u) << c.after;
        EXPECT_TRUE(lines[0].starts_with(c.line)) << lines[0];
    }
}

}  // namespace
}  // namespace quelvar::text
