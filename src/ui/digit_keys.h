#pragma once
// Boxes that take decimal digits only (a function number, a password).
//
//     bool Pass1EditKeyPress(const QKeyEvent& key) { return isNonDigitKey(key); }
//     Pass1Edit->setValidator(digitsOnlyValidator(Pass1Edit));  // paste and drop too

class QKeyEvent;
class QObject;
class QValidator;

namespace quelvar {

// True for a typed character other than a decimal digit: the key is discarded.
// Backspace, shortcuts (Ctrl+V) and keys that move the focus or the cursor pass.
bool isNonDigitKey(const QKeyEvent& key);

// Refuses any edit, however the text arrives, that would leave a non-digit in the box.
// A text set by the program is shown as it is.
QValidator* digitsOnlyValidator(QObject* parent);

}  // namespace quelvar
