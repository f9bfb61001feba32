#pragma once
// A serial driver with the simulated indicator at the far end of the line, in the
// same process: the editor can offer a simulated COM1 without any device.
//
// The line is paced at the baud rate ComPort configures, so transfers take as long
// as on a real line: a write waits while its bytes travel, and the indicator's
// answers arrive byte by byte.

#include "serial/serial_driver.h"
#include "sim/indicator_simulator.h"
#include "sim/line_pacer.h"

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
    bool purge() override;

private:
    void pump();
    long pacedBaud() const { return m_paced ? static_cast<long>(m_block.baudRate) : 0; }

    IndicatorSimulator m_simulator;
    bool m_open = false;
    bool m_paced = true;
    ControlBlock m_block = freshPortControlBlock();
    Timeouts m_timeouts;
    LinePacer m_toPc;
    std::deque<std::uint8_t> m_onTheLine;  // sent by the indicator, not yet arrived
    std::deque<std::uint8_t> m_arrived;    // waiting in the PC's input queue
    LinePacer::Clock::time_point m_lastReceived;
};

}  // namespace quelvar
