#pragma once
// A serial driver for tests: bytes "arrive" when a test feeds them, every write is
// recorded, every driver call is counted, and each call can be made to fail.

#include "serial/serial_driver.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

namespace quelvar {

class FakeSerialDriver : public SerialDriver {
public:
    struct Calls {
        int open = 0, close = 0, getControlBlock = 0, setControlBlock = 0, getTimeouts = 0,
            setTimeouts = 0, queryStatus = 0, read = 0, write = 0, purge = 0;
        int total() const;
    };

    // Scripted input: bytes that have arrived on the line.
    void feed(std::span<const std::uint8_t> bytes);
    void feed(std::string_view text);
    std::deque<std::uint8_t> input;

    // Recorded output: everything written, and each write call on its own.
    std::vector<std::uint8_t> output;
    std::vector<std::vector<std::uint8_t>> writes;
    std::string outputText() const { return {output.begin(), output.end()}; }
    // Called after each successful write, for tests that answer like a peer.
    std::function<void(std::span<const std::uint8_t>)> onWrite;

    Calls calls;
    std::string openedDevice;
    ControlBlock controlBlock = freshPortControlBlock();
    Timeouts timeouts;

    // Failure switches.
    bool failOpen = false;
    std::string openFailureReason = "No such file or directory";
    bool failGetControlBlock = false;
    bool failSetControlBlock = false;
    bool failGetTimeouts = false;
    bool failSetTimeouts = false;
    bool failQuery = false;
    bool failRead = false;
    bool failWrite = false;
    std::size_t writeLimit = SIZE_MAX;  // a write sends at most this many bytes

    // The output queue of writeNoWait: off, its bytes leave the line at once; on,
    // they stay queued (at most queueCapacity) until carry() lets them go.
    bool holdOutput = false;
    std::size_t queueCapacity = SIZE_MAX;
    std::size_t outQueue = 0;
    void carry(std::size_t count) { outQueue -= std::min(count, outQueue); }
    bool vanished = false;            // the device went away: everything fails
    bool keepsEightDataBits = false;  // takes any byte size, keeps 8 (as a pty does)

    bool open(const std::string& device, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool getControlBlock(ControlBlock& block) override;
    bool setControlBlock(const ControlBlock& block) override;
    bool getTimeouts(Timeouts& t) override;
    bool setTimeouts(const Timeouts& t) override;
    bool queryStatus(std::uint32_t& errors, QueueStatus& status) override;
    std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override;
    std::optional<std::size_t> write(std::span<const std::uint8_t> bytes) override;
    std::optional<std::size_t> writeNoWait(std::span<const std::uint8_t> bytes) override;
    bool purge() override;

private:
    bool usable() const { return m_open && !vanished; }
    bool m_open = false;
};

}  // namespace quelvar
