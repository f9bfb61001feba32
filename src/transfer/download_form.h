#pragma once
// The download dialog: reads the indicator's setup image into `image` when the
// user presses Begin. The image changes only when a whole block with sound check
// bytes has arrived. Opening it purges the port and sends the reset sequence; the
// main window also opens one, hidden, at start-up for exactly that.
//
//     TDownloadForm form(port, document.setup.image, services, owner);
//     form.exec();

#include "model/setup.h"
#include "transfer/download_session.h"
#include "transfer/transfer_form.h"

namespace quelvar {

class ComPort;

class TDownloadForm : public TransferForm {
    Q_OBJECT
public:
    TDownloadForm(ComPort& port, SetupImage& image, Services& services, QWidget* owner = nullptr);

public slots:
    void DownloadTimerTimer();

private:
    QLabel* StatusText;
    QTimer* DownloadTimer;
};

}  // namespace quelvar
