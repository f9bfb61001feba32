// [misc], [analog_output], [fixed_registers] and [passwords]: the small parameter
// dialogs.
#include "editors/analog_output.h"
#include "editors/fixed_registers.h"
#include "editors/passwords.h"
#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "text/text_fields.h"

namespace quelvar::text {

namespace {

// The feature switches in the order the dialog stores them.
constexpr struct {
    int item;
    const char* key;
} kSwitches[] = {
    {39, "misc.ttl_inputs_activate_functions"},
    {42, "misc.watchdog_timer"},
    {41, "misc.battery_installed"},
    {79, "misc.multi_point_linearization"},
    {75, "misc.peak_detect"},
    {77, "misc.id_auto_erase"},
};
// An indicator setting no dialog shows.
constexpr int kSingleStepItem = 76;

constexpr int kAnalogRegisterItem = 83;
constexpr int kAnalogOffsetItem = 82;
constexpr int kAnalogSpanItem = 81;

Field analogRegisterField()
{
    Field f{"analog_output.register",
            itemComment(kAnalogRegisterItem) + " (a register name)",
            {imageBytes(ItemOffset(kAnalogRegisterItem), 1)}};
    f.show = [](const Setup& s) -> std::optional<Value> { return analogRegisterName(s.image); };
    f.store = [](Setup& s, const Value& v) -> Refusal {
        if (!storeAnalogRegister(s.image, textOf(v))) return "Register name is invalid";
        return {};
    };
    f.raw = Raw::Number;
    return f;
}

Field fixedRegisterField(int reg)
{
    Field f{"fixed_registers.register_" + std::to_string(reg),
            itemComment(reg),
            {imageBytes(image::fixedRegisterOffset(reg), image::kFixedRegisterSize)}};
    f.show = [reg](const Setup& s) -> std::optional<Value> {
        return fixedRegisterText(s.image, reg);
    };
    f.store = [reg](Setup& s, const Value& v) -> Refusal {
        const auto value = parseDecimalText(textOf(v));
        if (!value) return notANumberMessage(textOf(v), "decimal");
        storeFixedRegister(s.image, reg, *value);
        return {};
    };
    f.numeric = true;
    return f;
}

// A password's slot and its check word, which follows from the digits. What the
// keypad cannot enter is refused, so a slot holding it is written raw.
Field passwordField(int password)
{
    const std::size_t slot = password == 1 ? image::kPassword1 : image::kPassword2;
    const std::size_t check = password == 1 ? image::kPasswordCheck1 : image::kPasswordCheck2;
    Field f{"passwords.password_" + std::to_string(password),
            "password " + std::to_string(password) + ": at most " +
                std::to_string(kPasswordLength) + " digits, empty for none",
            {imageBytes(slot, image::kPasswordSize), imageBytes(check, 2)}};
    f.show = [password](const Setup& s) -> std::optional<Value> {
        return passwordText(s.image, password);
    };
    f.store = [password](Setup& s, const Value& v) -> Refusal {
        if (!isKeypadPassword(textOf(v)))
            return "a password is at most " + std::to_string(kPasswordLength) + " digits";
        storePassword(s.image, password, textOf(v));
        return {};
    };
    return f;
}

}  // namespace

void addMiscFields(Fields& fields)
{
    fields.push_back(numberField("misc.display_intensity", itemComment(40), ItemOffset(40), 1));
    for (const auto& feature : kSwitches)
        fields.push_back(
            yesNoField(feature.key, itemComment(feature.item), ItemOffset(feature.item)));
    fields.push_back(yesNoField("misc.single_step_functions",
                                itemComment(kSingleStepItem) + " (no dialog shows it: it is set on the indicator)",
                                ItemOffset(kSingleStepItem)));

    fields.push_back(analogRegisterField());
    fields.push_back(numberField("analog_output.offset", itemComment(kAnalogOffsetItem),
                                 ItemOffset(kAnalogOffsetItem), 4, true));
    fields.push_back(numberField("analog_output.span", itemComment(kAnalogSpanItem),
                                 ItemOffset(kAnalogSpanItem), 4, true));

    for (int reg = kFirstFixedRegister; reg <= kLastFixedRegister; ++reg)
        fields.push_back(fixedRegisterField(reg));

    fields.push_back(passwordField(1));
    fields.push_back(passwordField(2));
}

}  // namespace quelvar::text
