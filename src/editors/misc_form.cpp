#include "editors/misc_form.h"

#include "editors/aout_form.h"
#include "editors/form_parts.h"
#include "editors/misc_settings.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {

QRadioButton* radioButton(const char* name, const char* text)
{
    auto* button = new QRadioButton(text);
    button->setObjectName(name);
    return button;
}

}  // namespace

TMiscForm::TMiscForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Miscelaneous");
    buildLayout();
    DispIntensityEditBox->setText(QString::number(displayIntensity(image)));
    const auto features = featureSwitches();
    for (std::size_t i = 0; i < features.size(); ++i) {
        const auto [on, off] = m_switchButtons[i];
        (isFeatureOn(image, features[i]) ? on : off)->setChecked(true);
    }
    connect(OKButton, &QPushButton::clicked, this, &TMiscForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TMiscForm::CancelButtonClick);
    connect(CfgAO, &QPushButton::clicked, this, &TMiscForm::CfgAOClick);
    connect(HelpButton, &QPushButton::clicked, this, &TMiscForm::HelpButtonClick);
    setHelpTopic(this, "CfgMisc");
    installContextHelp(this, services);
}

QWidget* TMiscForm::switchBox(std::size_t index)
{
    const FeatureSwitch& feature = featureSwitches()[index];
    auto* box = new QGroupBox(feature.caption);
    auto* on = radioButton(feature.onName, feature.onText);
    auto* off = radioButton(feature.offName, feature.offText);
    auto* row = new QHBoxLayout(box);
    row->addWidget(on);
    row->addWidget(off);
    row->addStretch();
    m_switchButtons.emplace_back(on, off);
    return box;
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

    // Standard features in the left column, optional ones in the right.
    auto* grid = new QGridLayout;
    grid->addWidget(headingLabel("Standard Features"), 0, 0);
    grid->addWidget(headingLabel("Optional Features"), 0, 1);
    int rows[2] = {1, 1};
    for (std::size_t i = 0; i < featureSwitches().size(); ++i) {
        const int column = featureSwitches()[i].optional ? 1 : 0;
        grid->addWidget(switchBox(i), rows[column]++, column);
    }
    grid->addWidget(intensityBox, rows[0], 0);
    grid->setRowStretch(rows[0] + 1, 1);

    auto* buttons = buttonRow({OKButton, CancelButton, HelpButton});
    buttons->insertWidget(0, CfgAO);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
}

void TMiscForm::storeFields()
{
    storeDisplayIntensity(m_image, toInt(DispIntensityEditBox->text()));
    const auto features = featureSwitches();
    for (std::size_t i = 0; i < features.size(); ++i)
        storeFeature(m_image, features[i], m_switchButtons[i].first->isChecked());
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
