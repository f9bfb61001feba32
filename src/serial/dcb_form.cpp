#include "serial/dcb_form.h"

#include "serial/port_settings.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quelvar {

namespace {
constexpr int kGridRows = 26;  // the last two stay empty
constexpr const char* kHelpTopic = "ControlBlock";
}  // namespace

TDCBform::TDCBform(const ControlBlock& block, Services& services, QWidget* owner)
    : QDialog(owner), m_services(services)
{
    setWindowTitle("Device Control Block");
    auto* heading = new QLabel("Device Control Block");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    DCBgrid = new QTableWidget(kGridRows, 2);
    DCBgrid->setObjectName("DCBgrid");
    DCBgrid->horizontalHeader()->hide();
    DCBgrid->horizontalHeader()->setStretchLastSection(true);
    DCBgrid->verticalHeader()->hide();
    DCBgrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DCBgrid->setTabKeyNavigation(false);
    fillGrid(block);

    dcbOK = new QPushButton(kOkCaption);
    dcbOK->setObjectName("dcbOK");
    dcbOK->setDefault(true);
    HelpButton = new QPushButton(kHelpCaption);
    HelpButton->setObjectName("HelpButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(dcbOK);
    buttons->addWidget(HelpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(DCBgrid, 1);
    layout->addLayout(buttons);

    connect(dcbOK, &QPushButton::clicked, this, &TDCBform::dcbOKClick);
    connect(HelpButton, &QPushButton::clicked, this, &TDCBform::HelpButtonClick);
    setHelpTopic(this, kHelpTopic);
    installContextHelp(this, m_services);
    dcbOK->setFocus();
}

// Both columns wide enough for their longest text, every row in view.
void TDCBform::fillGrid(const ControlBlock& block)
{
    int row = 0;
    for (const auto& [name, value] : controlBlockRows(block)) {
        DCBgrid->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(name)));
        DCBgrid->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(value)));
        ++row;
    }
    DCBgrid->resizeColumnsToContents();
    DCBgrid->resizeRowsToContents();
    const int width = DCBgrid->columnWidth(0) + DCBgrid->columnWidth(1) + 2 * DCBgrid->frameWidth();
    DCBgrid->setMinimumSize(width + 24,
                            DCBgrid->rowHeight(0) * kGridRows + 2 * DCBgrid->frameWidth());
}

void TDCBform::dcbOKClick()
{
    accept();
}

void TDCBform::HelpButtonClick()
{
    m_services.showHelp(kHelpTopic);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TDCBform, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TDCBform(quelvar::freshPortControlBlock(), c.services, c.owner);
})
