#include "app/about_box.h"

#include "ui/form_parts.h"
#include "ui/program_icon.h"
#include "ui/screenshot_registry.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace quelvar {

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner), ProgramIcon(new QLabel(this)), ProductName(new QLabel("Quelvar", this)),
      Version(new QLabel("Version 2.0", this)), OKButton(new QPushButton(kOkCaption, this))
{
    setObjectName("TAboutBox");
    setWindowTitle("About  Quelvar");
    ProgramIcon->setObjectName("ProgramIcon");
    ProductName->setObjectName("ProductName");
    Version->setObjectName("Version");
    OKButton->setObjectName("OKButton");

    ProgramIcon->setPixmap(programIcon().pixmap(64, 64));
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    ProductName->setFont(big);
    OKButton->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(ProductName, 0, 1);
    layout->addWidget(Version, 1, 1);
    layout->addWidget(OKButton, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setRowMinimumHeight(1, 32);
    layout->setContentsMargins(20, 16, 20, 12);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(std::max(sizeHint().width(), 280), sizeHint().height());
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TAboutBox,
                   [](quelvar::ScreenshotContext& c) { return new quelvar::TAboutBox(c.owner); })
