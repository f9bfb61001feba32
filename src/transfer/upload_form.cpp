#include "transfer/upload_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <cctype>

#include "model/setup_document.h"
#include "text/setup_text.h"
#include "transfer/download_session.h"
#include "transfer/indicator_copy.h"
#include "transfer/upload_changes_form.h"
#include "transfer/upload_session.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

namespace quelvar {

TUploadForm::TUploadForm(ComPort& port, const Setup& setup, const QString& fileName,
                         EditorOptions& options, Services& services, QWidget* owner)
    : TransferForm(services, "Upload", owner), m_port(port), m_setup(setup), m_options(options)
{
    FileNameText = new QLabel(fileName);
    FileNameText->setObjectName("FileNameText");
    FileNameText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ReadFirstBox = new QCheckBox("&Read the indicator's setup first");
    ReadFirstBox->setObjectName("ReadFirstBox");
    ReadFirstBox->setChecked(options.readFirst);
    ReadFirstBox->setToolTip("Keep a backup of what the indicator holds and show what the "
                             "upload changes before anything is written");
    ByteCountText = new QLabel;
    ByteCountText->setObjectName("ByteCountText");
    UploadTimer = new QTimer;
    UploadTimer->setObjectName("UploadTimer");
    connect(UploadTimer, &QTimer::timeout, this, &TUploadForm::UploadTimerTimer);
    setUp("Upload File    PC ---> Indicator", "Upload File to Indicator   [ PC -> Indicator ]",
          {FileNameText, ReadFirstBox, ByteCountText},
          std::make_unique<UploadSession>(port, setup.image), ByteCountText, UploadTimer);
}

// The box stays as it was while something runs, and can be changed again once
// nothing does: after a failed read the technician may upload without one.
void TUploadForm::UploadTimerTimer()
{
    step();
    ReadFirstBox->setEnabled(!session().active());
}

// The box is taken as it stands when Begin is pressed, and remembered from then on.
void TUploadForm::BeginButtonClick()
{
    if (session().active()) return;
    m_options.readFirst = ReadFirstBox->isChecked();
    if (m_options.readFirst)
        startReading();
    else if (m_reading)
        startUploading();  // a read came before: a fresh upload session
    else
        run();
}

void TUploadForm::startReading()
{
    m_reading = true;
    ReadFirstBox->setEnabled(false);
    replaceSession(std::make_unique<DownloadSession>(m_port, m_indicator),
                   [](const std::string& text) {
                       const bool count = !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
                       return count ? QString("Reading the indicator's setup")
                                    : QString::fromStdString(text);
                   });
    run();
}

void TUploadForm::startUploading()
{
    m_reading = false;
    replaceSession(std::make_unique<UploadSession>(m_port, m_setup.image));
    run();
}

void TUploadForm::succeeded()
{
    if (!m_reading) {
        TransferForm::succeeded();
        return;
    }
    switch (afterReading()) {
    case Next::Upload: startUploading(); break;
    case Next::Close: reject(); break;
    case Next::Stay: break;
    }
}

// The indicator's setup is kept before the question; without a backup nothing is
// sent and the dialog stays open.
TUploadForm::Next TUploadForm::afterReading()
{
    const QString fileName = FileNameText->text();
    const BackupResult kept = keepIndicatorImage(
        m_indicator, portName(m_port), "read before uploading " + fileName.toStdString());
    if (!kept.ok()) {
        m_services.error("The indicator's setup could not be kept as a backup, so nothing was "
                         "uploaded.",
                         QString::fromStdString(kept.reason));
        return Next::Stay;
    }
    const auto rows = text::diffSetups(indicatorSetup(m_indicator, m_setup), m_setup);
    bool yes = false;
    if (rows.empty()) {
        yes = m_services.warnYesNo("The indicator already holds this setup.\n\nUpload it anyway?");
    } else {
        TUploadChangesForm question(rows, QString::fromStdString(kept.path), m_services, this);
        yes = question.exec() == QDialog::Accepted;
    }
    return yes ? Next::Upload : Next::Close;
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TUploadForm, [](quelvar::ScreenshotContext& c) {
    static quelvar::EditorOptions options;
    return new quelvar::TUploadForm(c.port, c.setup, QString::fromStdString(c.document.fileName()),
                                    options, c.services, c.owner);
})
