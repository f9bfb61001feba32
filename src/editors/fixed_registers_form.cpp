#include "editors/fixed_registers_form.h"

#include "model/decimal_text.h"
#include "ui/context_help.h"
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

namespace {
// Ten digits, a point and a sign.
constexpr int kDecimalLength = 12;
}  // namespace

TCfgFixedSetpointsForm::TCfgFixedSetpointsForm(SetupImage& image, Services& services,
                                               QWidget* owner)
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Fixed Setpoint Registers");
    buildLayout();
    m_fields.load();
    connect(OKButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgFixedSetpointsForm::helpButtonClick);
    setHelpTopic(this, "CfgFixed");
    installContextHelp(this, services);
}

// Bytes that are no packed decimal (an erased image) show an empty box and stay
// while it is left alone. Alt and the register's last digit reach its box.
void TCfgFixedSetpointsForm::buildLayout()
{
    auto* fields = new QFormLayout;
    for (int reg = kFirstFixedRegister; reg <= kLastFixedRegister; ++reg) {
        const QByteArray name = QString("Reg%1EditBox").arg(reg).toLatin1();
        QLineEdit* box = formEditBox(name.constData(), 14);
        RegEditBoxes[reg - kFirstFixedRegister] = box;
        DialogField& field =
            m_fields.add(box, QString("Register %1&%2").arg(reg / 10).arg(reg % 10),
                         "fixed_registers.register_" + std::to_string(reg), kDecimalLength);
        field.show = [box](const std::optional<text::Value>& value) {
            const std::string text = value ? text::textOf(*value) : std::string();
            box->setText(parseDecimalText(text) ? fromSetupText(text) : QString());
        };
        fields->addRow(field.label, box);
    }
    OKButton = formButton("OKButton", kOkCaption);
    cancelButton = formButton("cancelButton", kCancelCaption);
    helpButton = formButton("helpButton", kHelpCaption);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));
}

void TCfgFixedSetpointsForm::OKButtonClick()
{
    if (m_fields.store()) accept();
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
