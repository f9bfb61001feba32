// [keys], [[setpoint]] and [[timer]]: the keyboard and power-on functions, the
// setpoint events and the timer events dialogs.
#include "editors/event_records.h"
#include "model/image_map.h"
#include "script/name_tables.h"
#include "text/text_fields.h"

#include <cctype>

namespace quelvar::text {

namespace {

// "Gross/Net key" gives "gross_net_key".
std::string snakeCase(std::string_view caption)
{
    std::string key;
    for (const char c : caption) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u))
            key += static_cast<char>(std::tolower(u));
        else if (!key.empty() && key.back() != '_')
            key += '_';
    }
    return key;
}

// A function name typed as the keyboard dialog takes it (trimmed, first letter raised).
Field keyField(std::size_t event)
{
    const KeyFunctionField& where = keyEvents()[event];
    Field f{"keys." + snakeCase(where.name),
            std::string(where.name) + " function",
            {imageBytes(where.offset, 1)}};
    f.show = [event](const Setup& s) -> std::optional<Value> {
        return keyFunctionNames(s.image)[event];
    };
    f.store = [event](Setup& s, const Value& v) -> Refusal {
        const auto failure = storeKeyFunction(s.image, event, textOf(v));
        return failure ? Refusal(keyStoreMessage(*failure)) : Refusal();
    };
    f.raw = Raw::Number;
    return f;
}

// The fields of a setpoint record, in the order of its bytes.
struct SetpointKey {
    SetpointField field;
    const char* key;
    const char* caption;
};
constexpr SetpointKey kSetpointKeys[] = {
    {SetpointField::Upper, "upper", "Upper Register"},
    {SetpointField::Lower, "lower", "Lower Register"},
    {SetpointField::Function, "function", "Execute Function"},
};

template <typename Record> auto& part(Record& record, SetpointField field)
{
    if (field == SetpointField::Upper) return record.upper;
    if (field == SetpointField::Lower) return record.lower;
    return record.function;
}

// A name taken exactly as typed; the lower field's table follows the upper register
// stored before it.
Field setpointField(int setpoint, std::size_t byte)
{
    const SetpointKey& key = kSetpointKeys[byte];
    const std::string number = std::to_string(setpoint);
    Field f{"setpoint." + number + "." + key.key,
            "setpoint " + number + ", " + key.caption,
            {imageBytes(image::setpointOffset(setpoint) + byte, 1)}};
    f.show = [setpoint, field = key.field](const Setup& s) -> std::optional<Value> {
        SetpointNames names = setpointNames(readSetpoint(s.image, setpoint));
        return part(names, field);
    };
    f.store = [setpoint, field = key.field](Setup& s, const Value& v) -> Refusal {
        SetpointRecord record = readSetpoint(s.image, setpoint);
        const auto code = setpointCode(field, record.upper, textOf(v));
        if (!code) return setpointMessage(field, textOf(v));
        part(record, field) = *code;
        writeSetpoint(s.image, setpoint, record);
        return {};
    };
    f.raw = Raw::Number;
    f.optional = true;
    return f;
}

// Stores one part of a timer's record, keeping the other.
template <typename Change> void changeTimer(Setup& s, int timer, Change change)
{
    TimerRecord record = readTimer(s.image, timer);
    change(record);
    writeTimer(s.image, timer, record);
}

// The time as the dialog shows it (tenths of a second), then the function name typed
// as the dialog takes it (trimmed, first letter raised).
void addTimerFields(Fields& fields, int timer)
{
    const std::string path = "timer." + std::to_string(timer) + ".";
    const std::string comment = "timer " + std::to_string(timer) + ", ";
    const std::size_t offset = image::timerOffset(timer);
    Field time{path + "time",
               comment + "Time in tenths of a second",
               {imageBytes(offset, 2)},
               Kind::Integer};
    time.show = [timer](const Setup& s) -> std::optional<Value> {
        return std::int64_t{readTimer(s.image, timer).time};
    };
    time.store = [timer](Setup& s, const Value& v) -> Refusal {
        if (auto refusal = outOfRange(integerOf(v), 0, 65535); refusal.refused()) return refusal;
        changeTimer(s, timer, [&](TimerRecord& r) { r.time = timerTime(integerOf(v)); });
        return {};
    };
    Field function{path + "function", comment + "Function", {imageBytes(offset + 2, 1)}};
    function.show = [timer](const Setup& s) -> std::optional<Value> {
        return nameOfCode(functionTable(), readTimer(s.image, timer).function);
    };
    function.store = [timer](Setup& s, const Value& v) -> Refusal {
        const auto code = typedFunctionCode(textOf(v));
        if (!code) return timerFunctionMessage(textOf(v));
        changeTimer(s, timer, [&](TimerRecord& r) { r.function = *code; });
        return {};
    };
    function.raw = Raw::Number;
    for (Field* f : {&time, &function}) {
        f->optional = true;
        fields.push_back(std::move(*f));
    }
}

}  // namespace

// The keys are always written; a setpoint or timer field only when it differs from
// the factory setup, so a factory text stays short and a setup shows the events it
// uses.
void addEventFields(Fields& fields)
{
    for (std::size_t event = 0; event < kKeyEventCount; ++event)
        fields.push_back(keyField(event));
    for (int setpoint = kFirstSetpoint; setpoint <= kLastSetpoint; ++setpoint)
        for (std::size_t byte = 0; byte < std::size(kSetpointKeys); ++byte)
            fields.push_back(setpointField(setpoint, byte));
    for (int timer = 1; timer <= kTimerCount; ++timer)
        addTimerFields(fields, timer);
}

}  // namespace quelvar::text
