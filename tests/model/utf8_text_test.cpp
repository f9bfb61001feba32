// Setup text (Latin-1) to and from what is shown and typed (UTF-8).

#include "model/earom_dump.h"
#include "model/utf8_text.h"

#include <gtest/gtest.h>

using namespace quelvar;

namespace {

TEST(Utf8Text, VisibleTextHasNoControlCharacter)
{
    const struct {
        std::string latin1;
        LineBreaks breaks;
        std::string shown;
    } cases[] = {
        {"Caf\351 \260C", LineBreaks::AsCodes, "Caf\xC3\xA9 \u00B0C"},
        {std::string("a\tb\x01\x0C\x7F\x85\x9F\xA0z\0", 11), LineBreaks::AsCodes,
         "a<9>b<1><12><127><133><159>\xC2\xA0z<0>"},
        {"1\r\n2\r3\n\n4", LineBreaks::Kept, "1\n2\n3\n\n4"},
        {"1\r\n2", LineBreaks::AsCodes, "1<13><10>2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(visibleText(c.latin1, c.breaks), c.shown);
    EXPECT_EQ(latin1ToUtf8("\x01\xFF"), "\x01\xC3\xBF");
}

TEST(Utf8Text, TypedTextKeepsOnlyWhatTheIndicatorStores)
{
    const struct {
        std::string typed;
        std::string text;
        std::string message;  // empty: converted whole
    } cases[] = {
        {"Temp \u00B0C \u00FF", "Temp \260C \377", ""},
        {"5 \xE2\x82\xAC!", "5 ",
         "\"\xE2\x82\xAC\" (U+20AC) is not in the indicator's character set"},
        {"x\xF0\x9F\x98\x80", "x",
         "\"\xF0\x9F\x98\x80\" (U+1F600) is not in the indicator's character set"},
        {"ab\xB0", "ab", "the byte 0xB0 is not UTF-8 text"},      // Latin-1, not UTF-8
        {"\xC0\xB0", "", "the byte 0xC0 is not UTF-8 text"},      // an overlong form
        {"\xED\xA0\x80", "", "the byte 0xED is not UTF-8 text"},  // a surrogate
        {"\xC3", "", "the byte 0xC3 is not UTF-8 text"},          // cut short
    };
    for (const auto& c : cases) {
        const Latin1Text typed = utf8ToLatin1(c.typed);
        EXPECT_EQ(typed.text, c.text) << c.typed;
        EXPECT_EQ(typed.ok() ? "" : notInCharacterSetMessage(typed.refused), c.message);
    }
    EXPECT_EQ(utf8Length("Caf\xC3\xA9\xE2\x82\xAC\xFF"), 6u);
}

// One visible character per byte; the factory image has 0x82 at offset 0x22.
TEST(Utf8Text, DumpShowsOneVisibleCharacterPerByte)
{
    const std::uint8_t bytes[] = {'A', 0x1F, 0x7F, 0x82, 0x9F, 0xAD, 0xB0, 0xFF};
    EXPECT_TRUE(EaromDumpLine(bytes, 0).ends_with("   A~....\xC2\xB0\xC3\xBF"));
}

}  // namespace
