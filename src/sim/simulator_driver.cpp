#include "sim/simulator_driver.h"

#include <algorithm>
#include <thread>

namespace quelvar {

namespace {

using Clock = TimedLine::Clock;

// The indicator drops a half-received command after this much silence.
constexpr auto kLineIdle = std::chrono::seconds(1);

}  // namespace

SimulatorDriver::SimulatorDriver() : SimulatorDriver(factoryIndicatorMemory()) {}

SimulatorDriver::SimulatorDriver(const SetupImage& memory) : m_simulator(memory)
{
    setLineRate();
}

void SimulatorDriver::setPaced(bool paced)
{
    m_paced = paced;
    setLineRate();
}

void SimulatorDriver::setLineRate()
{
    m_toIndicator.setBaud(pacedBaud());
    m_toPc.setBaud(pacedBaud());
}

// What the indicator sent while the port was closed is lost, as on a real port.
bool SimulatorDriver::open(const std::string&, std::string&)
{
    pump();
    m_toPc.clear();
    m_arrived.clear();
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
    setLineRate();
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

// Hands the indicator what has crossed the line by now. A command or image cut off by
// a second of silence is dropped, as the indicator does.
void SimulatorDriver::deliverToIndicator(Clock::time_point now)
{
    const std::vector<std::uint8_t> bytes = m_toIndicator.arrived(now);
    const auto firstByte = bytes.empty() ? now : m_toIndicator.firstArrival();
    if (!m_simulator.idle() && firstByte - m_lastReceived > kLineIdle) m_simulator.lineIdle();
    if (bytes.empty()) return;
    m_simulator.receive(bytes);
    m_lastReceived = m_toIndicator.lastArrival();
}

// Lets both directions of the line carry what they could have carried by now.
void SimulatorDriver::pump()
{
    const auto now = Clock::now();
    deliverToIndicator(now);
    // The indicator answers once the bytes it answers have arrived.
    m_toPc.send(m_simulator.takeOutput(), std::min(now, m_lastReceived));
    const std::vector<std::uint8_t> bytes = m_toPc.arrived(now);
    m_arrived.insert(m_arrived.end(), bytes.begin(), bytes.end());
    for (const auto& line : m_simulator.takeLog())
        if (onLog) onLog(line);
}

bool SimulatorDriver::queryStatus(std::uint32_t& errors, QueueStatus& status)
{
    if (!m_open) return false;
    pump();
    errors = 0;
    status = {0, static_cast<std::uint32_t>(m_arrived.size()),
              static_cast<std::uint32_t>(m_toIndicator.queued())};
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

// What fits in the output queue joins it; the rest is not taken.
std::optional<std::size_t> SimulatorDriver::writeNoWait(std::span<const std::uint8_t> bytes)
{
    if (!m_open) return std::nullopt;
    pump();
    const std::size_t room = kOutputQueueSize - std::min(kOutputQueueSize, m_toIndicator.queued());
    const std::size_t count = std::min(room, bytes.size());
    m_toIndicator.send(bytes.first(count), Clock::now());
    pump();
    return count;
}

// Waits for room in the queue and then for the bytes to leave the line, up to the
// write time-out; bytes still queued then count as not written.
std::optional<std::size_t> SimulatorDriver::write(std::span<const std::uint8_t> bytes)
{
    if (!m_open) return std::nullopt;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(writeDeadlineMs(m_timeouts, bytes.size()));
    std::size_t handed = *writeNoWait(bytes);
    while (handed < bytes.size() && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        handed += *writeNoWait(bytes.subspan(handed));
    }
    std::this_thread::sleep_until(std::min(m_toIndicator.drainedAt(), deadline));
    pump();
    return handed - std::min(handed, m_toIndicator.queued());
}

// Empties both queues and the line: nothing sent before the purge arrives after it.
bool SimulatorDriver::purge()
{
    if (!m_open) return false;
    pump();
    m_toIndicator.clear();
    m_toPc.clear();
    m_arrived.clear();
    return true;
}

}  // namespace quelvar
