#include "transfer/upload_session.h"

#include <cstdio>

#include "serial/com_port.h"
#include "transfer/link.h"

namespace quelvar {

UploadSession::UploadSession(ComPort& port, const SetupImage& source)
    : TransferSession(port), m_source(source)
{
}

TransferStep UploadSession::tick()
{
    ++m_ticks;
    switch (m_state) {
    case 0:
        m_sent = 0;
        requestStatus();
        break;
    case 1:
        if (statusReady(kStatusLimit, nullptr)) {  // busy: the message stays as it was
            SendWriteCommand(m_port);
            m_state = 2;
        }
        break;
    case 2: sendImage(); break;
    case 3: return awaitAck();
    case 4: return finishFailed();
    }
    return TransferStep::Running;
}

void UploadSession::sendImage()
{
    if (!m_sender) {
        setProgress("Uploading Data");
        m_sender.emplace(m_port, m_source, kIntervalMs);
    }
    const BlockSender::Progress progress = m_sender->step();
    m_sent = m_sender->sent();
    if (progress == BlockSender::Progress::Sending) return;
    m_sender.reset();
    if (progress == BlockSender::Progress::Failed) {
        char text[64];
        std::snprintf(text, sizeof text, "Write count error: sb %d,  is %d",
                      static_cast<int>(m_source.size()), static_cast<int>(m_sent));
        fail(text);
        return;
    }
    setProgress("Waiting for Indicator Status");
    m_ticks = 0;
    m_state = 3;
}

// The rest of an image cut off is dropped at once; the reset sequence follows it.
void UploadSession::cancel()
{
    const bool cutOff = m_sender && m_sender->underway();
    TransferSession::cancel();
    m_sender.reset();
    if (!cutOff) return;
    m_port.Purge();
    SendResetSequence(m_port);
}

// The byte is read before the time-out test, so an answer in the last event counts.
TransferStep UploadSession::awaitAck()
{
    const int answer = m_port.ReadByte();
    if (answer == kAck) {
        setProgress("+++ Upload Complete +++");
        return finishSucceeded();
    }
    if (answer == kNak)
        fail("Error: Indicator returned NAK");
    else if (m_ticks > kAckLimit)
        fail("Error: timeout waiting for ACK from Indicator");
    return TransferStep::Running;
}

}  // namespace quelvar
