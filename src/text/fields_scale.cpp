// [scale]: the scale parameters dialog.
#include "editors/scale_params.h"
#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/param_items.h"
#include "text/text_fields.h"

#include <climits>

namespace quelvar::text {

namespace {

// The count-by's decimal places and digits (items 11 and 12, or 14 and 15) as one number.
Field countByField(std::string path, int item, CountByField where)
{
    Field f{std::move(path),
            "items " + std::to_string(item) + " and " + std::to_string(item + 1) + ", " +
                (item == 11 ? "count-by" : "alternate count-by") + " (places and step)",
            {imageBytes(where.places, 1), imageBytes(where.digits, 1)}};
    f.show = [where](const Setup& s) -> std::optional<Value> {
        return DecimalToText(readCountBy(s.image, where));
    };
    f.store = [where](Setup& s, const Value& v) -> Refusal {
        const auto value = parseDecimalText(textOf(v));
        if (!value || !isValidCountBy(*value)) return "Invalid Count-By: " + textOf(v);
        writeCountBy(s.image, where, *value);
        return {};
    };
    return f;
}

// Capacity and overload: weights counted in steps of the primary count-by.
Field weightField(std::string path, int item)
{
    const std::size_t offset = ItemOffset(item);
    Field f{std::move(path), itemComment(item) + ", a weight stored as steps of count_by",
            {imageBytes(offset, 4)}};
    f.show = [offset](const Setup& s) -> std::optional<Value> {
        return weightText(static_cast<std::int32_t>(readLong(s.image, offset)),
                          readCountBy(s.image, primaryCountBy()));
    };
    f.store = [offset](Setup& s, const Value& v) -> Refusal {
        const auto weight = parseDecimalText(textOf(v));
        const auto steps =
            weight ? weightSteps(*weight, readCountBy(s.image, primaryCountBy())) : std::nullopt;
        if (!steps) return notANumberMessage(textOf(v), "decimal");
        writeLong(s.image, offset, static_cast<std::uint32_t>(*steps));
        return {};
    };
    f.numeric = true;
    return f;
}

// The digits of a decimal with its point ignored (0.45359 gives 45359), as the dialog
// stores the conversion factor; nothing when they do not fit in a Long.
std::optional<std::int32_t> digitsOf(const std::string& text)
{
    const auto value = parseDecimalText(text);
    if (!value) return std::nullopt;
    std::int64_t digits = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits = digits * 10 + (c - '0');
    if (text.find('-') != std::string::npos) digits = -digits;
    if (outOfRange(digits, INT32_MIN, INT32_MAX).refused()) return std::nullopt;
    return static_cast<std::int32_t>(digits);
}

Field conversionFactorField(std::string path, int item)
{
    const std::size_t offset = ItemOffset(item);
    Field f{std::move(path), itemComment(item) + ", its digits stored with the point ignored",
            {imageBytes(offset, 4)}};
    f.show = [offset](const Setup& s) -> std::optional<Value> {
        return std::to_string(static_cast<std::int32_t>(readLong(s.image, offset)));
    };
    f.store = [offset](Setup& s, const Value& v) -> Refusal {
        const auto digits = digitsOf(textOf(v));
        if (!digits) return notANumberMessage(textOf(v), "decimal");
        writeLong(s.image, offset, static_cast<std::uint32_t>(*digits));
        return {};
    };
    f.numeric = true;
    return f;
}

Field itemNumber(std::string path, int item, std::size_t size, bool isSigned = false,
                 const std::string& more = {})
{
    return numberField(std::move(path), itemComment(item) + more, ItemOffset(item), size,
                       isSigned);
}

// The calibration sets these; the scale dialog only shows them.
Field calibrationFactor(std::string path, int item, const char* caption)
{
    Field f = itemNumber(std::move(path), item, 4, true,
                         std::string(" (") + caption +
                             " in the scale dialog); calibration: changing this needs a new "
                             "calibration");
    f.calibration = true;
    return f;
}

}  // namespace

void addScaleFields(Fields& fields)
{
    const auto units = trimmedTexts(unitNames());
    fields.push_back(listField("scale.load_cell", itemComment(1) + ": the output in mV/V",
                               ItemOffset(1), 1, trimmedTexts(loadCellNames())));
    fields.push_back(countByField("scale.count_by", 11, primaryCountBy()));
    fields.push_back(countByField("scale.alt_count_by", 14, alternateCountBy()));
    fields.push_back(weightField("scale.capacity", 17));
    fields.push_back(weightField("scale.overload", 18));
    fields.push_back(listField("scale.units", itemComment(10), ItemOffset(10), 2, units));
    fields.push_back(listField("scale.alt_units", itemComment(13), ItemOffset(13), 2, units));
    fields.push_back(conversionFactorField("scale.alt_conversion_factor", 16));
    fields.push_back(itemNumber("scale.filter", 2, 1));
    fields.push_back(itemNumber("scale.display_update", 3, 1));
    fields.push_back(itemNumber("scale.auto_zero", 9, 1, false, " (Auto Zero %)"));
    fields.push_back(itemNumber("scale.zero_track_band", 8, 2));
    fields.push_back(itemNumber("scale.zero_track_delay", 7, 1));
    fields.push_back(yesNoField("scale.power_on_zero",
                                "Power On Zero in the scale dialog; " + itemComment(20) +
                                    ", is its opposite",
                                ItemOffset(20), true));
    fields.push_back(itemNumber("scale.motion_band", 5, 1));
    fields.push_back(itemNumber("scale.motion_delay", 4, 1));
    fields.push_back(yesNoField("scale.motion_blanks_display", itemComment(6), ItemOffset(6)));
    fields.push_back(calibrationFactor("scale.span_factor", 22, "Span Factor"));
    // The dialog shows item 19 as its Offset Factor 2 and item 21 as Offset Factor 1.
    fields.push_back(calibrationFactor("scale.deadload_offset_factor_1", 19, "Offset Factor 2"));
    fields.push_back(calibrationFactor("scale.deadload_offset_factor_2", 21, "Offset Factor 1"));
}

}  // namespace quelvar::text
