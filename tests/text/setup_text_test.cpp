// The setup as text: what export writes turns back into the same bytes, whatever a
// file holds; a value a dialog would refuse is refused with the key's line.

#include "model/bytes.h"
#include "model/check_bytes.h"
#include "model/param_items.h"
#include "model/setup_file.h"
#include "report_setups.h"
#include "whole_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace quelvar::text {
namespace {

Setup workedExample()
{
    Setup setup = test::factorySetup();
    const std::vector<std::string> listing = {
        "Add\tMemory1\tGross\tTare\tsum", "If\tMotion\t\t\t",     "Prompt\tWAIT\t\t\t",
        "End if\t\t\t\t",                "Set\tMemory2\t300\t\t", "Gosub\tUser2\t\t\t",
        "End\t\t\t\t"};
    CompileListing(setup, 1, listing, true);
    writeText(setup.functionDescriptions, 256, 256, "Sum, then wait for the scale");
    return setup;
}

// A file of random bytes in all four blocks (texts with bytes after their zeros);
// one seed in three has a description block without a zero, one in three check
// bytes that verify, the others check bytes that do not.
SetupFileBytes randomFile(unsigned seed)
{
    std::mt19937 random(seed);
    SetupFileBytes bytes;
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    if (seed % 3 == 1)
        std::replace(bytes.begin() + 2048, bytes.begin() + 2560, std::uint8_t{0}, std::uint8_t{1});
    if (seed % 3 == 2) StoreCheckBytes(std::span(bytes).first(2048));
    return bytes;
}

void expectRoundTrip(const SetupFileBytes& file, const std::string& what)
{
    Setup setup;
    decodeSetupFile(file, setup);
    const std::string text = exportSetupText(setup);
    const ImportResult back = importSetupText(text);
    ASSERT_TRUE(back.ok()) << what << ": " << back.error << "\n" << text;
    EXPECT_EQ(encodeSetupFile(back.setup), file) << what << "\n" << text;
    EXPECT_TRUE(diffSetups(setup, back.setup).empty()) << what;
}

void expectRoundTrip(Setup setup, const std::string& what)
{
    sealSetup(setup);
    expectRoundTrip(encodeSetupFile(setup), what);
}

TEST(SetupText, ImportOfExportGivesTheSameBytes)
{
    expectRoundTrip(test::factorySetup(), "factory");
    expectRoundTrip(workedExample(), "worked example");
    expectRoundTrip(test::fullSetup(), "every area edited");
    expectRoundTrip(SetupFileBytes{}, "zeros, check bytes 0 0 that verify");
    for (unsigned seed = 1; seed <= 150; ++seed)
        expectRoundTrip(randomFile(seed), "seed " + std::to_string(seed));
}

TEST(SetupText, AShortTextKeepsTheFactoryValuesOfTheKeysItLeavesOut)
{
    const ImportResult r = importWhole("[scale]\ncapacity = \"500\"\n");
    ASSERT_TRUE(r.ok()) << r.error;
    quelvar::Setup factory = test::factorySetup();
    sealSetup(factory);
    EXPECT_EQ(diffText(diffSetups(factory, r.setup)),
              std::vector<std::string>{"scale.capacity: 100 -> 500"});
    EXPECT_TRUE(VerifyCheckBytes(r.setup.image));
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_TRUE(r.notes[0].ends_with("took factory values: scale (19), ports (13), misc (8), "
                                     "analog_output (3), fixed_registers (8), passwords (2), "
                                     "keys (8), page (3), labels (10), description (1)"))
        << r.notes[0];

    // A whole text says nothing; one line taken out is counted; check bytes that do
    // not verify are kept, and said so.
    quelvar::Setup full = test::fullSetup();
    sealSetup(full);
    const std::string whole = exportSetupText(full);
    EXPECT_TRUE(importSetupText(whole).notes.empty());
    const std::size_t line = whole.find("\nfilter = ");
    const std::string cut = whole.substr(0, line) + whole.substr(whole.find('\n', line + 1));
    EXPECT_EQ(importSetupText(cut).notes,
              std::vector<std::string>{"1 setting took factory values: scale (1)"});
    full.image[2047] ^= 1;
    const ImportResult kept = importSetupText(exportSetupText(full));
    EXPECT_EQ(kept.notes, std::vector<std::string>{"the check bytes are written as the text gives "
                                                   "them (they do not verify)"});
    EXPECT_EQ(kept.setup.image, full.image);
}

// diff names what changed: a raw byte by its offset, never a whole block.
TEST(SetupText, DiffShowsWhatChangedNotAWholeBlock)
{
    quelvar::Setup factory = test::factorySetup();
    sealSetup(factory);
    const struct {
        std::function<void(quelvar::Setup&)> change;
        std::vector<std::string> lines;
    } cases[] = {
        {[](quelvar::Setup& s) { s.image[1800] = 0x13; },
         {"bytes.at_1800: 0xFF -> 0x13"}},
        {[](quelvar::Setup& s) { s.image[1801] = s.image[1802] = 0; },
         {"bytes.at_1801: 0xFF 0xFF -> 0x00 0x00"}},
        {[](quelvar::Setup& s) { s.descriptionKept[100] = 'A'; },
         {"description.text.at_2148: 0x00 -> 0x41"}},
        {[](quelvar::Setup& s) { s.image[2046] ^= 1; },
         {"check bytes: verify -> do not verify (23 46)"}},
    };
    for (const auto& c : cases) {
        quelvar::Setup changed = factory;
        c.change(changed);
        if (changed.image[2046] == factory.image[2046]) StoreCheckBytes(changed.image);
        EXPECT_EQ(diffText(diffSetups(factory, changed)), c.lines);
    }
    quelvar::Setup long_ = factory;
    long_.description = std::string(512, 'd');  // a block without a zero: written raw
    for (const std::string& line : diffText(diffSetups(factory, long_)))
        EXPECT_LT(line.size(), 80u) << line;
}

// A full disk or an interrupted copy leaves the start of a text: refused wherever it
// was cut, as are texts with nothing in them.
TEST(SetupText, ATextCutAnywhereOrHoldingNoSettingIsRefused)
{
    const std::string text = exportSetupText(test::fullSetup());
    const std::string cutOff = "the text ends before its end marker; was it cut off?";
    for (std::size_t end = text.find('\n'); end + 1 < text.size(); end = text.find('\n', end + 1))
        ASSERT_EQ(importSetupText(text.substr(0, end + 1)).error, cutOff) << end;
    EXPECT_TRUE(importSetupText(text).ok());
    const struct {
        const char* text;
        std::string error;
    } cases[] = {
        {"", cutOff},
        {"# only a comment\n", cutOff},
        {"[scale]\ncapacity = \"500\"\n", cutOff},
        {"[end]\n", "the text holds no settings"},
        {"# a comment\n[scale]\n\n[end]  # here\n\n# after\n", "the text holds no settings"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importSetupText(c.text).error, c.error) << c.text;
    EXPECT_EQ(importSetupText(std::string("\x12\0[end]\n", 8)).error,
              "this is no setup text: it holds zero bytes (a setup file?)");
}

TEST(SetupText, RefusesWhatADialogWouldRefuseWithTheLineOfTheKey)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"[scale]\n\ncount_by = \"0.03\"\n", "3: scale.count_by: Invalid Count-By: 0.03"},
        {"[scale]\ncapacity = \"1x\"\n", "2: scale.capacity: '1x' is not a valid decimal value"},
        {"[scale]\nunits = \"stone\"\n", "2: scale.units: \"stone\" is not one of"},
        {"[scale]\nfilter = \"9\"\n", "2: scale.filter: expected a whole number"},
        {"[scale]\nunits = { hex = \"01\" }\n", "2: scale.units: needs 2 bytes in hexadecimal"},
        {"[scale]\nunits = { raw = 65536 }\n",
         "2: scale.units: the raw number 65536 is out of range (0 to 65535)"},
        {"[scale]\nunits = { raw = 1, hex = \"01\" }\n", "2: scale.units: expected { raw = NUMBER }"},
        // A number is a number, a yes/no is true or false, a list takes its texts.
        {"[scale]\nload_cell = 6\n", "2: scale.load_cell: expected a text in quotes, or { raw ="},
        {"[misc]\nwatchdog_timer = 1\n", "2: misc.watchdog_timer: expected true or false, or"},
        {"[scale]\nfilter = 9.0\n", "2: scale.filter: expected a whole number"},
        {"[scale]\nfilter = 300\n", "2: scale.filter: 300 is out of range (0 to 255)"},
        {"[scale]\ncapacity = true\n", "2: scale.capacity: expected a number or its text in quotes"},
        {"[scale]\ncapacity = 1e3\n", "2: scale.capacity: '1e3' is not a valid decimal value"},
        {"[scale]\nalt_conversion_factor = 99999.99999\n",
         "2: scale.alt_conversion_factor: '99999.99999' is not a valid decimal value"},
        {"[analog_output]\nspan = 3000000000\n",
         "2: analog_output.span: 3000000000 is out of range (-2147483648 to 2147483647)"},
        {"[[timer]]\nnumber = 1\ntime = 65536\n", "3: timer.1.time: 65536 is out of range (0 to 65535)"},
        {"[[setpoint]]\nnumber = true\n", "1: setpoint: each [[setpoint]] needs its number"},
        {"[[timer]]\nnumber = 6\n", "1: timer.6: no such element"},
        // Bytes to store a value over, without the value, would bring it back.
        {"[labels]\nlabel_32_bytes = \"00 41 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\"\n",
         "2: labels.label_32_bytes: labels.label_32_bytes without labels.label_32"},
        {"[scale]\ncapacty = \"5\"\n", "2: scale.capacty: no key of that name"},
        {"[scale]\ncapacity = \"5\n", "2: "},
        {"[scale]\nload_cell = \"\xC5\x81\"\n", "2: scale.load_cell: \"\xC5\x81\" (U+0141) is not in the indicator"},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        EXPECT_TRUE(r.error.starts_with(c.error)) << c.text << " gave " << r.error;
    }
}

// Keys and lists nested past anything a setup text holds are refused, with their line,
// before the TOML reader (which recurses on them) sees them; dots and brackets inside
// texts and comments count for nothing.
TEST(SetupText, RefusesKeysAndListsNestedTooDeep)
{
    std::string deepKey = "[scale]\n";
    for (int i = 0; i < 40000; ++i) deepKey += "a.";
    const std::string inText = "[description]\ntext = \"\"\"\n\\\"\"\".[.[.[.[.[.[.[.[.[\n\"\"\"  "
                               "# .[.[.[.[.[.[.[.[.[\nx = '.[.[.[.[.[.[.[.[.[' # \"\n";
    const std::string tooDeep = "a key or table name of more than 8 parts";
    const struct {
        std::string text, error;
    } cases[] = {
        {deepKey + "a = 1\n", "2: " + tooDeep},
        {"\n[t.t.t.t.t.t.t.t.t]\n", "2: " + tooDeep},
        {"[scale]\nfilter = 1\n\"a\".'b'.c.d.e.f.g.h.i = 1\n", "3: " + tooDeep},
        {"[ t . t .t. t\t. t . t . t . t . t ]\n", "1: " + tooDeep},
        {"x = " + std::string(40, '[') + "\n", "1: more than 8 lists or tables inside each other"},
        {inText, "5: description.x: no key of that name"},
        {inText + "a.b.c.d.e.f.g.h.i = 1\n", "6: " + tooDeep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importWhole(c.text).error, c.error) << c.text;
}

// What the dialogs' boxes take: numbers in the numeric boxes as numbers or as text,
// and raw bytes only through an explicit raw form, which export writes back.
TEST(SetupText, NumbersAndRawFormsGiveTheirBytes)
{
    const struct {
        const char* text;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        const char* exported;
    } cases[] = {
        {"[scale]\nunits = { raw = 9 }", 9, {9, 0}, "units = { raw = 9 }  #"},
        {"[scale]\nload_cell = { hex = \"06\" }", 21, {6}, "load_cell = { raw = 6 }  #"},
        {"[misc]\nwatchdog_timer = { raw = 2 }", 103, {2}, "watchdog_timer = { raw = 2 }  #"},
        {"[scale]\ncapacity = 500", 22, {0x50, 0xC3, 0, 0}, "capacity = \"500\""},
        {"[scale]\ncapacity = 1_000.5", 22, {0xD2, 0x86, 1, 0}, "capacity = \"1000.5\""},
        {"[scale]\nalt_conversion_factor = 0.45359", 17, {0x2F, 0xB1, 0, 0},
         "alt_conversion_factor = \"45359\""},
        {"[scale]\nalt_conversion_factor = \"-12\"", 17, {0xF4, 0xFF, 0xFF, 0xFF},
         "alt_conversion_factor = \"-12\""},
        {"[fixed_registers]\nregister_44 = -12.50", 414, {0x50, 0x12, 0, 0, 0, 0x82},
         "register_44 = \"-12.50\""},
        {"[analog_output]\nspan = -2147483648", 1552, {0, 0, 0, 0x80}, "span = -2147483648"},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        ASSERT_TRUE(r.ok()) << c.text << ": " << r.error;
        EXPECT_EQ(std::vector<std::uint8_t>(r.setup.image.begin() + c.offset,
                                            r.setup.image.begin() + c.offset + c.bytes.size()),
                  c.bytes)
            << c.text;
        EXPECT_NE(exportSetupText(r.setup).find(c.exported), std::string::npos) << c.text;
    }
}

// The rows every view of differences is made of: a calibration factor says so, a
// listing gives its changed lines, and the lines diff prints follow from the rows.
TEST(SetupText, DiffRowsMarkCalibrationFactorsAndGiveListingsAsLineDiffs)
{
    const quelvar::Setup before = workedExample();
    quelvar::Setup after = before;
    writeLong(after.image, ItemOffset(22), 81234);
    const std::vector<std::string> listing = {
        "Add\tMemory3\tGross\tTare\tsum", "If\tMotion\t\t\t",     "Prompt\tWAIT\t\t\t",
        "End if\t\t\t\t",                "Set\tMemory2\t300\t\t", "Gosub\tUser2\t\t\t",
        "End\t\t\t\t"};
    CompileListing(after, 1, listing, true);
    const std::vector<DiffRow> rows = diffSetups(before, after);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].calibration);
    EXPECT_FALSE(rows[1].calibration || rows[2].calibration);
    EXPECT_EQ(diffText(rows), (std::vector<std::string>{
                                  "scale.span_factor: " + rows[0].before + " -> 81234",
                                  "function.1.listing:", "  - Add\tMemory1\tGross\tTare\tsum",
                                  "  + Add\tMemory3\tGross\tTare\tsum"}));
}

}  // namespace
}  // namespace quelvar::text
