#include "transfer/download_session.h"

#include "model/check_bytes.h"
#include "serial/com_port.h"
#include "transfer/link.h"

namespace quelvar {

DownloadSession::DownloadSession(ComPort& port, SetupImage& target)
    : TransferSession(port), m_target(target)
{
}

TransferStep DownloadSession::tick()
{
    ++m_ticks;
    switch (m_state) {
    case 0:
        m_receivedCount = 0;  // the block is stored from offset 0
        requestStatus();
        break;
    case 1:
        if (statusReady(kStatusLimit, "Indicator Busy")) {
            SendReadCommand(m_port);
            m_state = 2;
        }
        break;
    case 2: receive(); break;
    case 3: return check();
    case 4: return finishFailed();
    }
    return TransferStep::Running;
}

// Takes every byte already waiting, but never more than the block: bytes after the
// 2048th stay queued for the next exchange's purge.
void DownloadSession::receive()
{
    const int size = static_cast<int>(m_staging.size());
    while (m_receivedCount < size) {
        const int byte = m_port.ReadByte();
        if (byte < 0) break;
        m_staging[static_cast<std::size_t>(m_receivedCount++)] = static_cast<std::uint8_t>(byte);
    }
    if (m_receivedCount == size) m_state = 3;
    // The count is shown every fourth event, and always once the block is complete.
    if (m_ticks % 4 == 3 || m_state == 3) setProgress(std::to_string(m_receivedCount));
}

TransferStep DownloadSession::check()
{
    if (!VerifyCheckBytes(m_staging)) {
        fail("Check-sum error reading earom data.");
        return TransferStep::Running;
    }
    m_target = m_staging;
    return finishSucceeded();
}

}  // namespace quelvar
