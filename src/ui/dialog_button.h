#pragma once
// A dialog's push button, named for tests and help; Enter presses only the
// dialog's default button, never the button that happens to have the focus.

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
