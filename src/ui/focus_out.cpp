#include "ui/focus_out.h"

#include <QEvent>
#include <QWidget>

namespace quelvar {

FocusOutFilter::FocusOutFilter(QWidget* watched, std::function<void()> handler)
    : QObject(watched), m_handler(std::move(handler))
{
    watched->installEventFilter(this);
}

bool FocusOutFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && m_handler) m_handler();
    return QObject::eventFilter(watched, event);
}

void onFocusOut(QWidget* widget, std::function<void()> handler)
{
    new FocusOutFilter(widget, std::move(handler));
}

void removeFocusOutHandlers(QWidget* widget)
{
    qDeleteAll(widget->findChildren<FocusOutFilter*>(Qt::FindDirectChildrenOnly));
}

}  // namespace quelvar
