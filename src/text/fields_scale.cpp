// [scale]: the scale parameters dialog.
#include "editors/scale_params.h"
#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/param_items.h"
#include "text/text_fields.h"

namespace quelvar::text {

namespace {

Field countByField(std::string path, int item, CountByField where)
{
    Field f{std::move(path), itemComment(item),
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
    Field f{std::move(path), itemComment(item), {imageBytes(offset, 4)}};
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
    return f;
}

Field itemNumber(std::string path, int item, std::size_t size, bool isSigned = false)
{
    return numberField(std::move(path), itemComment(item), ItemOffset(item), size, isSigned);
}

}  // namespace

void addScaleFields(Fields& fields)
{
    const auto units = trimmedTexts(unitNames());
    fields.push_back(listField("scale.load_cell", itemComment(1), ItemOffset(1), 1,
                               trimmedTexts(loadCellNames())));
    fields.push_back(countByField("scale.count_by", 11, primaryCountBy()));
    fields.push_back(countByField("scale.alt_count_by", 14, alternateCountBy()));
    fields.push_back(weightField("scale.capacity", 17));
    fields.push_back(weightField("scale.overload", 18));
    fields.push_back(listField("scale.units", itemComment(10), ItemOffset(10), 2, units));
    fields.push_back(listField("scale.alt_units", itemComment(13), ItemOffset(13), 2, units));
    fields.push_back(itemNumber("scale.alt_conversion_factor", 16, 4, true));
    fields.push_back(itemNumber("scale.filter", 2, 1));
    fields.push_back(itemNumber("scale.display_update", 3, 1));
    fields.push_back(itemNumber("scale.auto_zero", 9, 1));
    fields.push_back(itemNumber("scale.zero_track_band", 8, 2));
    fields.push_back(itemNumber("scale.zero_track_delay", 7, 1));
    fields.push_back(yesNoField("scale.power_on_zero", itemComment(20), ItemOffset(20), true));
    fields.push_back(itemNumber("scale.motion_band", 5, 1));
    fields.push_back(itemNumber("scale.motion_delay", 4, 1));
    fields.push_back(yesNoField("scale.motion_bypass", itemComment(6), ItemOffset(6)));
    fields.push_back(itemNumber("scale.span_factor", 22, 4, true));
    fields.push_back(itemNumber("scale.offset_factor_1", 21, 4, true));
    fields.push_back(itemNumber("scale.offset_factor_2", 19, 4, true));
}

}  // namespace quelvar::text
