#include "serial/com_configure_form.h"

#include "serial/com_test_form.h"
#include "serial/dcb_form.h"
#include "serial/port_messages.h"
#include "ui/context_help.h"
#include "ui/radio_group.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace quelvar {

namespace {

constexpr const char* kHelpTopic = "ComSetup";

QPushButton* makeButton(QPushButton*& button, const char* name, const QString& caption)
{
    button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

RadioGroup* makeGroup(SettingGroup group, const char* name)
{
    QStringList items;
    for (const char* item : settingGroupItems(group))
        items << item;
    auto* radio = new RadioGroup(settingGroupCaption(group), items);
    radio->setObjectName(name);
    return radio;
}

}  // namespace

TComConfigureForm::TComConfigureForm(ComPort& port, Services& services, QWidget* owner)
    : QDialog(owner), m_port(port), m_services(services)
{
    setWindowTitle("Configure Com Port");
    buildLayout();
    connectHandlers();
    setHelpTopic(this, kHelpTopic);
    installContextHelp(this, m_services);
}

void TComConfigureForm::buildLayout()
{
    m_groups = {RGcomPort = makeGroup(SettingGroup::Port, "RGcomPort"),
                baudGroup = makeGroup(SettingGroup::Baud, "baudGroup"),
                parityGroup = makeGroup(SettingGroup::Parity, "parityGroup"),
                databitsGroup = makeGroup(SettingGroup::DataBits, "databitsGroup"),
                stopbitsGroup = makeGroup(SettingGroup::StopBits, "stopbitsGroup")};
    deviceLabel = new QLabel;
    deviceLabel->setObjectName("deviceLabel");
    deviceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    RGcomPort->addBelowItems(deviceLabel);

    auto* heading = new QLabel("Configure Communications Port");
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* line = new QVBoxLayout;
    for (RadioGroup* group : {parityGroup, databitsGroup, stopbitsGroup})
        line->addWidget(group);
    auto* groups = new QGridLayout;
    groups->addWidget(RGcomPort, 0, 0);
    groups->addWidget(baudGroup, 0, 1);
    groups->addLayout(line, 0, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeButton(ComTestButton, "ComTestButton", "Test"));
    buttons->addWidget(makeButton(DispDCBButton, "DispDCBButton", "Display DCB"));
    buttons->addStretch();
    buttons->addWidget(makeButton(ConfigureOKButton, "ConfigureOKButton", "OK"));
    buttons->addWidget(makeButton(ConfigureCancelButton, "ConfigureCancelButton", "Cancel"));
    buttons->addWidget(makeButton(HelpButton, "HelpButton", "Help"));
    ConfigureOKButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

void TComConfigureForm::connectHandlers()
{
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        connect(m_groups[i], &RadioGroup::itemClicked, this,
                [this, group = kSettingGroups[i]](int index) { groupClick(group, index); });
    connect(ComTestButton, &QPushButton::clicked, this, &TComConfigureForm::ComTestButtonClick);
    connect(DispDCBButton, &QPushButton::clicked, this, &TComConfigureForm::DispDCBButtonClick);
    connect(ConfigureOKButton, &QPushButton::clicked, this,
            &TComConfigureForm::ConfigureOKButtonClick);
    connect(ConfigureCancelButton, &QPushButton::clicked, this,
            &TComConfigureForm::ConfigureCancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TComConfigureForm::HelpButtonClick);
}

// Switching to another program and back is no refresh: the choices stay.
void TComConfigureForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TComConfigureForm::FormActivate()
{
    m_start = m_chosen = portSettingsOf(m_port);
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->setItemIndex(shownSettingItem(m_chosen, kSettingGroups[i]));
    showDevice();
}

void TComConfigureForm::groupClick(SettingGroup group, int index)
{
    chooseSettingItem(m_chosen, group, index);
    if (group == SettingGroup::Port) showDevice();
}

void TComConfigureForm::showDevice()
{
    deviceLabel->setText(
        QString::fromStdString(devicePathForPort(m_chosen.portNumber, m_port.devices())));
}

void TComConfigureForm::applyChosen()
{
    switch (applyPortSettings(m_port, m_start, m_chosen)) {
    case ApplyResult::OpenFailed: reportOpenFailure(m_services, m_port); break;
    case ApplyResult::ConfigureFailed: reportConfigureFailure(m_services, m_port); break;
    case ApplyResult::Applied: break;
    }
}

void TComConfigureForm::ConfigureOKButtonClick()
{
    if (portNeedsApplying(m_port, m_start, m_chosen)) applyChosen();
    accept();
}

void TComConfigureForm::ConfigureCancelButtonClick()
{
    reject();
}

// The view shows the port as the driver holds it, not the choices not yet applied.
void TComConfigureForm::DispDCBButtonClick()
{
    TDCBform view(m_port.GetControlBlock(), m_services, this);
    view.exec();
    FormActivate();
}

void TComConfigureForm::ComTestButtonClick()
{
    if (m_chosen != m_start) {
        const Answer answer = m_services.askYesNoCancel("Configuration has changed. Save changes?",
                                                        "Com Port change -");
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) applyChosen();
        FormActivate();
    }
    TComTestForm test(m_port, m_services, this);
    test.exec();
    FormActivate();
}

void TComConfigureForm::HelpButtonClick()
{
    m_services.showHelp(kHelpTopic);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TComConfigureForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TComConfigureForm(c.port, c.services, c.owner);
})
