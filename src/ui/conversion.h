#pragma once
// Integer and decimal texts typed into edit boxes. A text that is not an integer raises
// ConversionError with the standard message "'<text>' is not a valid integer value"
// (a decimal text: "'<text>' is not a valid decimal value"); a handler that stores
// fields runs inside runGuarded, which shows that message and reports false so the
// dialog stays open.
//
//     void TCfgScaleForm::okButtonClick()
//     {
//         if (runGuarded(m_services, [&] { storeFields(); })) accept();
//     }
//     void TCfgScaleForm::storeFields() { writeByte(m_image, kCountBy,
//     toInt(countbyEditBox->text())); }

#include "model/packed_decimal.h"
#include "ui/services.h"

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace quelvar {

class ConversionError : public std::runtime_error {
public:
    // `kind` names what the text should have been: "integer" or "decimal".
    explicit ConversionError(const QString& text, const char* kind = "integer");
    QString message() const { return QString::fromStdString(what()); }
};

// Leading and trailing blanks are ignored; an optional sign, then decimal digits, or
// hexadecimal digits after "$" or "0x". The value must fit in 32 bits (hexadecimal
// values up to FFFFFFFF wrap to negative numbers, as the indicator's tools always did).
std::int32_t toInt(const QString& text);

// A typed decimal number (see parseDecimalText); empty or blank text is zero.
PackedDecimal toDecimal(const QString& text);

// Runs `store`; a ConversionError is shown with services.error and gives false.
template <typename F> bool runGuarded(Services& services, F&& store)
{
    try {
        store();
        return true;
    } catch (const ConversionError& e) {
        services.error(e.message());
        return false;
    }
}

}  // namespace quelvar
