#pragma once
// The upload: sends the setup image to the indicator. One tick() every 50 ms:
//   0 status request  1 await 'I' (40 events)  2 write command sent, hand the image
//   to the port in pieces as the line takes them (within the write time-out)
//   3 await ACK (400 events from the last byte on the line)  4 failed: reset
//   sequence, message shown by the owner.
// The image is only read, so a failed upload leaves the setup untouched. Cancel in
// the middle of the image drops the rest and resets the indicator.

#include <optional>
#include <string_view>

#include "model/setup.h"
#include "transfer/block_sender.h"
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
    // The bytes of the image that have left the line.
    std::size_t blockBytes() const override { return m_sent; }
    void cancel() override;

private:
    void sendImage();
    TransferStep awaitAck();

    const SetupImage m_source;
    std::optional<BlockSender> m_sender;  // while the image is being sent
    std::size_t m_sent = 0;
};

}  // namespace quelvar
