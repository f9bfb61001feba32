// Print labels between edit text and the label byte format.

#include "model/setup.h"
#include "printing/label_codec.h"

#include <gtest/gtest.h>
#include <random>

namespace quelvar {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// An encoded label without its ending 0.
Bytes encoded(std::string_view text)
{
    Bytes bytes = EncodeLabel(text);
    bytes.resize(
        static_cast<std::size_t>(std::find(bytes.begin(), bytes.end(), 0) - bytes.begin()));
    return bytes;
}

TEST(LabelCodec, EditTextEncodesAndDecodes)
{
    const struct {
        const char* text;
        Bytes bytes;
        const char* decoded;  // nullptr: the text itself
    } cases[] = {
        {"Net <N> kg", {'N', 'e', 't', ' ', 253, 66, ' ', 'k', 'g'}, nullptr},
        {"[G]", {254, 64}, nullptr},
        {"{Tkt}{G A}", {252, 1, 252, 15}, nullptr},
        {"<13>[13]", {13, 13}, "<13><13>"},
        {"<300>x<7kg>", {44, 'x', 7}, ",x<7>"},
        {"<<a>]}", {'<', 'a', '>', ']', '}'}, nullptr},
        {"[[{{", {'[', '{'}, nullptr},
        {"<Gross>", bytesOf("<Gross>"), "<<Gross>"},
        {"<Abcdef>", bytesOf("<Abcdef>"), "<<Abcdef>"},  // a token has at most 5 characters
        {"<123456>", bytesOf("<123456>"), "<<123456>"},
        {"<12345>", {57}, "9"},
        {"<Pulse>", {253, 57}, nullptr},
        {"{13}{g}", bytesOf("{13}{g}"), "{{13}{{g}"},  // braces take names only
        {"<>[]{}", {'<', '>', '[', ']', 252, 255}, "<<>[[]{}"},
        {"<g>", bytesOf("<g>"), "<<g>"},  // names are case-sensitive
        {"ab<0>cd", {'a', 'b'}, "ab"},
        {"\xFC\x01\xE9", {252, 1, 233}, "{Tkt}<233>"},  // typed escapes stay escapes
        {"<", {'<'}, "<<"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encoded(c.text), c.bytes) << c.text;
        Bytes slot = c.bytes;
        slot.push_back(0);
        EXPECT_EQ(DecodeLabel(slot, 30), c.decoded ? c.decoded : c.text) << c.text;
    }
}

TEST(LabelCodec, DecodesStoredBytes)
{
    const struct {
        Bytes slot;
        std::size_t maxLength;
        std::string text;
    } cases[] = {
        {Bytes(17, 255), 16,
         [] {
             std::string all;
             for (int i = 0; i < 16; ++i)
                 all += "<255>";
             return all;
         }()},
        // Escapes whose code has no name, or that lost their code, keep their bytes.
        {{253, 99, 254, 200, 252, 31, 0}, 16, "<253><99><254><200><252><31>"},
        {{'a', 253, 0}, 16, "a<253>"},
        // The code of an escape in the last place comes from the slot's last byte.
        {{'1', '2', '3', 253, 64}, 4, "123<G>"},
        {{'1', '2', '3', 4, 64}, 4, "123<4>"},
        {{'1', 253}, 16, "1<253>"},  // a buffer that ends early reads as 0s
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeLabel(c.slot, c.maxLength), c.text);
}

TEST(LabelCodec, EncodingStopsAfterItsLimit)
{
    const std::string text(600, 'x');
    const Bytes bytes = EncodeLabel(text);
    ASSERT_EQ(bytes.size(), 513u);
    EXPECT_EQ(bytes[511], 'x');
    EXPECT_EQ(bytes[512], 0);
    EXPECT_EQ(EncodeLabel(std::string(511, 'x') + "<G>").size(), 514u);  // an escape ends it
}

TEST(LabelCodec, StoringCutsALongLabelAndKeepsTheRestOfTheSlot)
{
    const PrintLabel& label32 = *findPrintLabel(32);
    using namespace std::string_literals;
    const struct {
        const char* text;
        bool fits;
        std::string slotStart;  // the slot was all 'x'
        const char* readBack;
        std::size_t fitting;  // characters before the excess
    } cases[] = {
        {"1234567890123456", true, "1234567890123456\0"s, "1234567890123456", 16},
        {"12345678901234567", false, "1234567890123456\0"s, "1234567890123456", 16},
        {"123456789012345<G>", false, "123456789012345\xFD\0"s, "123456789012345<253>", 15},
        {"12345678901234<G>!", false, "12345678901234\xFD\x40\0"s, "12345678901234<G>", 17},
        {"12<0>34567890123456789", true, "12\0x"s, "12", 22},  // a 0 byte ends it
        {"short", true, "short\0xx"s, "short", 5},
    };
    for (const auto& c : cases) {
        SetupImage image;
        image.fill('x');
        EXPECT_EQ(storeLabel(image, label32, c.text), c.fits) << c.text;
        EXPECT_EQ(
            Bytes(image.begin() + 107, image.begin() + 107 + static_cast<long>(c.slotStart.size())),
            bytesOf(c.slotStart))
            << c.text;
        EXPECT_EQ(image[124], 'x') << "the next slot";
        EXPECT_EQ(readLabel(image, label32), c.readBack);
        EXPECT_EQ(fittingLabelText(c.text, 16), c.fitting) << c.text;
    }
    EXPECT_EQ(labelTooLongMessage(*findPrintLabel(90)), "Label 90 exceeds maximum length");
    EXPECT_EQ(findPrintLabel(35), nullptr);
}

// What the dialog shows must store back the very bytes it was shown from, whatever
// they are; and what it stores must show the same text again.
TEST(LabelCodec, RandomLabelsSurviveDecodeAndEncode)
{
    std::mt19937 random(20261206);
    for (std::size_t maxLength : {16u, 30u}) {
        for (int round = 0; round < 4000; ++round) {
            Bytes slot(maxLength + 1, 0);
            const std::size_t length = random() % (maxLength + 1);
            for (std::size_t i = 0; i < length; ++i)
                slot[i] = static_cast<std::uint8_t>(1 + random() % 255);
            const std::string text = DecodeLabel(slot, maxLength);
            Bytes stored(slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(length));
            stored.push_back(0);
            ASSERT_EQ(EncodeLabel(text), stored) << text;

            Bytes any(maxLength + 1);
            for (auto& b : any)
                b = static_cast<std::uint8_t>(random());
            const std::string shown = DecodeLabel(any, maxLength);
            ASSERT_EQ(DecodeLabel(EncodeLabel(shown), maxLength), shown);
        }
    }
}

}  // namespace
}  // namespace quelvar
