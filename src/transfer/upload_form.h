#pragma once
// The upload dialog: sends the setup image to the indicator when the user presses
// Begin. Opening it purges the port and sends the reset sequence.
//
// With "Read the indicator's setup first" ticked (the default, remembered in the
// options), Begin first reads the indicator's setup as a download does (same
// messages on failure), keeps it in the backups folder, and shows what the upload
// would change: Yes uploads, No closes the dialog with nothing written. A backup
// that cannot be written stops it before anything is sent. Unticked, Begin uploads
// at once.
//
//     TUploadForm form(port, document.setup(), fileName, options, services, owner);
//     form.exec();

#include "model/editor_options.h"
#include "model/setup.h"
#include "transfer/transfer_form.h"

class QCheckBox;

namespace quelvar {

class ComPort;

class TUploadForm : public TransferForm {
    Q_OBJECT
public:
    TUploadForm(ComPort& port, const Setup& setup, const QString& fileName,
                EditorOptions& options, Services& services, QWidget* owner = nullptr);

public slots:
    void UploadTimerTimer();
    void BeginButtonClick() override;

protected:
    void succeeded() override;

private:
    enum class Next { Upload, Close, Stay };

    void startReading();
    void startUploading();
    // What follows a read: the backup, then the question.
    Next afterReading();

    ComPort& m_port;
    const Setup m_setup;
    EditorOptions& m_options;
    SetupImage m_indicator{};  // what the indicator held, once read
    bool m_reading = false;  // the session held is the read, not the upload

    QLabel* FileNameText;
    QLabel* ByteCountText;
    QCheckBox* ReadFirstBox;
    QTimer* UploadTimer;
};

}  // namespace quelvar
