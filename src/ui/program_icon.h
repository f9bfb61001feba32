#pragma once
// Images drawn in code: the program's icon (an indicator on a weighing platform)
// and the toolbar images the standard style does not offer.

#include <QIcon>

namespace quelvar {

QIcon programIcon();
// The toolbar image of the serial port settings.
QIcon serialPortIcon();

}  // namespace quelvar
