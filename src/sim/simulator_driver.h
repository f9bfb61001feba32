#pragma once
// A serial driver with the simulated indicator at the far end of the line, in the
// same process: the editor can offer a simulated COM1 without any device.
//
// The line is paced at the baud rate ComPort configures, so transfers take as long
// as on a real line. As with a real port, bytes go to an output queue (4 KB, as a
// UART driver buffers) and reach the indicator at line rate, and its answers reach
// the input queue as time passes. A write returns once its bytes have left the line
// (2048 bytes take 17 s at 1200 baud), as the real driver's does; writeNoWait
// returns at once.

#include "serial/serial_driver.h"
#include "sim/indicator_simulator.h"
#include "sim/timed_line.h"

#include <deque>
#include <functional>

namespace quelvar {

class SimulatorDriver : public SerialDriver {
public:
    SimulatorDriver();
    explicit SimulatorDriver(const SetupImage& memory);

    IndicatorSimulator& simulator() { return m_simulator; }
    // Off: bytes travel at once, whatever the baud rate (for tests).
    void setPaced(bool paced);
    // Receives each exchange line the indicator logs.
    std::function<void(const std::string&)> onLog;

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

    static constexpr std::size_t kOutputQueueSize = 4096;

private:
    void pump();
    void deliverToIndicator(TimedLine::Clock::time_point now);
    void setLineRate();
    long pacedBaud() const { return m_paced ? static_cast<long>(m_block.baudRate) : 0; }

    IndicatorSimulator m_simulator;
    bool m_open = false;
    bool m_paced = true;
    ControlBlock m_block = freshPortControlBlock();
    Timeouts m_timeouts;
    TimedLine m_toIndicator;                      // the PC's output queue and the wire
    TimedLine m_toPc;                             // the indicator's answers on their way
    std::deque<std::uint8_t> m_arrived;           // waiting in the PC's input queue
    TimedLine::Clock::time_point m_lastReceived;  // when the indicator last got a byte
};

}  // namespace quelvar
