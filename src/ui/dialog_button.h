#pragma once
// A dialog's push button, named for tests and help. It never becomes the dialog's
// default on taking the focus, so Enter in a box still presses OK; Enter on the
// button itself presses it (ui/window_keys.h).

#include <QPushButton>

namespace quelvar {

inline QPushButton* dialogButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace quelvar
