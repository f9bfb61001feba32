#include "editors/misc_form.h"

#include "editors/aout_form.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/radio_group.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {

// A feature switch: one byte, any non-zero value on; its radio buttons, "on" first.
struct FeatureSwitch {
    const char* path;
    bool optional;        // an optional feature of the indicator, else a standard one
    const char* caption;  // the choice's group box
    const char* onName;
    const char* onText;
    const char* offName;
    const char* offText;
};

constexpr FeatureSwitch kFeatureSwitches[] = {
    {"misc.ttl_inputs_activate_functions", false, "&TTL Inputs Activate Tallyscript Functions",
     "ATSFenable", "Enable", "ATSFdisable", "Disable"},
    {"misc.watchdog_timer", false, "&Watch-Dog Timer", "WDTEnable", "Enable", "WDTDisable",
     "Disable"},
    {"misc.battery_installed", false, "&Battery", "BatInButton", "Installed", "BatOutButton",
     "Not Installed"},
    {"misc.multi_point_linearization", true, "&Multi-point Linearization", "MPLEButton", "Enable",
     "MPLDButton", "Disable"},
    {"misc.peak_detect", true, "&Peak Detect", "PDEButton", "Enable", "PDDButton", "Disable"},
    {"misc.id_auto_erase", true, "&ID Auto-erase", "IDAEyes", "Enable", "IDAEno", "Disable"},
};

RadioGroup* switchGroup(const FeatureSwitch& feature)
{
    auto* group = new RadioGroup(feature.caption, {feature.onText, feature.offText});
    group->item(0)->setObjectName(feature.onName);
    group->item(1)->setObjectName(feature.offName);
    return group;
}

}  // namespace

TMiscForm::TMiscForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services), m_fields(image, services)
{
    setWindowTitle("Miscellaneous");
    buildLayout();
    m_fields.load();
    connect(OKButton, &QPushButton::clicked, this, &TMiscForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TMiscForm::CancelButtonClick);
    connect(CfgAO, &QPushButton::clicked, this, &TMiscForm::CfgAOClick);
    connect(HelpButton, &QPushButton::clicked, this, &TMiscForm::HelpButtonClick);
    setHelpTopic(this, "CfgMisc");
    installContextHelp(this, services);
}

void TMiscForm::buildLayout()
{
    DispIntensityEditBox = formEditBox("DispIntensityEditBox", 5);
    CfgAO = formButton("CfgAO", "Configure &Analog Output");
    CfgAO->setAutoDefault(false);
    OKButton = formButton("OKButton", kOkCaption);
    CancelButton = formButton("CancelButton", kCancelCaption);
    HelpButton = formButton("HelpButton", kHelpCaption);

    // Standard features in the left column, optional ones in the right. Tab goes
    // down the left column first: the order the boxes join the dialog in.
    auto* standard = new QVBoxLayout;
    auto* optional = new QVBoxLayout;
    standard->addWidget(headingLabel("Standard Features"));
    optional->addWidget(headingLabel("Optional Features"));
    for (const FeatureSwitch& feature : kFeatureSwitches) {
        RadioGroup* group = switchGroup(feature);
        m_fields.add(group, feature.path);
        (feature.optional ? optional : standard)->addWidget(group);
    }
    auto* intensityRow = new QHBoxLayout;
    intensityRow->addWidget(
        m_fields.add(DispIntensityEditBox, "&Display Intensity", "misc.display_intensity").label);
    intensityRow->addWidget(DispIntensityEditBox);
    intensityRow->addStretch();
    standard->addLayout(intensityRow);
    auto* columns = new QHBoxLayout;
    for (auto* column : {standard, optional}) {
        column->addStretch();
        columns->addLayout(column);
    }

    auto* buttons = buttonRow({OKButton, CancelButton, HelpButton});
    buttons->insertWidget(0, CfgAO);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

void TMiscForm::OKButtonClick()
{
    if (m_fields.store()) accept();
}

void TMiscForm::CancelButtonClick()
{
    reject();
}

// The analog output dialog stores on its own OK: cancelling this dialog afterwards
// does not undo it, and this dialog's OK stores only its own fields.
void TMiscForm::CfgAOClick()
{
    TCfgAoutForm analogOutput(m_image, m_services, this);
    analogOutput.exec();
}

void TMiscForm::HelpButtonClick()
{
    m_services.showHelp("CfgMisc");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TMiscForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TMiscForm(c.setup.image, c.services, c.owner);
})
