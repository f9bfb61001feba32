#pragma once
// `quelvar --simulator`: COM1 is the simulated indicator for this run, in the same
// process; COM2-COM4 stay the real devices. The port settings dialog can still move
// the link to a real port and back.

#include "serial/posix_serial_driver.h"
#include "sim/simulator_driver.h"

namespace quelvar {

class SimulatedCom1Driver : public SerialDriver {
public:
    // The device name COM1 maps to in the run's Devices section.
    static constexpr const char* kDevice = "simulated indicator";

    SimulatorDriver& simulator() { return m_simulator; }

    bool open(const std::string& device, std::string& reason) override;
    void close() override { m_active->close(); }
    bool isOpen() const override { return m_active->isOpen(); }
    bool getControlBlock(ControlBlock& block) override { return m_active->getControlBlock(block); }
    bool setControlBlock(const ControlBlock& block) override
    {
        return m_active->setControlBlock(block);
    }
    bool getTimeouts(Timeouts& t) override { return m_active->getTimeouts(t); }
    bool setTimeouts(const Timeouts& t) override { return m_active->setTimeouts(t); }
    bool queryStatus(std::uint32_t& errors, QueueStatus& status) override
    {
        return m_active->queryStatus(errors, status);
    }
    std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override
    {
        return m_active->read(buffer);
    }
    std::optional<std::size_t> write(std::span<const std::uint8_t> bytes) override
    {
        return m_active->write(bytes);
    }
    std::optional<std::size_t> writeNoWait(std::span<const std::uint8_t> bytes) override
    {
        return m_active->writeNoWait(bytes);
    }
    bool purge() override { return m_active->purge(); }

private:
    SimulatorDriver m_simulator;
    PosixSerialDriver m_device;
    SerialDriver* m_active = &m_device;
};

}  // namespace quelvar
