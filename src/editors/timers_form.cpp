#include "editors/timers_form.h"

#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
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
constexpr int kTimeLength = 5;
}

TCfgTimersForm::TCfgTimersForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Configure Timers");
    buildLayout();
    connectHandlers();
    fillList(FuncListBox, functionListRows(functionTable()));
    for (int k = 1; k <= kTimerCount; ++k) {
        const TimerRecord record = readTimer(m_image, k);
        const auto n = static_cast<std::size_t>(k - 1);
        timeBoxes()[n]->setText(QString::number(record.time));
        functionBoxes()[n]->setText(fromSetupText(nameOfCode(functionTable(), record.function)));
    }
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
    const char* timeNames[] = {"Timer1Edit", "Timer2Edit", "Timer3Edit", "Timer4Edit",
                               "Timer5Edit"};
    const char* functionNames[] = {"Function1Edit", "Function2Edit", "Function3Edit",
                                   "Function4Edit", "Function5Edit"};
    QLineEdit** times[] = {&Timer1Edit, &Timer2Edit, &Timer3Edit, &Timer4Edit, &Timer5Edit};
    QLineEdit** functions[] = {&Function1Edit, &Function2Edit, &Function3Edit, &Function4Edit,
                               &Function5Edit};
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Time"), 0, 1);
    fields->addWidget(new QLabel("Function"), 0, 2);
    for (int k = 1; k <= kTimerCount; ++k) {
        const auto n = static_cast<std::size_t>(k - 1);
        QLineEdit* time = *times[n] = nameBox(timeNames[n], kTimeLength);
        time->setFixedWidth(time->fontMetrics().horizontalAdvance("6553500"));
        QLineEdit* function = *functions[n] = nameBox(functionNames[n]);
        function->setMinimumWidth(function->fontMetrics().horizontalAdvance("Pulse clearWW"));
        fields->addWidget(buddyLabel(QString("Timer &%1").arg(k), time), k, 0);
        fields->addWidget(time, k, 1);
        fields->addWidget(function, k, 2);
    }
    fields->addWidget(new QLabel("Time values in tenths (0.1) of a second."), kTimerCount + 1, 0, 1,
                      3);
    fields->setRowStretch(kTimerCount + 2, 1);
    FuncListBox = nameList("FuncListBox", recordNames({&functionTable()}));
    OKButton = formButton("OKButton", "OK");
    cancelButton = formButton("cancelButton", "Cancel");
    helpButton = formButton("helpButton", "Help");

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(FuncListBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));

    chainTabOrder({Timer1Edit, Function1Edit, Timer2Edit, Function2Edit, Timer3Edit, Function3Edit,
                   Timer4Edit, Function4Edit, Timer5Edit, Function5Edit, FuncListBox, OKButton,
                   cancelButton, helpButton});
}

void TCfgTimersForm::connectHandlers()
{
    for (QLineEdit* box : functionBoxes())
        onFocusIn(box, [this, box] { m_target = box; });
    onRowChosen(FuncListBox, [this] { FuncListBoxDblClick(); });
    connect(OKButton, &QPushButton::clicked, this, &TCfgTimersForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgTimersForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgTimersForm::helpButtonClick);
}

void TCfgTimersForm::FuncListBoxDblClick()
{
    m_target->setText(fromSetupText(functionTable().name(FuncListBox->currentRow())));
    focusBox(m_target);
}

// Every name and every time is read before anything is stored: the lowest-numbered
// bad name, else the first time that is no number, is reported with its box focused.
bool TCfgTimersForm::readRecords(std::array<TimerRecord, kTimerCount>& records)
{
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto code = typedFunctionCode(setupTextOf(functionBoxes()[n]));
        if (!code) {
            focusBox(functionBoxes()[n]);
            m_services.message(
                fromSetupText(timerFunctionMessage(setupTextOf(functionBoxes()[n]))));
            return false;
        }
        records[n].function = *code;
    }
    for (std::size_t n = 0; n < records.size(); ++n) {
        QLineEdit* box = timeBoxes()[n];
        if (!runGuarded(m_services, [&] { records[n].time = timerTime(toInt(box->text())); })) {
            focusBox(box);
            return false;
        }
    }
    return true;
}

void TCfgTimersForm::OKButtonClick()
{
    std::array<TimerRecord, kTimerCount> records;
    if (!readRecords(records)) return;
    for (int k = 1; k <= kTimerCount; ++k)
        writeTimer(m_image, k, records[static_cast<std::size_t>(k - 1)]);
    accept();
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
