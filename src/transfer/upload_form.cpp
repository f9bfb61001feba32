#include "transfer/upload_form.h"

#include <QLabel>
#include <QTimer>

#include "model/setup_document.h"
#include "ui/screenshot_registry.h"

namespace quelvar {

TUploadForm::TUploadForm(ComPort& port, const SetupImage& image, const QString& fileName,
                         Services& services, QWidget* owner)
    : TransferForm(services, "Upload", owner)
{
    FileNameText = new QLabel(fileName);
    FileNameText->setObjectName("FileNameText");
    FileNameText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ByteCountText = new QLabel;
    ByteCountText->setObjectName("ByteCountText");
    UploadTimer = new QTimer;
    UploadTimer->setObjectName("UploadTimer");
    connect(UploadTimer, &QTimer::timeout, this, &TUploadForm::UploadTimerTimer);
    setUp("Upload File    PC ---> Indicator", "Upload File to Indicator   [ PC -> Indicator ]",
          {FileNameText, ByteCountText}, std::make_unique<UploadSession>(port, image),
          ByteCountText, UploadTimer);
}

void TUploadForm::UploadTimerTimer()
{
    step();
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TUploadForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TUploadForm(
        c.port, c.setup.image, QString::fromStdString(c.document.fileName()), c.services, c.owner);
})
