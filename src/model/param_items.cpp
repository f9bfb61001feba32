#include "model/param_items.h"

#include "model/bytes.h"
#include "model/image_map.h"
#include "model/packed_decimal.h"
#include "printing/label_codec.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quelvar {

namespace {

constexpr std::uint16_t kNoOffset = 0;

// Row 0 is empty and the row after item 90 ends the table.
constexpr std::array<ParamItem, kParamItemCount + 2> kParamItems{{
    {0, kNoOffset, 0, 0, 0, ParamKind::Action, 0, ""},
    {1, 21, 1, 3, 0, ParamKind::Byte, 3, "Loadcell mv/v"},
    {2, 0, 1, 9, 0, ParamKind::Byte, 3, "Vibration Filter"},
    {3, 1, 1, 1, 0, ParamKind::Byte, 3, "Display update rate"},
    {4, 2, 1, 15, 0, ParamKind::Byte, 3, "Motion detect delay time"},
    {5, 3, 1, 6, 0, ParamKind::Byte, 3, "Motion detect band"},
    {6, 4, 1, 0, 0, ParamKind::Byte, 3, "Motion blanks display ?"},
    {7, 5, 1, 1, 0, ParamKind::Byte, 3, "Zero tracking delay time"},
    {8, 6, 2, 12, 0, ParamKind::Word, 3, "Zero tracking band"},
    {9, 8, 1, 100, 0, ParamKind::Byte, 3, "Push button zero percent"},
    {10, 9, 2, 1, 0, ParamKind::Word, 3, "Weight units (primary)"},
    {11, 11, 1, 2, 0, ParamKind::Byte, 3, "Decimal point position"},
    {12, 12, 1, 1, 0, ParamKind::Byte, 3, "Count-by"},
    {13, 13, 2, 2, 0, ParamKind::Word, 3, "Alternate weight units"},
    {14, 15, 1, 1, 0, ParamKind::Byte, 3, "Alternate decimal point"},
    {15, 16, 1, 5, 0, ParamKind::Byte, 3, "Alternate count-by"},
    {16, 17, 4, 45359, 0, ParamKind::Long, 3, "Alt Conversion factor"},
    {17, 22, 4, 10000, 0, ParamKind::Long, 3, "Full Scale display digits"},
    {18, 26, 4, 10200, 0, ParamKind::Long, 3, "Overload weight"},
    {19, 38, 4, 0, 0, ParamKind::Factor, 3, "Deadload offset factor 1"},
    {20, 67, 1, 1, 0, ParamKind::Byte, 3, "Power on zero bypass"},
    {21, 34, 4, 2178, 0, ParamKind::Factor, 3, "Deadload offset factor 2"},
    {22, 30, 4, 48388, 16, ParamKind::Factor, 3, "Calib conversion factor"},
    {23, 68, 1, 4, 0, ParamKind::Byte, 2, "Com Port 1 mode"},
    {24, 69, 1, 1, 0, ParamKind::Byte, 2, "Com Port 1 baud rate"},
    {25, 70, 1, 4, 0, ParamKind::Byte, 2, "Com Port 2 mode"},
    {26, 71, 1, 1, 0, ParamKind::Byte, 2, "Com Port 2 baud rate"},
    {27, 72, 1, 255, 0, ParamKind::Byte, 2, "Station ID / cont. tx2"},
    {28, 73, 1, 2, 0, ParamKind::Byte, 2, "TX2 data format"},
    {29, 78, 1, 2, 0, ParamKind::Byte, 2, "Printer port select s/p"},
    {30, 79, 1, 1, 0, ParamKind::YesNo, 2, "Auto print LF after CR ?"},
    {31, 80, 1, 12, 0, ParamKind::Byte, 2, "End of Print character"},
    {32, 107, 17, 0, 0, ParamKind::LabelText, 2, "Print label 32"},
    {33, 124, 17, 0, 0, ParamKind::LabelText, 2, "Print label 33"},
    {34, 141, 17, 0, 0, ParamKind::LabelText, 2, "Print label 34"},
    {35, 158, 4, 0, 4, ParamKind::PrintCode, 2, "Print code 1"},
    {36, 162, 4, 0, 4, ParamKind::PrintCode, 2, "Print code 2"},
    {37, 166, 4, 0, 4, ParamKind::PrintCode, 2, "Print code 3"},
    {38, 170, 4, 0, 4, ParamKind::PrintCode, 2, "Print code 4"},
    {39, 76, 1, 1, 0, ParamKind::YesNo, 2, "Enab TTL remote control?"},
    {40, 77, 1, 10, 0, ParamKind::Byte, 2, "Display intensity"},
    {41, 106, 1, 0, 0, ParamKind::YesNo, 2, "Battery installed ?"},
    {42, 103, 1, 0, 0, ParamKind::YesNo, 1, "Enable Watchdog timer ?"},
    {43, 408, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 43"},
    {44, 414, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 44"},
    {45, 420, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 45"},
    {46, 426, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 46"},
    {47, 432, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 47"},
    {48, 438, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 48"},
    {49, 444, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 49"},
    {50, 450, 6, 0, 0, ParamKind::Decimal, 1, "Fixed register 50"},
    {51, 456, 1, 255, 0, ParamKind::Byte, 2, "Power on start function"},
    {52, 459, 1, 136, 0, ParamKind::Byte, 2, "Print key function"},
    {53, 460, 1, 127, 0, ParamKind::Byte, 2, "Units key function"},
    {54, 461, 1, 128, 0, ParamKind::Byte, 2, "Gross/Net key function"},
    {55, 462, 1, 129, 0, ParamKind::Byte, 2, "Tare key function"},
    {56, 463, 1, 130, 0, ParamKind::Byte, 2, "Zero key function"},
    {57, 457, 1, 138, 0, ParamKind::Byte, 2, "F1 key function"},
    {58, 458, 1, 139, 0, ParamKind::Byte, 2, "F2 key function"},
    {59, kNoOffset, 0, 0, 0, ParamKind::Action, 0, "Display audit numbers"},
    {60, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Calibrate: deadload first"},
    {61, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Calibrate: span first"},
    {62, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Calibrate: deadload only"},
    {63, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Adjust gain"},
    {64, kNoOffset, 0, 0, 0, ParamKind::Action, 2, "Configure passwords"},
    {65, kNoOffset, 0, 0, 0, ParamKind::Action, 2, "Configuure print formats"},
    {66, kNoOffset, 0, 0, 0, ParamKind::Action, 1, "Set time and date"},
    {67, kNoOffset, 0, 0, 0, ParamKind::Action, 0, "Display config parameters"},
    {68, kNoOffset, 0, 0, 0, ParamKind::Action, 0, "Print config parameters"},
    {69, kNoOffset, 0, 0, 0, ParamKind::Action, 0, "Diagnostic tests"},
    {70, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Reset config parameters"},
    {71, kNoOffset, 0, 0, 0, ParamKind::Action, 1, "Configure trip-level monitor"},
    {72, kNoOffset, 0, 0, 0, ParamKind::Action, 2, "Edit Tally Script funct's"},
    {73, kNoOffset, 0, 0, 0, ParamKind::Action, 2, "Erase function memory"},
    {74, kNoOffset, 0, 0, 0, ParamKind::Action, 1, "Configure timers"},
    {75, 66, 1, 0, 0, ParamKind::YesNo, 2, "Enable Peak detect ?"},
    {76, 1551, 1, 0, 0, ParamKind::YesNo, 1, "Enable single step fn's ?"},
    {77, 366, 1, 1, 0, ParamKind::YesNo, 1, "ID Auto-erase ?"},
    {78, kNoOffset, 0, 0, 0, ParamKind::Action, 1, "Reset param's to default"},
    {79, 367, 1, 0, 0, ParamKind::YesNo, 3, "Enable 5 pt linerization"},
    {80, kNoOffset, 0, 0, 0, ParamKind::Action, 3, "Calibrate 5 pt linerize"},
    {81, 1552, 4, 10000, 0, ParamKind::Long, 1, "Analog output gain reg"},
    {82, 1556, 4, 0, 0, ParamKind::Long, 1, "Analog output offset reg"},
    {83, 1560, 1, 64, 0, ParamKind::Byte, 1, "Analog out: register no."},
    {84, 1561, 31, 0, 0, ParamKind::LabelText, 2, "Print label 84"},
    {85, 1592, 31, 0, 0, ParamKind::LabelText, 2, "Print label 85"},
    {86, 1623, 31, 0, 0, ParamKind::LabelText, 2, "Print label 86"},
    {87, 1654, 31, 0, 0, ParamKind::LabelText, 2, "Print label 87"},
    {88, 1685, 31, 0, 0, ParamKind::LabelText, 2, "Print label 88"},
    {89, 1716, 31, 0, 0, ParamKind::LabelText, 2, "Print label 89"},
    {90, 1747, 31, 0, 0, ParamKind::LabelText, 2, "Print label 90"},
    {0, kNoOffset, 0, 0, 0, ParamKind::Action, 0, ""},
}};

static_assert(kParamItems[kParamItemCount].number == kParamItemCount);

// The reset walks at most this many rows.
constexpr int kMaxResetRows = 9998;

constexpr std::size_t kMaxPrintCodeBytesShown = 16;

std::string formatted(const char* format, auto... args)
{
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

std::uint32_t longDefault(const ParamItem& item)
{
    return static_cast<std::uint32_t>(item.defaultHigh) << 16 | item.defaultLow;
}

// A label reads as the labels dialog shows it, its fields as tokens ("Net <N> kg"),
// never as the raw escape bytes; an empty label shows as one blank.
std::string labelText(std::span<const std::uint8_t> image, const ParamItem& item)
{
    const std::size_t maxLength = item.size - 1u;
    const std::string text = DecodeLabel(image.subspan(item.offset, item.size), maxLength);
    return text.empty() ? " " : text;
}

std::string printCodeText(std::span<const std::uint8_t> image, const ParamItem& item)
{
    std::string text;
    const std::size_t shown = std::min<std::size_t>(item.defaultHigh, kMaxPrintCodeBytesShown);
    for (std::size_t i = 0; i < shown; ++i)
        text += formatted("%3d ", readByte(image, item.offset + i));
    return text;
}

std::string valueText(std::span<const std::uint8_t> image, const ParamItem& item)
{
    switch (item.kind) {
    case ParamKind::Byte: return std::to_string(readByte(image, item.offset));
    case ParamKind::Word:
        return std::to_string(static_cast<std::int16_t>(readWord(image, item.offset)));
    case ParamKind::Long:
    case ParamKind::Factor: return std::to_string(readLong(image, item.offset));
    case ParamKind::Decimal: return DecimalToText(readDecimal(image, item.offset));
    case ParamKind::LabelText: return labelText(image, item);
    case ParamKind::PrintCode: return printCodeText(image, item);
    case ParamKind::YesNo: return readByte(image, item.offset) == 0 ? "No (0)" : "Yes (1)";
    case ParamKind::Action: return {};
    }
    return {};
}

void writeDefault(SetupImage& image, const ParamItem& item)
{
    switch (item.kind) {
    case ParamKind::Byte:
    case ParamKind::YesNo:
        writeByte(image, item.offset, static_cast<std::uint8_t>(item.defaultLow));
        break;
    case ParamKind::Word: writeWord(image, item.offset, item.defaultLow); break;
    case ParamKind::Long:
    case ParamKind::Factor: writeLong(image, item.offset, longDefault(item)); break;
    case ParamKind::Decimal: {
        PackedDecimal value;
        IntegerToDecimal(value, item.defaultLow);
        writeDecimal(image, item.offset, value);
        break;
    }
    case ParamKind::LabelText:
    case ParamKind::PrintCode: writeByte(image, item.offset, 0); break;
    case ParamKind::Action: break;
    }
}

void fill(SetupImage& image, std::size_t from, std::size_t count, std::uint8_t value)
{
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, value);
}

void writeBytes(SetupImage& image, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

const ParamItem& ParamItemAt(int index)
{
    if (index < 1 || index > kParamItemCount) return kParamItems.back();
    return kParamItems[static_cast<std::size_t>(index)];
}

int ItemNumber(int index)
{
    return ParamItemAt(index).number;
}

ParamKind ItemKind(int index)
{
    return ParamItemAt(index).kind;
}

int ItemDescription(std::string& out, int index)
{
    const ParamItem& item = ParamItemAt(index);
    out = item.description;
    return item.number;
}

std::uint16_t ItemDefault(int index)
{
    return ParamItemAt(index).defaultLow;
}

std::size_t ItemOffset(int index)
{
    return ParamItemAt(index).offset;
}

int ItemPassLevel(int index)
{
    return ParamItemAt(index).passLevel;
}

int ParamValueText(std::string& out, std::span<const std::uint8_t> image, int index)
{
    const ParamItem& item = ParamItemAt(index);
    out = item.number == 0 ? std::string() : valueText(image, item);
    return item.number;
}

int ParamListLine(std::string& line, std::span<const std::uint8_t> image, int index)
{
    if (index == 0) {
        line = formatted("%3s %-24s %-18s %-6s %-s", "Item", "Description", "Value", "Default",
                         "Pass level");
        return 1;
    }
    const ParamItem& item = ParamItemAt(index);
    if (item.number == 0) return 0;
    const std::string value = valueText(image, item);
    const std::string description(item.description);
    line = formatted(" %3d %-25s %-16s %6d   %d", item.number, description.c_str(), value.c_str(),
                     static_cast<int>(item.defaultLow), static_cast<int>(item.passLevel));
    return item.number;
}

void ApplyItemDefaults(SetupImage& image)
{
    for (int index = 1; index <= kMaxResetRows && ItemNumber(index) != 0; ++index) {
        const ParamItem& item = ParamItemAt(index);
        if (item.passLevel < 4) writeDefault(image, item);
    }
}

void ResetSetupToDefaults(SetupImage& image)
{
    image.fill(0xFF);
    ApplyItemDefaults(image);
    fill(image, image::kTimerSlots, image::kFunctionCode - image::kTimerSlots, 0xFF);
    fill(image, image::kFunctionCode, image::kFunctionCodeSize, 0xFF);
    fill(image, image::kUneditedLongs, image::kUneditedLongsSize, 0);
    // The three default page formats; page 4 stays erased.
    writeBytes(image, image::pageFormatOffset(1), {0x01, 0x01, 0x12, 0x00});
    writeBytes(image, image::pageFormatOffset(2),
               {0x03, 0x05, 0x05, 0x04, 0x05, 0x06, 0x05, 0x05, 0x07, 0x00});
    writeBytes(image, image::pageFormatOffset(3), {0x00});
    for (int code = 1; code <= 4; ++code)
        writeByte(image, image::printCodeOffset(code) + 3, 0);
    // Both passwords empty, their check words erased.
    writeByte(image, image::kPassword1, 0);
    writeByte(image, image::kPassword2, 0);
    writeWord(image, image::kPasswordCheck1, 0xFFFF);
    writeWord(image, image::kPasswordCheck2, 0xFFFF);
    // Each of these words is incremented once from its erased value.
    writeWord(image, image::kUneditedWord1, 0);
    writeWord(image, image::kUneditedWord2, 0);
}

}  // namespace quelvar
