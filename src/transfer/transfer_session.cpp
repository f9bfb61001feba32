#include "transfer/transfer_session.h"

#include "serial/com_port.h"
#include "transfer/link.h"

namespace quelvar {

TransferSession::TransferSession(ComPort& port) : m_port(port)
{
    m_port.Purge();
    m_port.ClearErrors();
    SendResetSequence(m_port);
}

bool TransferSession::begin()
{
    if (m_state != 0 || m_active) return false;
    m_active = true;
    return true;
}

TransferSession::StatusAnswer TransferSession::readStatus(int limit)
{
    if (m_ticks >= limit) return StatusAnswer::TimedOut;
    switch (m_port.ReadByte()) {
    case kStatusReady: return StatusAnswer::Ready;
    case kStatusBusy: return StatusAnswer::Busy;
    case kStatusError: return StatusAnswer::Error;
    default: return StatusAnswer::None;
    }
}

void TransferSession::setProgress(std::string text)
{
    if (text == m_progressText) return;
    m_progressText = std::move(text);
    if (m_listener) m_listener(m_progressText);
}

void TransferSession::fail(std::string message)
{
    m_message = std::move(message);
    m_state = 4;
}

TransferStep TransferSession::finishFailed()
{
    m_active = false;
    m_state = 0;
    SendResetSequence(m_port);
    setProgress({});
    return TransferStep::Failed;
}

TransferStep TransferSession::finishSucceeded()
{
    m_active = false;
    m_state = 0;
    return TransferStep::Succeeded;
}

}  // namespace quelvar
