#include "sim/indicator_simulator.h"

#include "model/check_bytes.h"
#include "model/param_items.h"
#include "transfer/link.h"

#include <charconv>
#include <utility>

namespace quelvar {

namespace {

std::string byteName(std::uint8_t byte)
{
    switch (byte) {
    case kAck:
        return "ACK";
    case kNak:
        return "NAK";
    default:
        return std::string(1, static_cast<char>(byte));
    }
}

// A byte count up to kMaxFaultCount: more noise than that is a typing error, and
// would only exhaust memory.
bool parseCount(std::string_view text, std::size_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && value <= kMaxFaultCount;
}

}  // namespace

std::string setSimulatorFault(std::string_view fault, SimulatorFaults& faults)
{
    const auto equals = fault.find('=');
    const std::string_view name = fault.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    const struct {
        std::string_view name;
        bool SimulatorFaults::*flag;
    } flags[] = {{"busy", &SimulatorFaults::busy},     {"error", &SimulatorFaults::error},
                 {"silent", &SimulatorFaults::silent}, {"nak", &SimulatorFaults::nak},
                 {"no-ack", &SimulatorFaults::noAck},  {"corrupt", &SimulatorFaults::corrupt}};
    for (const auto& f : flags) {
        if (name != f.name) continue;
        if (hasValue) return "fault '" + std::string(name) + "' takes no value";
        faults.*f.flag = true;
        return {};
    }
    std::size_t value = 0;
    if (name == "garbage" || name == "truncate" || name == "extra") {
        if (!hasValue || !parseCount(fault.substr(equals + 1), value))
            return "fault '" + std::string(name) + "' needs a number from 0 to " +
                   std::to_string(kMaxFaultCount) + ": " + std::string(name) + "=N";
        if (name == "garbage") faults.garbage = value;
        if (name == "truncate") faults.truncate = value;
        if (name == "extra") faults.extra = value;
        return {};
    }
    return "unknown fault '" + std::string(fault) +
           "' (known: " + std::string(kSimulatorFaultNames) + ")";
}

SetupImage factoryIndicatorMemory()
{
    SetupImage image{};
    ResetSetupToDefaults(image);
    StoreCheckBytes(image);
    return image;
}

IndicatorSimulator::IndicatorSimulator() : IndicatorSimulator(factoryIndicatorMemory()) {}

IndicatorSimulator::IndicatorSimulator(const SetupImage& memory) : m_memory(memory) {}

void IndicatorSimulator::receive(std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t byte : bytes)
        receiveByte(byte);
}

void IndicatorSimulator::receiveByte(std::uint8_t byte)
{
    switch (m_state) {
    case State::Image:
        m_image[m_imageCount++] = byte;
        if (m_imageCount == m_image.size()) imageComplete();
        return;
    case State::Command:
        m_state = State::Idle;
        if (byte == kWriteCommand[1]) {
            m_imageCount = 0;
            m_state = State::Image;
            return;
        }
        if (byte == kReadCommand[1]) return sendMemory();
        return idleByte(byte);  // not a command after all
    case State::Reset:
        m_state = byte == kResetX0[0] ? State::ResetX : State::Idle;
        if (m_state == State::Idle) idleByte(byte);
        return;
    case State::ResetX:
        m_state = State::Idle;
        if (byte != kResetX0[1]) return idleByte(byte);
        flushIgnored();
        log("<- reset (ESC ESC X0)");
        return;
    case State::Idle:
        return idleByte(byte);
    }
}

void IndicatorSimulator::idleByte(std::uint8_t byte)
{
    if (byte == kEscape) {
        if (++m_escapes >= 2) m_state = State::Reset;
        return;
    }
    m_escapes = 0;
    if (byte == kStatusRequest[0]) return answerStatus();
    if (byte == kWriteCommand[0]) {
        m_state = State::Command;
        return;
    }
    ++m_ignored;
}

void IndicatorSimulator::answerStatus()
{
    flushIgnored();
    log("<- S");
    if (faults.silent) return log("   (silent: no answer)");
    sendNoise(faults.garbage);
    const std::uint8_t answer = faults.error  ? kStatusError
                                : faults.busy ? kStatusBusy
                                              : kStatusReady;
    send({&answer, 1});
    log("-> " + byteName(answer));
}

void IndicatorSimulator::sendMemory()
{
    flushIgnored();
    log("<- CR");
    SetupImage image = m_memory;
    // A change of one in a byte always shows in the check sums; flipping every bit
    // would not show on a byte of 0x00 or 0xFF (both count as 0 modulo 255).
    if (faults.corrupt) image[image.size() / 2] ^= 0x01;
    const std::size_t count = std::min(image.size(), faults.truncate.value_or(image.size()));
    send(std::span(image).first(count));
    log("-> " + std::to_string(count) + " bytes of the setup image" +
        (faults.corrupt ? ", one byte flipped" : ""));
    sendNoise(faults.extra);
}

void IndicatorSimulator::imageComplete()
{
    m_state = State::Idle;
    const bool sound = VerifyCheckBytes(m_image);
    log(std::string("<- CW + 2048 bytes, check bytes ") + (sound ? "ok" : "wrong"));
    if (faults.noAck) return log("   (no-ack: no answer)");
    const std::uint8_t answer = sound && !faults.nak ? kAck : kNak;
    send({&answer, 1});
    log("-> " + byteName(answer));
    if (answer != kAck) return;
    m_memory = m_image;
    if (onImageAccepted) onImageAccepted(m_memory);
}

void IndicatorSimulator::lineIdle()
{
    flushIgnored();
    if (m_state == State::Image)
        log("<- CW + " + std::to_string(m_imageCount) + " bytes, then silence: image dropped");
    m_state = State::Idle;
    m_escapes = 0;
}

void IndicatorSimulator::send(std::span<const std::uint8_t> bytes)
{
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

// Line noise that can never be taken for a status answer.
void IndicatorSimulator::sendNoise(std::size_t count)
{
    if (count == 0) return;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t byte;
        do {
            m_noiseSeed = m_noiseSeed * 1103515245u + 12345u;
            byte = static_cast<std::uint8_t>(m_noiseSeed >> 16);
        } while (byte == kStatusReady || byte == kStatusBusy || byte == kStatusError);
        m_output.push_back(byte);
    }
    log("-> " + std::to_string(count) + " bytes of noise");
}

void IndicatorSimulator::flushIgnored()
{
    if (m_ignored == 0) return;
    log("<- " + std::to_string(m_ignored) + " bytes ignored");
    m_ignored = 0;
}

void IndicatorSimulator::log(std::string line)
{
    m_log.push_back(std::move(line));
}

std::vector<std::uint8_t> IndicatorSimulator::takeOutput()
{
    return std::exchange(m_output, {});
}

std::vector<std::string> IndicatorSimulator::takeLog()
{
    return std::exchange(m_log, {});
}

}  // namespace quelvar
