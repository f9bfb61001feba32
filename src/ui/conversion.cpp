#include "ui/conversion.h"

#include "model/decimal_text.h"

namespace quelvar {

ConversionError::ConversionError(const QString& text, const char* kind)
    : std::runtime_error(notANumberMessage(text.toStdString(), kind))
{
}

std::int32_t toInt(const QString& text)
{
    const auto value = parseIntegerText(text.trimmed().toStdString());
    if (!value) throw ConversionError(text);
    return *value;
}

PackedDecimal toDecimal(const QString& text)
{
    const auto value = parseDecimalText(text.toStdString());
    if (!value) throw ConversionError(text, "decimal");
    return *value;
}

}  // namespace quelvar
