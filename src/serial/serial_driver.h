#pragma once
// The one interface between ComPort and a serial device: the real POSIX device,
// the fake used by tests, or the simulated indicator running in-process.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quelvar {

// A device's line settings, with every field of the classic device control block so
// the "Device Control Block" view can show them. Flags are 0 or 1; the DTR and RTS
// controls are two-bit codes (0 disabled, 1 enabled, 2 handshake, 3 toggle).
// All zero until a device has filled it.
struct ControlBlock {
    std::uint32_t length = 0;  // the block's length field, as the view shows it
    std::uint32_t baudRate = 0;
    std::uint8_t binaryMode = 0;
    std::uint8_t parityCheck = 0;
    std::uint8_t ctsOutputFlow = 0;
    std::uint8_t dsrOutputFlow = 0;
    std::uint8_t dtrControl = 0;
    std::uint8_t dsrSensitivity = 0;
    std::uint8_t continueAfterXoff = 0;
    std::uint8_t xonXoffOutput = 0;
    std::uint8_t xonXoffInput = 0;
    std::uint8_t replaceErrorChar = 0;
    std::uint8_t stripNull = 0;
    std::uint8_t rtsControl = 0;
    std::uint8_t abortOnError = 0;
    std::uint16_t xonLimit = 0;
    std::uint16_t xoffLimit = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
    char xonChar = 0;
    char xoffChar = 0;
    char errorChar = 0;
    char eofChar = 0;
    char eventChar = 0;

    bool operator==(const ControlBlock&) const = default;
};

// What a freshly opened port reports: 9600 baud, 8 data bits, no parity, one stop
// bit, binary mode, DTR and RTS on, the usual XON and XOFF characters.
inline ControlBlock freshPortControlBlock()
{
    ControlBlock b;
    b.length = 28;
    b.baudRate = 9600;
    b.binaryMode = 1;
    b.byteSize = 8;
    b.dtrControl = 1;
    b.rtsControl = 1;
    b.xonChar = 0x11;
    b.xoffChar = 0x13;
    return b;
}

inline constexpr std::uint8_t kNoParity = 0;
inline constexpr std::uint8_t kOddParity = 1;
inline constexpr std::uint8_t kEvenParity = 2;
inline constexpr std::uint8_t kMarkParity = 3;
inline constexpr std::uint8_t kSpaceParity = 4;

// Read and write time-outs in milliseconds. A read interval of all bits set with
// both read totals zero means "return at once with what has arrived"; a write of n
// bytes gives up after writeTotalMultiplier * n + writeTotalConstant.
struct Timeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;

    bool operator==(const Timeouts&) const = default;
};

// Bytes waiting in the driver's queues, as a queue query reports them.
struct QueueStatus {
    std::uint32_t flags = 0;
    std::uint32_t inQueue = 0;
    std::uint32_t outQueue = 0;

    bool operator==(const QueueStatus&) const = default;
};

class SerialDriver {
public:
    virtual ~SerialDriver() = default;

    // Opens the device for exclusive use. On failure `reason` says why, in words
    // a user can act on.
    virtual bool open(const std::string& device, std::string& reason) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual bool getControlBlock(ControlBlock& block) = 0;
    virtual bool setControlBlock(const ControlBlock& block) = 0;
    virtual bool getTimeouts(Timeouts& timeouts) = 0;
    virtual bool setTimeouts(const Timeouts& timeouts) = 0;

    // Reports (and clears) the line-error flags and the queue sizes.
    virtual bool queryStatus(std::uint32_t& errors, QueueStatus& status) = 0;
    // Takes at most buffer.size() bytes that have already arrived; never waits.
    virtual std::optional<std::size_t> read(std::span<std::uint8_t> buffer) = 0;
    // Sends the bytes and returns once they have left the line (as tcdrain waits),
    // waiting at most as long as the write time-outs allow; the count actually sent
    // (bytes still queued at the time-out count as not sent), or nothing when the
    // device failed.
    virtual std::optional<std::size_t> write(std::span<const std::uint8_t> bytes) = 0;
    // Hands the output queue as many of the bytes as it takes now and returns at
    // once: the count taken (0 when the queue is full), or nothing when the device
    // failed. queryStatus tells how many are still queued.
    virtual std::optional<std::size_t> writeNoWait(std::span<const std::uint8_t> bytes) = 0;
    // Discards both queues.
    virtual bool purge() = 0;
    // Why the last control block call failed, as the system gave it; empty when the
    // system gave no reason (settings the driver itself refused, say).
    virtual std::string failureReason() const { return {}; }
};

// Line settings any device would refuse: no rate (0 hangs a line up), a rate that is
// no 32-bit signed number, or other than 5 to 8 data bits, or an unknown parity or stop-bit code.
inline bool lineSettingsPossible(const ControlBlock& b)
{
    return b.baudRate > 0 && b.baudRate <= 0x7FFFFFFF && b.byteSize >= 5 && b.byteSize <= 8 &&
           b.parity <= kSpaceParity && b.stopBits <= 2;
}

// The write deadline in milliseconds for n bytes under the given time-outs. Without
// write time-outs a write would have no limit; it gets the usual one instead, so a
// stalled device can never freeze the program.
inline std::uint64_t writeDeadlineMs(const Timeouts& t, std::size_t n)
{
    const bool none = t.writeTotalMultiplier == 0 && t.writeTotalConstant == 0;
    return none ? 10 * std::uint64_t{n} + 100
                : std::uint64_t{t.writeTotalMultiplier} * n + t.writeTotalConstant;
}

}  // namespace quelvar
