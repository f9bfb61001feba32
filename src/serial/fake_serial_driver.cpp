#include "serial/fake_serial_driver.h"

#include <algorithm>

namespace quelvar {

int FakeSerialDriver::Calls::total() const
{
    return open + close + getControlBlock + setControlBlock + getTimeouts + setTimeouts +
           queryStatus + read + write + purge;
}

void FakeSerialDriver::feed(std::span<const std::uint8_t> bytes)
{
    input.insert(input.end(), bytes.begin(), bytes.end());
}

void FakeSerialDriver::feed(std::string_view text)
{
    input.insert(input.end(), text.begin(), text.end());
}

bool FakeSerialDriver::open(const std::string& device, std::string& reason)
{
    ++calls.open;
    openedDevice = device;
    if (failOpen || m_open) {
        reason = device + ": " + (m_open ? "Device or resource busy" : openFailureReason);
        return false;
    }
    m_open = true;
    vanished = false;
    return true;
}

void FakeSerialDriver::close()
{
    ++calls.close;
    m_open = false;
}

bool FakeSerialDriver::getControlBlock(ControlBlock& block)
{
    ++calls.getControlBlock;
    if (!usable() || failGetControlBlock) return false;
    block = controlBlock;
    return true;
}

bool FakeSerialDriver::setControlBlock(const ControlBlock& block)
{
    ++calls.setControlBlock;
    if (!usable() || failSetControlBlock) return false;
    // Refuses what a real device refuses too.
    if (!lineSettingsPossible(block)) return false;
    controlBlock = block;
    if (keepsEightDataBits) controlBlock.byteSize = 8;
    return true;
}

bool FakeSerialDriver::getTimeouts(Timeouts& t)
{
    ++calls.getTimeouts;
    if (!usable() || failGetTimeouts) return false;
    t = timeouts;
    return true;
}

bool FakeSerialDriver::setTimeouts(const Timeouts& t)
{
    ++calls.setTimeouts;
    if (!usable() || failSetTimeouts) return false;
    timeouts = t;
    return true;
}

bool FakeSerialDriver::queryStatus(std::uint32_t& errors, QueueStatus& status)
{
    ++calls.queryStatus;
    if (!usable() || failQuery) return false;
    errors = 0;
    status = {0, static_cast<std::uint32_t>(input.size()), static_cast<std::uint32_t>(outQueue)};
    return true;
}

std::optional<std::size_t> FakeSerialDriver::read(std::span<std::uint8_t> buffer)
{
    ++calls.read;
    if (!usable() || failRead) return std::nullopt;
    const std::size_t n = std::min(buffer.size(), input.size());
    std::copy_n(input.begin(), n, buffer.begin());
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

std::optional<std::size_t> FakeSerialDriver::write(std::span<const std::uint8_t> bytes)
{
    ++calls.write;
    if (!usable() || failWrite) return std::nullopt;
    const auto sent = bytes.first(std::min(bytes.size(), writeLimit));
    output.insert(output.end(), sent.begin(), sent.end());
    writes.emplace_back(sent.begin(), sent.end());
    if (onWrite) onWrite(sent);
    return sent.size();
}

std::optional<std::size_t> FakeSerialDriver::writeNoWait(std::span<const std::uint8_t> bytes)
{
    const std::size_t room = queueCapacity - std::min(queueCapacity, outQueue);
    if (room == 0 && usable() && !failWrite) return 0;
    const auto taken = write(bytes.first(std::min(bytes.size(), room)));
    if (taken && holdOutput) outQueue += *taken;
    return taken;
}

bool FakeSerialDriver::purge()
{
    ++calls.purge;
    if (!usable()) return false;
    input.clear();
    outQueue = 0;
    return true;
}

}  // namespace quelvar
