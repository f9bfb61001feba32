#pragma once
// The upload dialog: sends the setup image to the indicator when the user presses
// Begin. Opening it purges the port and sends the reset sequence.
//
//     TUploadForm form(port, document.setup.image, fileName, services, owner);
//     form.exec();

#include "model/setup.h"
#include "transfer/transfer_form.h"
#include "transfer/upload_session.h"

namespace quelvar {

class ComPort;

class TUploadForm : public TransferForm {
    Q_OBJECT
public:
    TUploadForm(ComPort& port, const SetupImage& image, const QString& fileName, Services& services,
                QWidget* owner = nullptr);

public slots:
    void UploadTimerTimer();

private:
    QLabel* FileNameText;
    QLabel* ByteCountText;
    QTimer* UploadTimer;
};

}  // namespace quelvar
