#pragma once
// The upload: sends the setup image to the indicator. One tick() every 50 ms:
//   0 status request  1 await 'I' (40 events)  2 write command sent, send the image
//   3 await ACK (400 events)  4 failed: reset sequence, message shown by the owner.
// The image is only read, so a failed upload leaves the setup untouched.

#include <string_view>

#include "model/setup.h"
#include "transfer/transfer_session.h"

namespace quelvar {

class UploadSession : public TransferSession {
public:
    static constexpr int kIntervalMs = 50;
    static constexpr int kStatusLimit = 40;
    static constexpr int kAckLimit = 400;
    static constexpr std::string_view kCompleteText = "+++  Upload Complete  +++";

    // Purges the port and sends the reset sequence. The session keeps its own copy
    // of the image it sends.
    UploadSession(ComPort& port, const SetupImage& source);

    TransferStep tick() override;
    int intervalMs() const override { return kIntervalMs; }
    std::string_view completionText() const override { return kCompleteText; }

private:
    void sendImage();
    TransferStep awaitAck();

    const SetupImage m_source;
};

}  // namespace quelvar
