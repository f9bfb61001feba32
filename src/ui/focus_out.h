#pragma once
// "…Exit" handlers run when a box loses the keyboard focus (to another control, to
// another window, or because its dialog closes), not on editingFinished.
//
//     onFocusOut(countbyEditBox, [this] { countbyEditBoxExit(); });
//
// A handler never outlives its dialog: once the dialog's own destructor has run,
// the focus that Qt's base destructors still move (hiding the window, deleting a
// completion popup) calls no handler. The dialog class carries Q_OBJECT, as every
// dialog does, and needs no clean-up of its own.
//
// A button that acts on edited text must not rely on this alone: it stores the
// pending edit itself first (the button may take no focus, or be pressed by a key).
// A handler that converts typed numbers wraps its work in runGuarded (ui/conversion.h):
// no exception may leave an event filter.

#include <functional>

class QWidget;

namespace quelvar {

// Installs a filter (owned by `widget`) that calls `handler` at every FocusOut of `widget`.
void onFocusOut(QWidget* widget, std::function<void()> handler);

}  // namespace quelvar
