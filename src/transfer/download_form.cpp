#include "transfer/download_form.h"

#include <QLabel>
#include <QTimer>

#include "ui/screenshot_registry.h"

namespace quelvar {

TDownloadForm::TDownloadForm(ComPort& port, SetupImage& image, Services& services, QWidget* owner)
    : TransferForm(services, "Download", owner)
{
    StatusText = new QLabel;
    StatusText->setObjectName("StatusText");
    DownloadTimer = new QTimer;
    DownloadTimer->setObjectName("DownloadTimer");
    connect(DownloadTimer, &QTimer::timeout, this, &TDownloadForm::DownloadTimerTimer);
    setUp("Download File    PC <--- Indicator",
          "Download File from Indicator   [ PC <- Indicator ]", {StatusText},
          std::make_unique<DownloadSession>(port, image), StatusText, DownloadTimer);
}

void TDownloadForm::DownloadTimerTimer()
{
    step();
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TDownloadForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TDownloadForm(c.port, c.setup.image, c.services, c.owner);
})
