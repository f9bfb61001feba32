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
    case 0: requestStatus(); break;
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
    setProgress("Uploading Data");
    const int written = m_port.Write(m_source);
    if (written != static_cast<int>(m_source.size())) {
        char text[64];
        std::snprintf(text, sizeof text, "Write count error: sb %d,  is %d",
                      static_cast<int>(m_source.size()), written);
        fail(text);
        return;
    }
    setProgress("Waiting for Indicator Status");
    m_ticks = 0;
    m_state = 3;
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
