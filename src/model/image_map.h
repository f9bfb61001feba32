#pragma once
// Where things live in the 2048-byte setup image. Offsets are bytes from the start
// of the image; multi-byte integers are little-endian. Regions not named here are
// not interpreted by the editor and are carried unchanged.

#include <cstddef>

namespace quelvar::image {

inline constexpr std::size_t kScaleParams = 0;  // 42 bytes: items 1-19, 21, 22
inline constexpr std::size_t kScaleParamsSize = 42;
inline constexpr std::size_t kPeakDetect = 66;         // item 75
inline constexpr std::size_t kPowerOnZeroBypass = 67;  // item 20
inline constexpr std::size_t kIndicatorPorts = 68;     // 6 bytes: items 23-28
inline constexpr std::size_t kTtlRemoteControl = 76;   // item 39
inline constexpr std::size_t kDisplayIntensity = 77;   // item 40
inline constexpr std::size_t kPrinterPort = 78;        // 3 bytes: items 29-31
inline constexpr std::size_t kPasswords = 81;          // 18 bytes: passwords 1 and 2, check words
inline constexpr std::size_t kPasswordsSize = 18;
inline constexpr std::size_t kPassword1 = 81;  // 7 bytes: digits, zero-terminated
inline constexpr std::size_t kPassword2 = 88;
inline constexpr std::size_t kPasswordSize = 7;
inline constexpr std::size_t kPasswordCheck1 = 95;  // Word
inline constexpr std::size_t kPasswordCheck2 = 97;  // Word
inline constexpr std::size_t kUneditedWord1 = 99;   // 0 after a reset
inline constexpr std::size_t kUneditedWord2 = 101;  // 0 after a reset
inline constexpr std::size_t kWatchdog = 103;       // item 42
inline constexpr std::size_t kBattery = 106;        // item 41

// Print labels 32-34: 17 bytes each from 107; labels 84-90: 31 bytes each from 1561.
inline constexpr std::size_t kShortLabels = 107;
inline constexpr std::size_t kShortLabelSize = 17;
inline constexpr std::size_t kLongLabels = 1561;
inline constexpr std::size_t kLongLabelSize = 31;

inline constexpr std::size_t kPrintCodes = 158;  // print codes 1-4, 4 bytes each
inline constexpr std::size_t kPrintCodeSize = 4;
inline constexpr std::size_t kPageFormats = 174;  // page formats 1-4, 48 bytes each
inline constexpr std::size_t kPageFormatSize = 48;
inline constexpr std::size_t kIdAutoErase = 366;    // item 77
inline constexpr std::size_t kLinearization = 367;  // item 79
inline constexpr std::size_t kUneditedLongs = 368;  // ten Long words, 0 after a reset
inline constexpr std::size_t kUneditedLongsSize = 40;
inline constexpr std::size_t kFixedRegisters = 408;  // registers 43-50, 6-byte packed decimals
inline constexpr std::size_t kFixedRegisterSize = 6;
inline constexpr std::size_t kKeyFunctions = 456;  // 8 bytes: items 51-58
inline constexpr std::size_t kTimerSlots = 464;    // slot 0 unused, timers 1-5, 3 bytes each
inline constexpr std::size_t kTimerSize = 3;
inline constexpr std::size_t kTimerCount = 5;
inline constexpr std::size_t kSetpoints = 482;  // setpoints 1-15, 3 bytes each
inline constexpr std::size_t kSetpointSize = 3;
inline constexpr std::size_t kSetpointCount = 15;
inline constexpr std::size_t kFunctionCode = 527;  // 16 slots of 64 bytes of byte code
inline constexpr std::size_t kFunctionSlotSize = 64;
inline constexpr std::size_t kFunctionSlotCount = 16;
inline constexpr std::size_t kFunctionCodeSize = kFunctionSlotSize * kFunctionSlotCount;
inline constexpr std::size_t kSingleStep = 1551;    // item 76
inline constexpr std::size_t kAnalogOutput = 1552;  // 9 bytes: items 81-83
inline constexpr std::size_t kCheckBytes = 2046;    // 2 bytes

// Print label 32-34 or 84-90.
constexpr std::size_t labelOffset(int label)
{
    return label <= 34 ? kShortLabels + kShortLabelSize * static_cast<std::size_t>(label - 32)
                       : kLongLabels + kLongLabelSize * static_cast<std::size_t>(label - 84);
}
// Print code 1-4.
constexpr std::size_t printCodeOffset(int code)
{
    return kPrintCodes + kPrintCodeSize * static_cast<std::size_t>(code - 1);
}
// Page format 1-4.
constexpr std::size_t pageFormatOffset(int page)
{
    return kPageFormats + kPageFormatSize * static_cast<std::size_t>(page - 1);
}
// Fixed register 43-50.
constexpr std::size_t fixedRegisterOffset(int reg)
{
    return kFixedRegisters + kFixedRegisterSize * static_cast<std::size_t>(reg - 43);
}
// Timer 1-5 (slot 0 at 464 is not used).
constexpr std::size_t timerOffset(int timer)
{
    return kTimerSlots + kTimerSize * static_cast<std::size_t>(timer);
}
// Setpoint 1-15.
constexpr std::size_t setpointOffset(int setpoint)
{
    return kSetpoints + kSetpointSize * static_cast<std::size_t>(setpoint - 1);
}
// User function 0-15.
constexpr std::size_t functionSlotOffset(int function)
{
    return kFunctionCode + kFunctionSlotSize * static_cast<std::size_t>(function);
}

static_assert(labelOffset(90) + kLongLabelSize == 1778);
static_assert(pageFormatOffset(4) + kPageFormatSize == 366);
static_assert(fixedRegisterOffset(50) + kFixedRegisterSize == 456);
static_assert(timerOffset(5) + kTimerSize == kSetpoints);
static_assert(setpointOffset(15) + kSetpointSize == kFunctionCode);
static_assert(functionSlotOffset(16) == kSingleStep);

}  // namespace quelvar::image
