#pragma once
// The download: reads the indicator's setup image. One tick() every 100 ms:
//   0 status request  1 await 'I' (20 events), read command  2 receive every byte
//   waiting (no time-out: Cancel ends it)  3 check the block  4 failed.
// The block is received into a staging buffer and copied into the target image only
// when its check bytes verify, so a corrupted block or a Cancel leaves the setup as
// it was.

#include <string_view>

#include "model/setup.h"
#include "transfer/transfer_session.h"

namespace quelvar {

class DownloadSession : public TransferSession {
public:
    static constexpr int kIntervalMs = 100;
    static constexpr int kStatusLimit = 20;
    static constexpr std::string_view kCompleteText = "Download Complete";

    // Purges the port and sends the reset sequence; `target` must outlive the session.
    DownloadSession(ComPort& port, SetupImage& target);

    TransferStep tick() override;
    int intervalMs() const override { return kIntervalMs; }
    std::string_view completionText() const override { return kCompleteText; }
    int receivedCount() const { return m_receivedCount; }
    std::size_t blockBytes() const override { return static_cast<std::size_t>(m_receivedCount); }

private:
    void receive();
    TransferStep check();

    SetupImage& m_target;
    SetupImage m_staging{};
    int m_receivedCount = 0;
};

}  // namespace quelvar
