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

void TransferSession::requestStatus()
{
    m_ticks = 0;
    SendStatusRequest(m_port);
    setProgress("Reading Indicator Status");
    m_state = 1;
}

bool TransferSession::statusReady(int limit, const char* busyMessage)
{
    if (m_ticks >= limit) {
        fail("Timeout reading Indicator status.");
        return false;
    }
    switch (m_port.ReadByte()) {
    case kStatusReady: m_ticks = 0; return true;
    case kStatusBusy:
        if (busyMessage) m_message = busyMessage;
        m_state = 4;
        return false;
    case kStatusError: fail("Indicator error status"); return false;
    default: return false;
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
