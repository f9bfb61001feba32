#include "serial/com_configure_form.h"

#include "serial/com_test_form.h"
#include "serial/dcb_form.h"
#include "serial/port_messages.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/radio_group.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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

// The group's caption with `letter` as its Alt-letter.
RadioGroup* makeGroup(SettingGroup group, const char* name, QChar letter)
{
    QStringList items;
    for (const char* item : settingGroupItems(group))
        items << item;
    QString caption = settingGroupCaption(group);
    caption.insert(caption.indexOf(letter), '&');
    auto* radio = new RadioGroup(caption, items);
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
    m_groups = {RGcomPort = makeGroup(SettingGroup::Port, "RGcomPort", 'P'),
                baudGroup = makeGroup(SettingGroup::Baud, "baudGroup", 'B'),
                parityGroup = makeGroup(SettingGroup::Parity, "parityGroup", 'a'),
                databitsGroup = makeGroup(SettingGroup::DataBits, "databitsGroup", 'D'),
                stopbitsGroup = makeGroup(SettingGroup::StopBits, "stopbitsGroup", 'S')};
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
    groups->addLayout(buildDeviceList(), 1, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeButton(ComTestButton, "ComTestButton", "&Test"));
    buttons->addWidget(makeButton(DispDCBButton, "DispDCBButton", "Disp&lay DCB"));
    buttons->addStretch();
    buttons->addWidget(makeButton(ConfigureOKButton, "ConfigureOKButton", kOkCaption));
    buttons->addWidget(makeButton(ConfigureCancelButton, "ConfigureCancelButton", kCancelCaption));
    buttons->addWidget(makeButton(HelpButton, "HelpButton", kHelpCaption));
    ConfigureOKButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

QLayout* TComConfigureForm::buildDeviceList()
{
    deviceList = new QListWidget;
    deviceList->setObjectName("deviceList");
    const QFontMetrics metrics(deviceList->font());
    deviceList->setMinimumHeight(metrics.lineSpacing() * 5);
    deviceList->setMaximumHeight(metrics.lineSpacing() * 8 + 2 * deviceList->frameWidth());
    auto* caption =
        new QLabel("Serial de&vices present (choosing one maps the chosen port to it):");
    caption->setBuddy(deviceList);
    auto* row = new QHBoxLayout;
    row->addWidget(deviceList, 1);
    row->addWidget(makeButton(RefreshButton, "RefreshButton", "&Refresh"), 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    column->addWidget(caption);
    column->addLayout(row);
    return column;
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
    connect(RefreshButton, &QPushButton::clicked, this, &TComConfigureForm::RefreshButtonClick);
    connect(deviceList, &QListWidget::currentRowChanged, this, &TComConfigureForm::deviceChosen);
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
    m_chosenDevices = m_port.devices();
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->setItemIndex(shownSettingItem(m_chosen, kSettingGroups[i]));
    listDevices();
}

void TComConfigureForm::groupClick(SettingGroup group, int index)
{
    chooseSettingItem(m_chosen, group, index);
    if (group != SettingGroup::Port) return;
    showDevice();
    selectMappedDevice();
}

void TComConfigureForm::showDevice()
{
    deviceLabel->setText(QString::fromStdString(
        mappedDeviceText(devicePathForPort(m_chosen.portNumber, m_chosenDevices), m_rows)));
}

// An adapter plugged in meanwhile shows up; the mapping chosen so far stays.
void TComConfigureForm::listDevices()
{
    m_rows = deviceChoices(listSerialDevices(m_deviceRoot), m_chosenDevices, m_deviceRoot);
    const QSignalBlocker quiet(deviceList);
    deviceList->clear();
    for (const SerialDevice& device : m_rows)
        deviceList->addItem(QString::fromStdString(deviceChoiceText(device)));
    selectMappedDevice();
    showDevice();
}

void TComConfigureForm::selectMappedDevice()
{
    const SerialDevice* mapped =
        findSerialDevice(m_rows, devicePathForPort(m_chosen.portNumber, m_chosenDevices));
    const QSignalBlocker quiet(deviceList);
    deviceList->setCurrentRow(mapped ? int(mapped - m_rows.data()) : -1);
}

void TComConfigureForm::deviceChosen(int row)
{
    if (row < 0 || shownSettingItem(m_chosen, SettingGroup::Port) < 0) return;
    m_chosenDevices["com" + std::to_string(m_chosen.portNumber)] =
        m_rows[std::size_t(row)].preferredName();
    showDevice();
}

void TComConfigureForm::RefreshButtonClick()
{
    listDevices();
}

bool TComConfigureForm::choicesChanged() const
{
    return m_chosen != m_start || m_chosenDevices != m_port.devices();
}

// After applying, the device is asked what it holds: a setting it did not take (a
// pty keeps 8 data bits) is said once.
void TComConfigureForm::applyChosen()
{
    m_port.setDevices(m_chosenDevices);
    switch (applyPortSettings(m_port, m_start, m_chosen)) {
    case ApplyResult::OpenFailed: reportOpenFailure(m_services, m_port); break;
    case ApplyResult::ConfigureFailed: reportConfigureFailure(m_services, m_port); break;
    case ApplyResult::Applied:
        if (const std::string missing = settingsNotTaken(m_chosen, m_port.GetControlBlock());
            !missing.empty())
            m_services.error(QString::fromStdString(missing));
        break;
    }
}

void TComConfigureForm::ConfigureOKButtonClick()
{
    if (choicesChanged() || portNeedsApplying(m_port, m_start, m_chosen)) applyChosen();
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
    if (choicesChanged()) {
        const Answer answer = m_services.askYesNoCancel("Configuration has changed. Save changes?",
                                                        "Com Port change -");
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) applyChosen();
        FormActivate();
    }
    // A closed port is opened as OK opens it: a terminal on a closed port shows nothing.
    if (!m_port.isOpen()) applyChosen();
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
