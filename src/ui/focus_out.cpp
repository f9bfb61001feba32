#include "ui/focus_out.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace quelvar {

namespace {

// While an object is destroyed, each base destructor sees it as its own class:
// the object is whole as long as it still is the class it was seen as alive.
struct Seen {
    QPointer<QObject> object;
    const QMetaObject* type = nullptr;

    explicit Seen(QObject* o = nullptr) : object(o), type(o ? o->metaObject() : nullptr) {}
    bool whole() const { return object && object->metaObject()->inherits(type); }
};

class FocusOutFilter : public QObject {
public:
    FocusOutFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), m_handler(std::move(handler)), m_widget(widget),
          m_window(widget->window())
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The box may join its dialog after the handler is installed; it shows
        // before it can take the focus, and its dialog is whole then.
        if (event->type() == QEvent::Show)
            m_window = Seen(static_cast<QWidget*>(watched)->window());
        if (event->type() == QEvent::FocusOut && m_widget.whole() && m_window.whole()) m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
    Seen m_widget;
    Seen m_window;
};

}  // namespace

void onFocusOut(QWidget* widget, std::function<void()> handler)
{
    new FocusOutFilter(widget, std::move(handler));
}

}  // namespace quelvar
