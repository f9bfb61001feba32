#include "editors/event_records.h"
#include "factory_image.h"

#include <gtest/gtest.h>

namespace quelvar {
namespace {

std::array<int, 8> keyBytes(const SetupImage& image)
{
    std::array<int, 8> bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = image[456 + i];
    return bytes;
}

TEST(KeyFunctions, StoredInDialogOrderUpToTheFirstBadName)
{
    const struct {
        std::array<std::string, 8> typed;  // Power On, Print, Units, Gross/Net, Tare, Zero, F1, F2
        std::array<int, 8> bytes;          // 456..463: Power On, F1, F2, Print ... Zero
        int failed;
        const char* name;
    } cases[] = {
        {{"", "Printmode", "Units", "Gross/net", "Tare", "Zero", " user3 ", "Weighout"},
         {255, 3, 139, 136, 127, 128, 129, 130},
         -1,
         ""},
        {{"user1", "user2", "user4", "user5", " ", "zap", "User6", "User7"},
         {1, 138, 139, 2, 4, 5, 255, 130},
         5,
         "Zap"},
        {{"", "", "", "", "", "", "USER3", "Tare"},
         {255, 138, 139, 255, 255, 255, 255, 255},
         6,
         "USER3"},
    };
    for (const auto& c : cases) {
        SetupImage image = factoryImage();
        const auto failure = storeKeyFunctions(image, c.typed);
        EXPECT_EQ(keyBytes(image), c.bytes) << c.name;
        EXPECT_EQ(failure ? static_cast<int>(failure->event) : -1, c.failed) << c.name;
        if (failure) {
            EXPECT_EQ(failure->name, c.name);
        }
    }
}

TEST(SetpointRecords, NamesAreTakenExactlyAsTyped)
{
    using F = SetpointField;
    const struct {
        SetpointNames names;
        SetpointRecord record;
        std::optional<SetpointField> invalid;
    } cases[] = {
        {{"", "", ""}, {0, 0, 255}, {}},
        {{"Gross", "Fixed43", "User2"}, {64, 43, 2}, {}},
        {{"True", "Motion", "Tare"}, {115, 107, 129}, {}},
        {{"False", "Setpoint15", ""}, {116, 15, 255}, {}},
        {{"gross", "", ""}, {}, F::Upper},
        {{"Gross ", "", ""}, {}, F::Upper},
        {{"True", "Gross", ""}, {}, F::Lower},  // a register where a condition belongs
        {{"Gross", "Motion", ""}, {}, F::Lower},
        {{"Gross", "Net", "tare"}, {}, F::Function},
    };
    for (const auto& c : cases) {
        const auto result = setpointFromNames(c.names);
        EXPECT_EQ(result.invalid, c.invalid) << c.names.upper << '/' << c.names.lower;
        if (c.invalid) continue;
        EXPECT_EQ(result.record, c.record) << c.names.upper;
        EXPECT_EQ(setpointNames(c.record), c.names) << c.names.upper;
    }
}

TEST(SetpointRecords, CodesNoEntryCarriesShowEmpty)
{
    EXPECT_EQ(setpointNames({255, 255, 255}), (SetpointNames{"", "", ""}));
    // 64 is a condition under True ("Input4") but no register under Gross.
    EXPECT_EQ(setpointNames({115, 64, 3}), (SetpointNames{"True", "Input4", "User3"}));
    EXPECT_EQ(setpointNames({64, 107, 200}), (SetpointNames{"Gross", "", ""}));
}

TEST(SetpointRecords, EverySetpointNumberAddressesSetpointsOneToFifteen)
{
    const struct {
        long long number;
        int setpoint;
    } clamps[] = {{-1, 1}, {0, 1}, {1, 1}, {15, 15}, {16, 15}, {40, 15}};
    for (const auto& c : clamps)
        EXPECT_EQ(clampSetpoint(c.number), c.setpoint) << c.number;

    SetupImage image{};
    for (int k = 1; k <= 15; ++k)
        writeSetpoint(image, k, {std::uint8_t(k), std::uint8_t(k + 100), std::uint8_t(k + 200)});
    writeSetpoint(image, 0, {9, 9, 9});  // setpoint 1, never timer 5 at 479
    EXPECT_EQ(readSetpoint(image, 0), (SetpointRecord{9, 9, 9}));
    EXPECT_EQ(image[481], 0);
    EXPECT_EQ(image[485], 2);
    EXPECT_EQ(image[526], 215);
    EXPECT_EQ(image[527], 0);
}

TEST(TimerRecords, TimesAreLittleEndianWordsModulo65536)
{
    const struct {
        std::int64_t typed;
        std::uint16_t time;
    } times[] = {{100, 100}, {65535, 65535}, {65536, 0}, {-1, 65535}, {70000, 4464}};
    for (const auto& t : times)
        EXPECT_EQ(timerTime(t.typed), t.time) << t.typed;

    SetupImage image{};
    writeTimer(image, 1, {0x1234, 7});
    writeTimer(image, 5, {100, 3});
    EXPECT_EQ(image[467], 0x34);
    EXPECT_EQ(image[468], 0x12);
    EXPECT_EQ(image[469], 7);
    EXPECT_EQ(image[479], 100);
    EXPECT_EQ(image[481], 3);
    EXPECT_EQ(image[482], 0);
    EXPECT_EQ(readTimer(factoryImage(), 3), (TimerRecord{65535, 255}));
}

}  // namespace
}  // namespace quelvar
