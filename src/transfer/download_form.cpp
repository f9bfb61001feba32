#include "transfer/download_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>

#include "transfer/download_session.h"
#include "transfer/indicator_copy.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

namespace quelvar {

TDownloadForm::TDownloadForm(ComPort& port, SetupImage& image, Services& services,
                             QWidget* owner, EditorOptions* options)
    : TransferForm(services, "Download", owner), m_port(port), m_image(image), m_options(options)
{
    StatusText = new QLabel;
    StatusText->setObjectName("StatusText");
    DownloadTimer = new QTimer;
    DownloadTimer->setObjectName("DownloadTimer");
    connect(DownloadTimer, &QTimer::timeout, this, &TDownloadForm::DownloadTimerTimer);
    std::vector<QWidget*> texts;
    if (options) {
        BackupBox = new QCheckBox("&Keep a copy in the backups folder");
        BackupBox->setObjectName("BackupBox");
        BackupBox->setChecked(options->backupDownloads);
        texts.push_back(BackupBox);
    }
    texts.push_back(StatusText);
    setUp("Download File    PC <--- Indicator",
          "Download File from Indicator   [ PC <- Indicator ]", texts,
          std::make_unique<DownloadSession>(port, image), StatusText, DownloadTimer);
}

void TDownloadForm::DownloadTimerTimer()
{
    step();
}

void TDownloadForm::BeginButtonClick()
{
    if (session().active()) return;
    if (BackupBox) m_options->backupDownloads = BackupBox->isChecked();
    run();
}

// A backup that cannot be written is said; the download itself stands.
void TDownloadForm::succeeded()
{
    if (BackupBox && BackupBox->isChecked()) {
        const BackupResult kept = keepIndicatorImage(m_image, portName(m_port), "downloaded");
        if (!kept.ok())
            m_services.error("The downloaded setup could not be kept as a backup.",
                             QString::fromStdString(kept.reason));
    }
    if (m_completionBox)
        TransferForm::succeeded();
    else
        accept();
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TDownloadForm, [](quelvar::ScreenshotContext& c) {
    static quelvar::EditorOptions options;
    return new quelvar::TDownloadForm(c.port, c.setup.image, c.services, c.owner, &options);
})
