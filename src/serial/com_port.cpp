#include "serial/com_port.h"

#include "serial/posix_serial_driver.h"

#include <algorithm>
#include <cctype>

namespace quelvar {

std::string devicePathForPort(int portNumber, const DeviceMap& devices)
{
    if (portNumber < 1 || portNumber > 4) return {};
    const std::string key = "com" + std::to_string(portNumber);
    for (const auto& [name, path] : devices) {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower == key && !path.empty()) return path;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

ComPort::ComPort() : m_ownDriver(std::make_unique<PosixSerialDriver>()), m_driver(m_ownDriver.get())
{
}

ComPort::ComPort(SerialDriver& driver) : m_driver(&driver) {}

ComPort::~ComPort()
{
    Close();
}

bool ComPort::Open()
{
    if (m_open) Close();
    m_lastError = "";
    m_openFailureReason.clear();
    if (portNumber < 1 || portNumber > 4) {
        m_lastError = kPortNumberError;
        return false;
    }
    m_devicePath = devicePathForPort(portNumber, m_devices);
    if (!m_driver->open(m_devicePath, m_openFailureReason)) {
        m_lastError = kOpenPortError;
        return false;
    }
    m_open = true;
    m_errorWord = 0;
    dropBuffered();  // nothing read before belongs to this session
    return true;
}

bool ComPort::Configure()
{
    ControlBlock block;
    m_configureFailureReason.clear();
    if (!m_open || !m_driver->getControlBlock(block)) {
        if (m_open) m_configureFailureReason = m_driver->failureReason();
        m_lastError = kGetDcbError;
        return false;
    }
    block.baudRate = static_cast<std::uint32_t>(baudRate);
    block.byteSize = static_cast<std::uint8_t>(byteSize);
    block.stopBits = static_cast<std::uint8_t>(stopBits);
    // Only the lower-case codes select a parity; 'E' or 'O' count as none.
    block.parity = parity == 'e' ? kEvenParity : parity == 'o' ? kOddParity : kNoParity;
    block.parityCheck = block.parity != kNoParity;
    block.ctsOutputFlow = 0;
    block.dsrOutputFlow = 0;
    block.dsrSensitivity = 0;
    block.dtrControl = 0;
    block.rtsControl = 0;
    if (!m_driver->setControlBlock(block)) {
        m_configureFailureReason = m_driver->failureReason();
        m_lastError = kSetDcbError;
        return false;
    }
    // Configuring again keeps the time-outs saved the first time: saving now would
    // save our own and lose the ones the port had. Time-outs that cannot be read could
    // not be restored either, so they are not replaced.
    if (!m_timeoutsChanged && !m_driver->getTimeouts(m_savedTimeouts)) {
        m_lastError = kSetTimeoutsError;
        return false;
    }
    if (!m_driver->setTimeouts(kPortTimeouts)) {
        m_lastError = kSetTimeoutsError;
        return false;
    }
    m_timeoutsChanged = true;
    return true;
}

void ComPort::Close()
{
    if (m_timeoutsChanged) {
        m_driver->setTimeouts(m_savedTimeouts);
        m_timeoutsChanged = false;
    }
    if (m_open) {
        m_driver->close();
        m_open = false;
    }
}

int ComPort::takeBuffered()
{
    --m_bufferedCount;
    return m_receiveBuffer[m_readIndex++];
}

bool ComPort::queryQueue()
{
    return m_open && m_driver->queryStatus(m_errorWord, m_queueStatus);
}

int ComPort::ReadByte()
{
    if (m_bufferedCount > 0) return takeBuffered();
    if (!queryQueue() || m_queueStatus.inQueue == 0) return -1;
    const std::size_t wanted = std::min<std::size_t>(m_queueStatus.inQueue, kReceiveBufferSize);
    const auto got = m_driver->read(std::span(m_receiveBuffer).first(wanted));
    m_readIndex = 0;
    m_bufferedCount = got ? std::min(*got, wanted) : 0;
    return m_bufferedCount > 0 ? takeBuffered() : -1;
}

bool ComPort::WriteString(std::string_view text)
{
    if (!m_open) return false;
    const auto written =
        m_driver->write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    return written && *written == text.size();
}

int ComPort::Write(std::span<const std::uint8_t> block)
{
    if (!m_open) return 0;
    const auto written = m_driver->write(block);
    return written ? static_cast<int>(std::min(*written, block.size())) : 0;
}

int ComPort::WriteNoWait(std::span<const std::uint8_t> block)
{
    if (!m_open) return -1;
    const auto taken = m_driver->writeNoWait(block);
    return taken ? static_cast<int>(std::min(*taken, block.size())) : -1;
}

int ComPort::OutputQueued()
{
    return queryQueue() ? static_cast<int>(m_queueStatus.outQueue) : -1;
}

// The bytes already taken into the receive buffer go too: left there, one noisy
// exchange would feed its noise to the next ones.
void ComPort::Purge()
{
    if (m_open) m_driver->purge();
    dropBuffered();
}

void ComPort::dropBuffered()
{
    m_readIndex = 0;
    m_bufferedCount = 0;
}

bool ComPort::ClearErrors()
{
    return queryQueue();
}

const ControlBlock& ComPort::GetControlBlock()
{
    ControlBlock block;
    if (m_open && m_driver->getControlBlock(block)) {
        m_controlBlock = block;
        m_lastError = "";
    } else {
        m_lastError = kGetDcbError;
    }
    return m_controlBlock;
}

}  // namespace quelvar
