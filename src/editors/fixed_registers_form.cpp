#include "editors/fixed_registers_form.h"

#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TCfgFixedSetpointsForm::TCfgFixedSetpointsForm(SetupImage& image, Services& services,
                                               QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Fixed Setpoint Registers");
    buildLayout();
    for (int reg = kFirstFixedRegister; reg <= kLastFixedRegister; ++reg)
        RegEditBoxes[reg - kFirstFixedRegister]->setText(
            fromSetupText(fixedRegisterText(image, reg)));
    connect(OKButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::helpButtonClick);
    setHelpTopic(this, "CfgFixed");
    installContextHelp(this, services);
}

void TCfgFixedSetpointsForm::buildLayout()
{
    auto* fields = new QFormLayout;
    for (int reg = kFirstFixedRegister; reg <= kLastFixedRegister; ++reg) {
        const QByteArray name = QString("Reg%1EditBox").arg(reg).toLatin1();
        QLineEdit* box = formEditBox(name.constData(), 14);
        RegEditBoxes[reg - kFirstFixedRegister] = box;
        fields->addRow(buddyLabel(QString("Register %1").arg(reg), box), box);
    }
    OKButton = formButton("OKButton", "OK");
    cancelButton = formButton("cancelButton", "Cancel");
    helpButton = formButton("helpButton", "Help");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));
}

// Registers are stored in order; text that is not a decimal number stops there,
// the registers before it keeping their new values.
void TCfgFixedSetpointsForm::storeFields()
{
    for (int reg = kFirstFixedRegister; reg <= kLastFixedRegister; ++reg)
        storeFixedRegister(m_image, reg,
                           toDecimal(RegEditBoxes[reg - kFirstFixedRegister]->text()));
}

void TCfgFixedSetpointsForm::OKButtonClick()
{
    if (runGuarded(m_services, [this] { storeFields(); })) accept();
}

void TCfgFixedSetpointsForm::cancelButtonClick()
{
    reject();
}

void TCfgFixedSetpointsForm::helpButtonClick()
{
    m_services.showHelp("CfgFixed");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgFixedSetpointsForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgFixedSetpointsForm(c.setup.image, c.services, c.owner);
})
