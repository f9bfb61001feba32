#pragma once
// The program's icon (an indicator on a weighing platform, the images of dist/icons)
// and, drawn in code, the toolbar images the standard style does not offer.

#include <QIcon>

namespace quelvar {

QIcon programIcon();
// The toolbar image of the serial port settings.
QIcon serialPortIcon();

}  // namespace quelvar
