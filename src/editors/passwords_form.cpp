#include "editors/passwords_form.h"

#include "editors/passwords.h"
#include "ui/context_help.h"
#include "ui/digit_keys.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TCfgPasswordsForm::TCfgPasswordsForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Configure Passwords");
    buildLayout();
    // A password is shown as stored, even one the keypad could not enter.
    Pass1Edit->setText(fromSetupText(passwordText(image, 1)));
    Pass2Edit->setText(fromSetupText(passwordText(image, 2)));
    connect(OkButton, &QPushButton::clicked, this, &TCfgPasswordsForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgPasswordsForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgPasswordsForm::HelpButtonClick);
    setHelpTopic(this, "CfgPasswords");
    installContextHelp(this, services);
}

QLineEdit* TCfgPasswordsForm::passwordBox(const char* name)
{
    QLineEdit* box = formEditBox(name, kPasswordLength + 2);
    box->setMaxLength(kPasswordLength);
    box->setValidator(digitsOnlyValidator(box));
    box->installEventFilter(this);
    return box;
}

void TCfgPasswordsForm::buildLayout()
{
    Pass1Edit = passwordBox("Pass1Edit");
    Pass2Edit = passwordBox("Pass2Edit");
    OkButton = formButton("OkButton", "OK");
    CancelButton = formButton("CancelButton", "Cancel");
    HelpButton = formButton("HelpButton", "Help");

    auto* fields = new QFormLayout;
    fields->addRow(buddyLabel("Password 1", Pass1Edit), Pass1Edit);
    fields->addRow(buddyLabel("Password 2", Pass2Edit), Pass2Edit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({OkButton, CancelButton, HelpButton}));
}

bool TCfgPasswordsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == Pass1Edit) return Pass1EditKeyPress(key);
        if (watched == Pass2Edit) return Pass2EditKeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

// The indicator's keypad enters digits only.
bool TCfgPasswordsForm::Pass1EditKeyPress(const QKeyEvent& key)
{
    return isNonDigitKey(key);
}

bool TCfgPasswordsForm::Pass2EditKeyPress(const QKeyEvent& key)
{
    return isNonDigitKey(key);
}

void TCfgPasswordsForm::OkButtonClick()
{
    storePassword(m_image, 1, toSetupText(Pass1Edit->text()));
    storePassword(m_image, 2, toSetupText(Pass2Edit->text()));
    accept();
}

void TCfgPasswordsForm::CancelButtonClick()
{
    reject();
}

void TCfgPasswordsForm::HelpButtonClick()
{
    m_services.showHelp("CfgPasswords");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgPasswordsForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgPasswordsForm(c.setup.image, c.services, c.owner);
})
