#pragma once
// The program's icon, drawn once: a weighing platform with a display.

#include <QIcon>

namespace quelvar {

QIcon programIcon();

}  // namespace quelvar
