#pragma once
// The download dialog: reads the indicator's setup image into `image` when the
// user presses Begin. The image changes only when a whole block with sound check
// bytes has arrived. Opening it purges the port and sends the reset sequence; the
// main window also opens one, hidden, at start-up for exactly that.
//
// Given the editor's options it offers "Keep a copy in the backups folder"
// (remembered from Begin on): each image received is then also kept as a backup.
//
//     TDownloadForm form(port, document.setup().image, services, owner, &options);
//     form.exec();

#include "model/editor_options.h"
#include "model/setup.h"
#include "transfer/transfer_form.h"

class QCheckBox;

namespace quelvar {

class ComPort;

class TDownloadForm : public TransferForm {
    Q_OBJECT
public:
    TDownloadForm(ComPort& port, SetupImage& image, Services& services, QWidget* owner = nullptr,
                  EditorOptions* options = nullptr);

    // For a read whose result the owner shows at once (a comparison): the dialog
    // closes without the completion box.
    void leaveOutCompletionBox() { m_completionBox = false; }

public slots:
    void DownloadTimerTimer();
    void BeginButtonClick() override;

protected:
    void succeeded() override;

private:
    ComPort& m_port;
    SetupImage& m_image;
    EditorOptions* m_options;
    bool m_completionBox = true;

    QLabel* StatusText;
    QCheckBox* BackupBox = nullptr;
    QTimer* DownloadTimer;
};

}  // namespace quelvar
