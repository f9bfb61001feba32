#include "ui/completion.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStringListModel>

namespace quelvar {

namespace {

// The focus goes where a click on `widget` puts it.
void giveClickFocus(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus)) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (widget->isWindow()) return;
    }
}

// An open popup receives every click, also those outside it, and closing it
// swallows the click on X11. This filter closes the popup and hands the press to
// the control under the pointer, which holds the mouse until the release, so the
// release reaches it too.
class ClickThrough : public QObject {
public:
    ClickThrough(QWidget* popup, QLineEdit* box) : QObject(popup), m_box(box)
    {
        popup->setAttribute(Qt::WA_NoMouseReplay);  // platforms that replay: only once
        popup->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_target && event->type() == QEvent::MouseButtonRelease) {
            m_target->releaseMouse();
            m_target->removeEventFilter(this);
            m_target.clear();
            return false;
        }
        if (watched != parent() || event->type() != QEvent::MouseButtonPress) return false;
        auto* popup = static_cast<QWidget*>(watched);
        const auto& press = static_cast<const QMouseEvent&>(*event);
        const QPoint global = press.globalPosition().toPoint();
        if (popup->rect().contains(popup->mapFromGlobal(global))) return false;
        popup->hide();
        QWidget* target = QApplication::widgetAt(global);
        if (!target || target->window() != m_box->window()) return true;
        giveClickFocus(target);
        m_target = target;
        target->installEventFilter(this);
        target->grabMouse();
        QMouseEvent replay(QEvent::MouseButtonPress, target->mapFromGlobal(press.globalPosition()),
                           press.globalPosition(), press.button(), press.buttons(),
                           press.modifiers());
        QApplication::sendEvent(target, &replay);
        return true;
    }

private:
    QLineEdit* m_box;
    QPointer<QWidget> m_target;  // pressed, until its release
};

}  // namespace

QCompleter* nameCompleter(QLineEdit* box, const QStringList& names)
{
    auto* completer = new QCompleter(new QStringListModel(names, box), box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
    new ClickThrough(completer->popup(), box);
    return completer;
}

}  // namespace quelvar
