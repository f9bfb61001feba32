#include "editors/analog_output.h"
#include "editors/fixed_registers.h"
#include "editors/passwords.h"
#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/image_map.h"

#include <gtest/gtest.h>

using namespace quelvar;

namespace {

SetupImage filledImage()
{
    SetupImage image;
    image.fill(0xA5);
    return image;
}

TEST(Passwords, StoredTextAndCheckWord)
{
    const struct {
        int password;
        std::string typed;
        std::string stored;
        std::uint16_t check;
    } cases[] = {
        {1, "1234", "1234", static_cast<std::uint16_t>(~(1 + '1' + '2' + '3' + '4'))},
        {2, "", "", 0xFFFF},
        {2, "12345678", "123456", static_cast<std::uint16_t>(~(1 + 21 + 6 * '0'))},
        {1, "\xC8", "\xC8", static_cast<std::uint16_t>(~(1 - 56))},  // 200 counts as -56
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetupImage image = filledImage();
        const SetupImage before = image;
        storePassword(image, c.password, c.typed);
        EXPECT_EQ(passwordText(image, c.password), c.stored);
        const std::size_t slot = c.password == 1 ? image::kPassword1 : image::kPassword2;
        const std::size_t check = c.password == 1 ? image::kPasswordCheck1 : image::kPasswordCheck2;
        EXPECT_EQ(readWord(image, check), c.check);
        // Nothing outside the slot's text, its terminator and its check word changes.
        for (std::size_t i = 0; i < image.size(); ++i) {
            const bool written =
                (i >= slot && i <= slot + c.stored.size()) || i == check || i == check + 1;
            if (!written) {
                EXPECT_EQ(image[i], before[i]) << "byte " << i;
            }
        }
    }
}

TEST(Passwords, SlotWithoutTerminatorShowsSevenCharacters)
{
    SetupImage image = filledImage();
    writeText(image, image::kPassword2, 8, "7654321");  // what the overrun used to leave
    EXPECT_EQ(passwordText(image, 2), "7654321");
}

TEST(AnalogOutput, RegisterNameAndCode)
{
    const struct {
        const char* name;
        bool stored;
        std::uint8_t code;  // the byte afterwards; 99 is the code before
        const char* shown;
    } cases[] = {
        {"Net", true, 66, "Net"},  {"Fixed43", true, 43, "Fixed43"}, {"", true, 0, ""},
        {"gross", false, 99, ""},  // matched exactly: case and blanks count
        {"Gross ", false, 99, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetupImage image = filledImage();
        writeByte(image, 1560, 99);  // a code no register carries
        EXPECT_EQ(storeAnalogRegister(image, c.name), c.stored);
        EXPECT_EQ(image[1560], c.code);
        EXPECT_EQ(analogRegisterName(image), c.shown);
    }
}

TEST(FixedRegisters, TypedTextStoredAndShownAgain)
{
    const struct {
        const char* typed;
        const char* shown;  // nullptr: refused
    } cases[] = {
        {"-12.50", "-12.50"}, {"", "0"},        {"  12.5 ", "12.5"},      {"000000000012", "12"},
        {"12a", nullptr},     {"1,5", nullptr}, {"12345678901", nullptr}, {"1.12345678", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto value = parseDecimalText(c.typed);
        ASSERT_EQ(value.has_value(), c.shown != nullptr);
        if (!value) continue;
        SetupImage image = filledImage();
        storeFixedRegister(image, 44, *value);
        EXPECT_EQ(fixedRegisterText(image, 44), c.shown);
        EXPECT_EQ(image[413], 0xA5);  // register 43 untouched
        EXPECT_EQ(image[420], 0xA5);  // and 45
    }
    SetupImage image = filledImage();
    storeFixedRegister(image, 43, *parseDecimalText("-12.50"));
    const std::uint8_t packed[] = {0x50, 0x12, 0x00, 0x00, 0x00, 0x82};
    EXPECT_TRUE(std::equal(std::begin(packed), std::end(packed), image.begin() + 408));
}

}  // namespace
