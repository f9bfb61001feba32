#include "ui/digit_keys.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace quelvar {

namespace {
constexpr int kBackspace = 8;
}

bool isNonDigitKey(const QKeyEvent& key)
{
    const QString text = key.text();
    if (text.isEmpty() || (key.modifiers() & Qt::ControlModifier)) return false;
    const QChar c = text.front();
    if (c.unicode() == kBackspace || !c.isPrint()) return false;
    return !(c >= '0' && c <= '9');
}

QValidator* digitsOnlyValidator(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression("[0-9]*"), parent);
}

}  // namespace quelvar
