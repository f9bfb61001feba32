#include "editors/event_records.h"

#include "model/bytes.h"
#include "model/image_map.h"
#include "script/listing_edit.h"
#include "script/name_tables.h"

#include <algorithm>

namespace quelvar {

namespace {

constexpr std::uint8_t kTrueRegister = 115;
constexpr std::uint8_t kFalseRegister = 116;

constexpr std::size_t keyOffset(std::size_t n)
{
    return image::kKeyFunctions + n;
}

// In the setup image the power-on byte comes first, then F1, F2, Print, Units,
// Gross/Net, Tare and Zero; the dialog lists the keys in the keypad's order.
constexpr std::array<KeyFunctionField, kKeyEventCount> kKeyEvents{{
    {keyOffset(0), "Power On"},
    {keyOffset(3), "Print key"},
    {keyOffset(4), "Units key"},
    {keyOffset(5), "Gross/Net key"},
    {keyOffset(6), "Tare key"},
    {keyOffset(7), "Zero key"},
    {keyOffset(1), "F1 key"},
    {keyOffset(2), "F2 key"},
}};

}  // namespace

std::string nameOfCode(const NameTable& table, std::uint8_t code)
{
    return std::string(table.name(LookupByCode(table, code)));
}

std::optional<std::uint8_t> codeOfName(const NameTable& table, std::string_view name)
{
    const int index = LookupByName(table, name);
    if (index == 0 && !name.empty()) return std::nullopt;
    return static_cast<std::uint8_t>(table.code(index));
}

std::optional<std::uint8_t> typedFunctionCode(std::string_view text)
{
    return codeOfName(functionTable(), typedName(text));
}

std::span<const KeyFunctionField, kKeyEventCount> keyEvents()
{
    return kKeyEvents;
}

std::array<std::string, kKeyEventCount> keyFunctionNames(const SetupImage& image)
{
    std::array<std::string, kKeyEventCount> names;
    for (std::size_t n = 0; n < kKeyEventCount; ++n)
        names[n] = nameOfCode(functionTable(), readByte(image, kKeyEvents[n].offset));
    return names;
}

std::optional<KeyStoreFailure> storeKeyFunction(SetupImage& image, std::size_t event,
                                                std::string_view typed)
{
    const auto code = typedFunctionCode(typed);
    if (!code) return KeyStoreFailure{event, typedName(typed)};
    writeByte(image, kKeyEvents[event].offset, *code);
    return std::nullopt;
}

std::string keyStoreMessage(const KeyStoreFailure& failure)
{
    return "Invalid Function - " + std::string(kKeyEvents[failure.event].name) + ": " +
           failure.name;
}

int clampSetpoint(long long number)
{
    return static_cast<int>(std::clamp<long long>(number, kFirstSetpoint, kLastSetpoint));
}

bool isStatusTest(std::uint8_t upperCode)
{
    return upperCode == kTrueRegister || upperCode == kFalseRegister;
}

const NameTable& lowerFieldTable(std::uint8_t upperCode)
{
    return isStatusTest(upperCode) ? statusConditionTable() : registerTable();
}

SetpointRecord readSetpoint(const SetupImage& image, int setpoint)
{
    const std::size_t at = image::setpointOffset(clampSetpoint(setpoint));
    return {readByte(image, at), readByte(image, at + 1), readByte(image, at + 2)};
}

void writeSetpoint(SetupImage& image, int setpoint, const SetpointRecord& record)
{
    const std::size_t at = image::setpointOffset(clampSetpoint(setpoint));
    writeByte(image, at, record.upper);
    writeByte(image, at + 1, record.lower);
    writeByte(image, at + 2, record.function);
}

SetpointNames setpointNames(const SetpointRecord& record)
{
    return {nameOfCode(registerTable(), record.upper),
            nameOfCode(lowerFieldTable(record.upper), record.lower),
            nameOfCode(functionTable(), record.function)};
}

std::optional<std::uint8_t> setpointCode(SetpointField field, std::uint8_t upperCode,
                                         std::string_view name)
{
    if (field == SetpointField::Upper) return codeOfName(registerTable(), name);
    if (field == SetpointField::Lower) return codeOfName(lowerFieldTable(upperCode), name);
    return codeOfName(functionTable(), name);
}

std::string setpointMessage(SetpointField field, std::string_view name)
{
    static constexpr const char* kFieldNames[] = {"Upper register", "Lower register",
                                                  "Function register"};
    return std::string(kFieldNames[static_cast<int>(field)]) +
           " - invalid name: " + std::string(name);
}

TimerRecord readTimer(const SetupImage& image, int timer)
{
    const std::size_t at = image::timerOffset(std::clamp(timer, 1, kTimerCount));
    return {readWord(image, at), readByte(image, at + 2)};
}

void writeTimer(SetupImage& image, int timer, const TimerRecord& record)
{
    const std::size_t at = image::timerOffset(std::clamp(timer, 1, kTimerCount));
    writeWord(image, at, record.time);
    writeByte(image, at + 2, record.function);
}

std::string timerFunctionMessage(std::string_view typed)
{
    return "Invalid Function: " + std::string(typed);
}

std::uint16_t timerTime(std::int64_t typed)
{
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(typed) & 0xFFFF);
}

}  // namespace quelvar
