#include "editors/timers_form.h"

#include "editors/function_list.h"
#include "script/name_table.h"
#include "ui/context_help.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {

QString timerPath(int timer, const char* key)
{
    return QString("timer.%1.%2").arg(timer).arg(key);
}

// A function box has no label of its own: its row's label belongs to the time box.
DialogField functionField(QLineEdit* box, int timer)
{
    box->setMaxLength(kNameLength);
    return {QString("Timer %1 Function").arg(timer),
            {box},
            nullptr,
            setupField(timerPath(timer, "function").toStdString()),
            [box](const std::optional<text::Value>& value) { box->setText(shownText(value)); },
            [box] { return readText(box->text(), text::Kind::Text); }};
}

}  // namespace

TCfgTimersForm::TCfgTimersForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Configure Timers");
    buildLayout();
    connectHandlers();
    m_target = Function1Edit;
    focusBox(Timer1Edit);
    setHelpTopic(this, "CfgTimers");
    installContextHelp(this, m_services);
}

TCfgTimersForm::~TCfgTimersForm()
{
    removeEventHandlers(this);
}

std::array<QLineEdit*, kTimerCount> TCfgTimersForm::timeBoxes() const
{
    return {Timer1Edit, Timer2Edit, Timer3Edit, Timer4Edit, Timer5Edit};
}

std::array<QLineEdit*, kTimerCount> TCfgTimersForm::functionBoxes() const
{
    return {Function1Edit, Function2Edit, Function3Edit, Function4Edit, Function5Edit};
}

void TCfgTimersForm::buildLayout()
{
    QLineEdit** times[] = {&Timer1Edit, &Timer2Edit, &Timer3Edit, &Timer4Edit, &Timer5Edit};
    QLineEdit** functions[] = {&Function1Edit, &Function2Edit, &Function3Edit, &Function4Edit,
                               &Function5Edit};
    for (int k = 1; k <= kTimerCount; ++k) {
        const auto n = static_cast<std::size_t>(k - 1);
        *times[n] = nameBox(QString("Timer%1Edit").arg(k).toLatin1().constData());
        *functions[n] = nameBox(QString("Function%1Edit").arg(k).toLatin1().constData());
    }
    FuncListBox = functionListBox();
    OKButton = formButton("OKButton", kOkCaption);
    cancelButton = formButton("cancelButton", kCancelCaption);
    helpButton = formButton("helpButton", kHelpCaption);

    auto* top = new QHBoxLayout;
    top->addLayout(addFields());
    top->addWidget(FuncListBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));

    chainTabOrder({Timer1Edit, Function1Edit, Timer2Edit, Function2Edit, Timer3Edit, Function3Edit,
                   Timer4Edit, Function4Edit, Timer5Edit, Function5Edit, FuncListBox, OKButton,
                   cancelButton, helpButton});
}

// The function names are checked first, timer 1 first, then the times: a refused
// name is reported before a refused time. A time must fit its word (0 to 65535).
QGridLayout* TCfgTimersForm::addFields()
{
    auto* rows = new QGridLayout;
    rows->addWidget(new QLabel("Time"), 0, 1);
    rows->addWidget(new QLabel("Function"), 0, 2);
    for (int k = 1; k <= kTimerCount; ++k) {
        QLineEdit* function = functionBoxes()[static_cast<std::size_t>(k - 1)];
        function->setMinimumWidth(function->fontMetrics().horizontalAdvance("Pulse clearWW"));
        m_fields.add(functionField(function, k));
        rows->addWidget(function, k, 2);
    }
    for (int k = 1; k <= kTimerCount; ++k) {
        QLineEdit* time = timeBoxes()[static_cast<std::size_t>(k - 1)];
        time->setFixedWidth(time->fontMetrics().horizontalAdvance("6553500"));
        const DialogField& field =
            m_fields.add(time, QString("Timer &%1").arg(k), timerPath(k, "time").toStdString());
        rows->addWidget(field.label, k, 0);
        rows->addWidget(time, k, 1);
    }
    rows->addWidget(new QLabel("Time values in tenths (0.1) of a second."), kTimerCount + 1, 0, 1,
                    3);
    rows->setRowStretch(kTimerCount + 2, 1);
    m_fields.load();
    return rows;
}

void TCfgTimersForm::connectHandlers()
{
    pickFunctionsInto(FuncListBox, functionBoxes(), m_target, true);
    connect(OKButton, &QPushButton::clicked, this, &TCfgTimersForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgTimersForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgTimersForm::helpButtonClick);
}

void TCfgTimersForm::OKButtonClick()
{
    if (m_fields.store()) accept();
}

void TCfgTimersForm::cancelButtonClick()
{
    reject();
}

void TCfgTimersForm::helpButtonClick()
{
    m_services.showHelp("CfgTimers");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgTimersForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgTimersForm(c.setup.image, c.services, c.owner);
})
