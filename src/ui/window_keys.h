#pragma once
// What the keyboard does in every window of the program, installed once on the
// application (the program and the widget tests alike):
//
// - Enter presses the push or tool button that has the focus, as Space does; with
//   the focus elsewhere Enter goes where it always went (a box, a list, the
//   dialog's default button).
// - When the window that has the keyboard closes (a message box, a dialog, the help
//   window), the window below it gets the keyboard back, with the control that had
//   the focus there. A window manager hands the focus to the closed window's owner,
//   which may itself be closing (a message box that ends its dialog): then no window
//   of the program would have the keyboard until a click.

class QApplication;

namespace quelvar {

void installWindowKeys(QApplication& application);

}  // namespace quelvar
