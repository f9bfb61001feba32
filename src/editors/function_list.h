#pragma once
// The function list beside the function boxes of the keyboard, setpoint and timer
// dialogs.

#include <span>

class QLineEdit;

namespace quelvar {

class TabStopListBox;

// "FuncListBox", filled with the function table, a row a function.
TabStopListBox* functionListBox();

// Entering one of `boxes` makes it `target`; a row chosen in `list` puts the name of
// that function into `target`, which takes the focus when `focusTarget` (else the
// focus stays in the list, so more rows can be tried).
void pickFunctionsInto(TabStopListBox* list, std::span<QLineEdit* const> boxes,
                       QLineEdit*& target, bool focusTarget);

}  // namespace quelvar
