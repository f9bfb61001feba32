#pragma once
// The program's one serial port: the RS-232 line to the indicator.
//
// Reads never wait: a queue query comes first and only bytes that have already
// arrived are taken, 256 at most, into a receive buffer that serves the following
// ReadByte calls. Writes wait until their bytes have left the line, at most 10 ms per
// byte plus 100 ms; WriteNoWait and OutputQueued feed a slow line without waiting.

#include "serial/serial_driver.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

// The settings file's optional section "Devices": "com1".."com4" to device paths.
using DeviceMap = std::map<std::string, std::string>;

// The device for port 1-4: the Devices entry "comN" when there is one (keys in any
// case), else /dev/ttyS0../dev/ttyS3. Empty for a port number outside 1-4.
std::string devicePathForPort(int portNumber, const DeviceMap& devices);

inline constexpr const char* kPortNumberError = "Port number error";
inline constexpr const char* kOpenPortError = "Open port error";
inline constexpr const char* kGetDcbError = "Get DCB error";
inline constexpr const char* kSetDcbError = "Set DCB error";
inline constexpr const char* kSetTimeoutsError = "Set Timeouts error";

inline constexpr std::size_t kReceiveBufferSize = 256;

// The time-outs Configure installs: reads return at once with what has arrived; a
// write of n bytes gives up after 10 ms per byte plus 100 ms.
inline constexpr Timeouts kPortTimeouts{0xFFFFFFFFu, 0, 0, 10, 100};

class ComPort {
public:
    ComPort();                               // on the POSIX serial device
    explicit ComPort(SerialDriver& driver);  // on a driver the caller keeps alive
    virtual ~ComPort();
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    // The five settings; callers set them before Open or Configure.
    std::int32_t portNumber = 0;  // 1-4; the settings file supplies it
    std::int32_t baudRate = 57600;
    std::int32_t byteSize = 8;
    std::int32_t parity = 'n';  // 'n', 'o' or 'e'; anything else counts as none
    std::int32_t stopBits = 1;  // 0 one, 1 one and a half, 2 two

    bool Open();
    bool Configure();
    void Close();
    int ReadByte();
    bool WriteString(std::string_view text);
    int Write(std::span<const std::uint8_t> block);
    // Hands the driver's output queue what it takes now and returns at once: the
    // count taken, or -1 when the write failed (a closed port too).
    int WriteNoWait(std::span<const std::uint8_t> block);
    // Bytes written and not yet on the line; -1 when the driver does not answer.
    int OutputQueued();
    void Purge();
    bool ClearErrors();
    const ControlBlock& GetControlBlock();

    // Empty, or one of the five error texts above.
    const char* lastError() const { return m_lastError; }
    // Why the OS refused the last Open, for a message box's detail; empty otherwise.
    const std::string& openFailureReason() const { return m_openFailureReason; }
    // The system's reason when the last Configure failed on an open port; empty otherwise.
    const std::string& configureFailureReason() const { return m_configureFailureReason; }
    // The device path the last Open tried.
    const std::string& devicePath() const { return m_devicePath; }

    void setDevices(DeviceMap devices) { m_devices = std::move(devices); }
    const DeviceMap& devices() const { return m_devices; }

    bool isOpen() const { return m_open; }
    bool timeoutsChanged() const { return m_timeoutsChanged; }
    const Timeouts& savedTimeouts() const { return m_savedTimeouts; }
    const ControlBlock& controlBlock() const { return m_controlBlock; }
    std::uint32_t errorWord() const { return m_errorWord; }
    const QueueStatus& queueStatus() const { return m_queueStatus; }
    std::size_t bufferedCount() const { return m_bufferedCount; }
    SerialDriver& driver() { return *m_driver; }

private:
    bool queryQueue();
    int takeBuffered();
    void dropBuffered();

    std::unique_ptr<SerialDriver> m_ownDriver;
    SerialDriver* m_driver;
    DeviceMap m_devices;
    std::string m_devicePath;
    std::string m_openFailureReason;
    std::string m_configureFailureReason;
    const char* m_lastError = "";
    bool m_open = false;
    Timeouts m_savedTimeouts;
    bool m_timeoutsChanged = false;
    ControlBlock m_controlBlock{};
    std::uint32_t m_errorWord = 0;
    QueueStatus m_queueStatus;
    std::array<std::uint8_t, kReceiveBufferSize> m_receiveBuffer{};
    std::size_t m_readIndex = 0;
    std::size_t m_bufferedCount = 0;
};

}  // namespace quelvar
