#pragma once
// The serial driver for Linux serial devices (/dev/ttyS*, /dev/ttyUSB*, ptys).
//
// The device is opened for exclusive use (TIOCEXCL, an advisory flock and a UUCP lock
// file, so other terminal programs see it as busy and we see theirs), in raw 8-bit clean mode
// without any flow control. Every baud rate is set exactly (termios2 with BOTHER). Reads take only
// what has arrived; writes wait with poll() up to the deadline the write time-outs give.

#include "serial/serial_driver.h"
#include "serial/uucp_lock.h"

namespace quelvar {

class PosixSerialDriver : public SerialDriver {
public:
    PosixSerialDriver() = default;
    // Lock files go to `lockFolder` instead of the system's, for every device, pseudo-
    // terminals included (for tests).
    explicit PosixSerialDriver(std::string lockFolder)
        : m_lock(std::move(lockFolder)), m_lockPseudoTerminals(true)
    {
    }
    ~PosixSerialDriver() override;
    PosixSerialDriver(const PosixSerialDriver&) = delete;
    PosixSerialDriver& operator=(const PosixSerialDriver&) = delete;

    bool open(const std::string& device, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool getControlBlock(ControlBlock& block) override;
    bool setControlBlock(const ControlBlock& block) override;
    std::string failureReason() const override { return m_failureReason; }
    bool getTimeouts(Timeouts& t) override;
    bool setTimeouts(const Timeouts& t) override;
    bool queryStatus(std::uint32_t& errors, QueueStatus& status) override;
    std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override;
    std::optional<std::size_t> write(std::span<const std::uint8_t> bytes) override;
    std::optional<std::size_t> writeNoWait(std::span<const std::uint8_t> bytes) override;
    bool purge() override;

private:
    bool failed();
    std::optional<std::size_t> send(std::span<const std::uint8_t> bytes, std::uint64_t deadlineMs);
    std::size_t drain(std::size_t sent, std::uint64_t deadlineMs);

    int m_fd = -1;
    UucpLock m_lock;
    // A pty is made afresh by the program at its other end and its number is reused at
    // once, so a lock file could outlive it and refuse the next pty of that number;
    // flock and TIOCEXCL guard it instead.
    bool m_lockPseudoTerminals = false;
    std::string m_failureReason;
    Timeouts m_timeouts;  // the OS has no such thing: kept here for the writes
};

// The words for a failed open: the OS reason, and what the user can do about it.
std::string describeOpenFailure(const std::string& device, int error);

}  // namespace quelvar
