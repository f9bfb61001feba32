#include "ui/conversion.h"

#include "model/decimal_text.h"

#include <limits>
#include <optional>

namespace quelvar {

namespace {

bool isDigitOf(QChar c, int base)
{
    if (c >= '0' && c <= '9') return true;
    const QChar lower = c.toLower();
    return base == 16 && lower >= 'a' && lower <= 'f';
}

std::optional<std::int32_t> parseInteger(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith('-') || text.startsWith('+')) {
        negative = text.startsWith('-');
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith('$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty() || text.size() > 10) return std::nullopt;
    for (QChar c : text)
        if (!isDigitOf(c, base)) return std::nullopt;
    const std::int64_t value = text.toLongLong(nullptr, base);
    if (base == 16) {
        // Hexadecimal texts name a 32-bit pattern: $FFFFFFFF is -1.
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    const std::int64_t signedValue = negative ? -value : value;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

}  // namespace

ConversionError::ConversionError(const QString& text, const char* kind)
    : std::runtime_error(QString("'%1' is not a valid %2 value").arg(text, kind).toStdString())
{
}

std::int32_t toInt(const QString& text)
{
    const auto value = parseInteger(text);
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
