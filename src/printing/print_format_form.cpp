#include "printing/print_format_form.h"

#include "printing/page_items_form.h"
#include "ui/context_help.h"
#include "ui/dialog_button.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TPrintFormatForm::TPrintFormatForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Page Print Format");
    auto* layout = new QVBoxLayout(this);
    for (int page = 1; page <= 4; ++page) {
        auto* button =
            dialogButton(QString("FP%1Button").arg(page), QString("Format Page &%1").arg(page));
        connect(button, &QPushButton::clicked, this, [this, page] { FPButtonClick(page); });
        layout->addWidget(button);
        FPButtons[static_cast<std::size_t>(page - 1)] = button;
    }
    FPButtons[0]->setDefault(true);
    layout->addSpacing(fontMetrics().height() / 2);
    // Close does what Cancel does elsewhere, and carries its letter.
    CloseButton = dialogButton("CloseButton", "&Close");
    HelpButton = dialogButton("HelpButton", kHelpCaption);
    layout->addWidget(CloseButton);
    layout->addWidget(HelpButton);
    setMinimumWidth(fontMetrics().averageCharWidth() * 36);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TPrintFormatForm::HelpButtonClick);
    setHelpTopic(this, "CfgPage");
    installContextHelp(this, m_services);
}

void TPrintFormatForm::FPButtonClick(int page)
{
    TCfgPageItemsForm items(m_image, m_services, page, this);
    items.exec();
}

void TPrintFormatForm::HelpButtonClick()
{
    m_services.showHelp("CfgPage");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TPrintFormatForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TPrintFormatForm(c.setup.image, c.services, c.owner);
})
