#include "ui/event_form_parts.h"

#include "ui/latin1_text.h"
#include "ui/tab_stop_list.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace quelvar {

namespace {

constexpr const char* kHandlerName = "eventHandlerFilter";

// Hands each event of the widget it watches to a handler, which says whether the
// event stops there.
class EventHandlerFilter : public QObject {
public:
    EventHandlerFilter(QWidget* watched, std::function<bool(QEvent*)> handler)
        : QObject(watched), m_handler(std::move(handler))
    {
        setObjectName(kHandlerName);
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return m_handler(event) || QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QEvent*)> m_handler;
};

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QLineEdit* nameBox(const char* objectName, int maxLength)
{
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    box->setMaxLength(maxLength);
    return box;
}

void chainTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

TabStopListBox* nameList(const char* objectName, const std::vector<std::string_view>& names)
{
    auto* list = new TabStopListBox;
    list->setObjectName(objectName);
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (std::string_view name : names)
        widest = std::max(widest, metrics.horizontalAdvance(fromSetupText(name)));
    const double unit = metrics.averageCharWidth() / 4.0;
    const int gap = metrics.averageCharWidth() * 2;
    list->setTabStops({static_cast<int>(std::ceil((widest + gap) / unit))});
    return list;
}

void fillList(QListWidget* list, const std::vector<std::string>& rows)
{
    list->clear();
    for (const auto& row : rows)
        list->addItem(fromSetupText(row));
    // Wide enough for the widest row of every filling, without a horizontal scroll bar.
    const int width = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                      list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(std::max(list->minimumWidth(), width));
}

void focusBox(QLineEdit* box)
{
    box->setFocus();
    box->selectAll();
}

std::string setupTextOf(const QLineEdit* box)
{
    return toSetupText(box->text());
}

void onFocusIn(QWidget* widget, std::function<void()> handler)
{
    new EventHandlerFilter(widget, [handler](QEvent* event) {
        if (event->type() == QEvent::FocusIn) handler();
        return false;
    });
}

void onLeave(QWidget* box, std::function<void()> handler)
{
    new EventHandlerFilter(box, [handler](QEvent* event) {
        if (event->type() != QEvent::FocusOut) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) handler();
        return false;
    });
}

void onEnterKey(QWidget* widget, std::function<void()> handler)
{
    new EventHandlerFilter(widget, [handler](QEvent* event) {
        if (!isEnter(event)) return false;
        handler();
        return true;
    });
}

// Tabbing into a list makes its first row current without selecting it; a row moved
// to with the keys or clicked is selected.
void onRowChosen(QListWidget* list, std::function<void()> handler)
{
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [handler] { handler(); });
    onEnterKey(list, [list, handler] {
        const QListWidgetItem* row = list->currentItem();
        if (row && row->isSelected()) handler();
    });
}

void removeEventHandlers(QWidget* window)
{
    qDeleteAll(window->findChildren<QObject*>(kHandlerName));
}

}  // namespace quelvar
