#include "editors/misc_form.h"

#include "editors/aout_form.h"
#include "ui/form_parts.h"
#include "editors/misc_settings.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/radio_group.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TMiscForm::TMiscForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Miscelaneous");
    buildLayout();
    DispIntensityEditBox->setText(QString::number(displayIntensity(image)));
    const auto features = featureSwitches();
    for (std::size_t i = 0; i < features.size(); ++i)
        m_switchGroups[i]->setItemIndex(isFeatureOn(image, features[i]) ? 0 : 1);
    connect(OKButton, &QPushButton::clicked, this, &TMiscForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TMiscForm::CancelButtonClick);
    connect(CfgAO, &QPushButton::clicked, this, &TMiscForm::CfgAOClick);
    connect(HelpButton, &QPushButton::clicked, this, &TMiscForm::HelpButtonClick);
    setHelpTopic(this, "CfgMisc");
    installContextHelp(this, services);
}

RadioGroup* TMiscForm::switchGroup(const FeatureSwitch& feature)
{
    auto* group = new RadioGroup(feature.caption, {feature.onText, feature.offText});
    group->item(0)->setObjectName(feature.onName);
    group->item(1)->setObjectName(feature.offName);
    return group;
}

void TMiscForm::buildLayout()
{
    DispIntensityEditBox = formEditBox("DispIntensityEditBox", 5);
    CfgAO = formButton("CfgAO", "Configure Analog Output");
    CfgAO->setAutoDefault(false);
    OKButton = formButton("OKButton", "OK");
    CancelButton = formButton("CancelButton", "Cancel");
    HelpButton = formButton("HelpButton", "Help");

    auto* intensityBox = new QGroupBox("Display Intensity");
    auto* intensityRow = new QHBoxLayout(intensityBox);
    intensityRow->addWidget(DispIntensityEditBox);
    intensityRow->addStretch();

    // Standard features in the left column, optional ones in the right. Tab goes
    // down the left column first: the order the boxes join the dialog in.
    auto* standard = new QVBoxLayout;
    auto* optional = new QVBoxLayout;
    standard->addWidget(headingLabel("Standard Features"));
    optional->addWidget(headingLabel("Optional Features"));
    for (const FeatureSwitch& feature : featureSwitches()) {
        m_switchGroups.push_back(switchGroup(feature));
        (feature.optional ? optional : standard)->addWidget(m_switchGroups.back());
    }
    standard->addWidget(intensityBox);
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

void TMiscForm::storeFields()
{
    storeDisplayIntensity(m_image, toInt(DispIntensityEditBox->text()));
    const auto features = featureSwitches();
    for (std::size_t i = 0; i < features.size(); ++i)
        storeFeature(m_image, features[i], m_switchGroups[i]->itemIndex() == 0);
}

void TMiscForm::OKButtonClick()
{
    if (runGuarded(m_services, [this] { storeFields(); })) accept();
}

void TMiscForm::CancelButtonClick()
{
    reject();
}

// The analog output dialog stores on its own OK: cancelling this dialog afterwards
// does not undo it.
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
