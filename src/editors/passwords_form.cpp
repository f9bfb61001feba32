#include "editors/passwords_form.h"

#include "editors/passwords.h"
#include "ui/context_help.h"
#include "ui/digit_keys.h"
#include "ui/form_parts.h"
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
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Configure Passwords");
    buildLayout();
    m_fields.load();
    connect(OkButton, &QPushButton::clicked, this, &TCfgPasswordsForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgPasswordsForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgPasswordsForm::HelpButtonClick);
    setHelpTopic(this, "CfgPasswords");
    installContextHelp(this, services);
}

// A password is shown as stored, even one the keypad could not enter; left alone,
// it keeps its bytes (a slot of seven digits shows its first six).
QLineEdit* TCfgPasswordsForm::passwordBox(QFormLayout* rows, const char* name, int password)
{
    QLineEdit* box = formEditBox(name, kPasswordLength + 2);
    box->setValidator(digitsOnlyValidator(box));
    box->installEventFilter(this);
    const QString caption = QString("Password &%1").arg(password);
    const std::string path = "passwords.password_" + std::to_string(password);
    rows->addRow(m_fields.add(box, caption, path, kPasswordLength).label, box);
    return box;
}

void TCfgPasswordsForm::buildLayout()
{
    auto* fields = new QFormLayout;
    Pass1Edit = passwordBox(fields, "Pass1Edit", 1);
    Pass2Edit = passwordBox(fields, "Pass2Edit", 2);
    OkButton = formButton("OkButton", kOkCaption);
    CancelButton = formButton("CancelButton", kCancelCaption);
    HelpButton = formButton("HelpButton", kHelpCaption);

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
    if (m_fields.store()) accept();
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
