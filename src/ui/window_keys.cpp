#include "ui/window_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace quelvar {

namespace {

bool isEnter(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Push and tool buttons; a check box or radio button leaves Enter to its dialog.
QAbstractButton* focusedButton(QObject* object)
{
    if (!qobject_cast<QPushButton*>(object) && !qobject_cast<QToolButton*>(object)) return nullptr;
    auto* button = static_cast<QAbstractButton*>(object);
    return button->hasFocus() && button->isEnabled() ? button : nullptr;
}

bool isOrdinaryWindow(const QWidget& widget)
{
    const Qt::WindowType type = widget.windowType();
    return widget.isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

// The modal window in front, else the closed window's owner, else the main window.
QWidget* windowBelow(QWidget* owner)
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
        return modal;
    for (; owner; owner = owner->parentWidget())
        if (owner->window()->isVisible()) return owner->window();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window) && window->isVisible()) return window;
    return nullptr;
}

// Activating a window gives the focus back to the control that had it there (or
// to its first control).
void giveKeyboardBack(QWidget* owner)
{
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return;
    if (QWidget* below = windowBelow(owner)) below->activateWindow();
}

class WindowKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (isEnter(*event)) {
            if (QAbstractButton* button = focusedButton(watched)) {
                button->click();
                return true;
            }
        } else if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (isOrdinaryWindow(*window)) afterClosing(*window);
        }
        return false;
    }

private:
    // Only while the program has the keyboard: a window closing while the person
    // works in another program takes nothing from it. The request reaches the
    // window manager after the closed window's unmapping, so it has the last word.
    void afterClosing(const QWidget& window)
    {
        if (QGuiApplication::applicationState() != Qt::ApplicationActive) return;
        QTimer::singleShot(0, this, [owner = QPointer<QWidget>(window.parentWidget())] {
            giveKeyboardBack(owner);
        });
    }
};

}  // namespace

void installWindowKeys(QApplication& application)
{
    application.installEventFilter(new WindowKeys(&application));
}

}  // namespace quelvar
