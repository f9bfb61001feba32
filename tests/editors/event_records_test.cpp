#include "editors/event_records.h"
#include "factory_image.h"

#include <gtest/gtest.h>

namespace quelvar {
namespace {

// A key's name is trimmed and its first letter raised; a refused one leaves its byte.
TEST(KeyFunctions, NamesAreTrimmedAndRaised)
{
    const struct {
        std::size_t event;  // Power On, Print, Units, Gross/Net, Tare, Zero, F1, F2
        const char* typed;
        int byte;           // at 456..463: Power On, F1, F2, Print ... Zero
        const char* refused;
    } cases[] = {
        {6, " user3 ", 3, nullptr},
        {4, " ", 255, nullptr},
        {5, "zap", 130, "Invalid Function - Zero key: Zap"},
        {6, "USER3", 138, "Invalid Function - F1 key: USER3"},
    };
    for (const auto& c : cases) {
        SetupImage image = factoryImage();
        const auto failure = storeKeyFunction(image, c.event, c.typed);
        EXPECT_EQ(image[keyEvents()[c.event].offset], c.byte) << c.typed;
        EXPECT_EQ(failure ? keyStoreMessage(*failure) : "", c.refused ? c.refused : "");
    }
}

TEST(SetpointRecords, NamesAreTakenExactlyAsTyped)
{
    using F = SetpointField;
    const struct {
        SetpointField field;
        std::uint8_t upper;  // the upper register's code
        const char* name;
        std::optional<std::uint8_t> code;
    } cases[] = {
        {F::Upper, 0, "", 0},          {F::Lower, 0, "", 0},
        {F::Function, 0, "", 255},     {F::Upper, 0, "Gross", 64},
        {F::Lower, 64, "Fixed43", 43}, {F::Function, 64, "User2", 2},
        {F::Lower, 115, "Motion", 107}, {F::Lower, 116, "Setpoint15", 15},
        {F::Upper, 0, "gross", {}},    {F::Upper, 0, "Gross ", {}},
        {F::Lower, 115, "Gross", {}},  // a register where a condition belongs
        {F::Lower, 64, "Motion", {}},  {F::Function, 64, "tare", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(setpointCode(c.field, c.upper, c.name), c.code) << c.name;
    EXPECT_EQ(setpointNames({115, 107, 129}), (SetpointNames{"True", "Motion", "Tare"}));
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
