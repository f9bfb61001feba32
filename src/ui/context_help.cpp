#include "ui/context_help.h"

#include "ui/services.h"

#include <QApplication>
#include <QShortcut>
#include <QString>
#include <QWidget>

namespace quelvar {

namespace {
constexpr const char* kContextProperty = "helpContext";
constexpr const char* kTopicProperty = "helpTopic";
}  // namespace

void setHelpContext(QWidget* widget, int number)
{
    widget->setProperty(kContextProperty, number);
}

void setHelpTopic(QWidget* window, const QString& keyword)
{
    window->setProperty(kTopicProperty, keyword);
}

int helpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant value = widget->property(kContextProperty);
        if (value.isValid()) return value.toInt();
        if (widget->isWindow()) break;
    }
    return 0;
}

void installContextHelp(QWidget* window, Services& services)
{
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, &services] {
        QWidget* focused = window->focusWidget();
        const int context = helpContextOf(focused ? focused : window);
        const QString topic = window->property(kTopicProperty).toString();
        if (context == 0 && !topic.isEmpty())
            services.showHelp(topic);
        else
            services.showHelpContext(context);
    });
}

}  // namespace quelvar
