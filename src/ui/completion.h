#pragma once
// A completion list under a box: the names that start with what was typed, case
// ignored, in a popup.
//
//     nameCompleter(InstrEdit, {"Add", "Dec", ...});
//
// A click outside the open list closes it and still does what it says: it goes on
// to the control under the pointer (a button clicks, a row is picked, the focus
// leaves the box as it would without the list).

#include <QStringList>

class QCompleter;
class QLineEdit;

namespace quelvar {

QCompleter* nameCompleter(QLineEdit* box, const QStringList& names);

}  // namespace quelvar
