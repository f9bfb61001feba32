#include "sim/simulator_driver.h"

#include <algorithm>
#include <thread>

namespace quelvar {

namespace {

using Clock = LinePacer::Clock;

// The indicator drops a half-received command after this much silence.
constexpr auto kLineIdle = std::chrono::seconds(1);

}  // namespace

SimulatorDriver::SimulatorDriver() : SimulatorDriver(factoryIndicatorMemory()) {}

SimulatorDriver::SimulatorDriver(const SetupImage& memory) : m_simulator(memory)
{
    m_toPc.setBaud(pacedBaud());
}

void SimulatorDriver::setPaced(bool paced)
{
    m_paced = paced;
    m_toPc.setBaud(pacedBaud());
}

bool SimulatorDriver::open(const std::string&, std::string&)
{
    m_open = true;
    return true;
}

void SimulatorDriver::close()
{
    m_open = false;
}

bool SimulatorDriver::getControlBlock(ControlBlock& block)
{
    if (!m_open) return false;
    block = m_block;
    return true;
}

bool SimulatorDriver::setControlBlock(const ControlBlock& block)
{
    if (!m_open || !lineSettingsPossible(block)) return false;
    m_block = block;
    m_toPc.setBaud(pacedBaud());
    return true;
}

bool SimulatorDriver::getTimeouts(Timeouts& t)
{
    if (!m_open) return false;
    t = m_timeouts;
    return true;
}

bool SimulatorDriver::setTimeouts(const Timeouts& t)
{
    if (!m_open) return false;
    m_timeouts = t;
    return true;
}

// Lets the indicator's answers travel for the time that has passed.
void SimulatorDriver::pump()
{
    const auto now = Clock::now();
    if (!m_simulator.idle() && now - m_lastReceived > kLineIdle) m_simulator.lineIdle();
    for (std::uint8_t byte : m_simulator.takeOutput())
        m_onTheLine.push_back(byte);
    const std::size_t n = std::min(m_onTheLine.size(), m_toPc.allowance(now));
    m_arrived.insert(m_arrived.end(), m_onTheLine.begin(), m_onTheLine.begin() + n);
    m_onTheLine.erase(m_onTheLine.begin(), m_onTheLine.begin() + n);
    m_toPc.take(n, now);
    for (const auto& line : m_simulator.takeLog())
        if (onLog) onLog(line);
}

bool SimulatorDriver::queryStatus(std::uint32_t& errors, QueueStatus& status)
{
    if (!m_open) return false;
    pump();
    errors = 0;
    status = {0, static_cast<std::uint32_t>(m_arrived.size()), 0};
    return true;
}

std::optional<std::size_t> SimulatorDriver::read(std::span<std::uint8_t> buffer)
{
    if (!m_open) return std::nullopt;
    pump();
    const std::size_t n = std::min(buffer.size(), m_arrived.size());
    std::copy_n(m_arrived.begin(), n, buffer.begin());
    m_arrived.erase(m_arrived.begin(), m_arrived.begin() + n);
    return n;
}

// The write waits while its bytes travel; what the write time-out cuts off never
// reaches the indicator.
std::optional<std::size_t> SimulatorDriver::write(std::span<const std::uint8_t> bytes)
{
    if (!m_open) return std::nullopt;
    std::size_t count = bytes.size();
    const LinePacer toIndicator(pacedBaud());
    if (toIndicator.paced()) {
        const std::chrono::nanoseconds limit =
            std::chrono::milliseconds(writeDeadlineMs(m_timeouts, bytes.size()));
        const auto travel = toIndicator.byteTime() * static_cast<long long>(bytes.size());
        if (limit.count() > 0 && travel > limit)
            count = static_cast<std::size_t>(limit / toIndicator.byteTime());
        std::this_thread::sleep_for(toIndicator.byteTime() * static_cast<long long>(count));
    }
    pump();
    m_simulator.receive(bytes.first(count));
    m_lastReceived = Clock::now();
    pump();
    return count;
}

bool SimulatorDriver::purge()
{
    if (!m_open) return false;
    // Bytes still on their way arrive after the purge, as on a real line.
    pump();
    m_arrived.clear();
    return true;
}

}  // namespace quelvar
