#pragma once
// "…Exit" handlers run when a box loses the keyboard focus (to another control, to
// another window, or because its dialog closes), not on editingFinished.
//
//     onFocusOut(countbyEditBox, [this] { countbyEditBoxExit(); });
//
// A button that acts on edited text must not rely on this alone: it stores the
// pending edit itself first (the button may take no focus, or be pressed by a key).
// A handler that converts typed numbers wraps its work in runGuarded (ui/conversion.h):
// no exception may leave an event filter.

#include <QObject>
#include <functional>

class QWidget;

namespace quelvar {

class FocusOutFilter : public QObject {
    Q_OBJECT
public:
    FocusOutFilter(QWidget* watched, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_handler;
};

// Installs a filter (owned by `widget`) that calls `handler` at every FocusOut of `widget`.
void onFocusOut(QWidget* widget, std::function<void()> handler);
// Removes them again. A dialog whose handlers use its own members calls this from
// its destructor: QWidget's destructor, which runs after it, can still move the
// focus (a completer's popup does, as it is deleted).
void removeFocusOutHandlers(QWidget* widget);

}  // namespace quelvar
