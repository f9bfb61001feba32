#pragma once
// A simulated indicator: it speaks the indicator link exactly as the instrument does,
// with faults that can be switched on to try every way an exchange can go wrong.
//
// The simulator only turns received bytes into bytes to send; when they travel and
// how fast is up to its host (a pty, or an in-process serial driver).

#include "model/setup.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

struct SimulatorFaults {
    bool busy = false;                    // the status answer is 'B'
    bool error = false;                   // the status answer is 'E'
    bool silent = false;                  // no status answer at all
    bool nak = false;                     // every image is answered with NAK
    bool noAck = false;                   // an image gets no answer
    bool corrupt = false;                 // one byte of the image sent on a read is flipped
    std::size_t garbage = 0;              // noise bytes before the status answer
    std::optional<std::size_t> truncate;  // a read stops after this many bytes
    std::size_t extra = 0;                // noise bytes after a read

    bool operator==(const SimulatorFaults&) const = default;
};

// Switches on one fault given as NAME or NAME=VALUE: busy, error, silent, nak,
// no-ack, corrupt, garbage=N, truncate=K, extra=N. Returns an error text, or an
// empty one when the fault was set.
std::string setSimulatorFault(std::string_view fault, SimulatorFaults& faults);

// The names the option accepts, for usage texts.
inline constexpr std::string_view kSimulatorFaultNames =
    "busy, error, silent, nak, no-ack, corrupt, garbage=N, truncate=K, extra=N";
inline constexpr std::size_t kMaxFaultCount = 1'000'000;

// The factory setup with its check bytes stored, as a new indicator holds it.
SetupImage factoryIndicatorMemory();

class IndicatorSimulator {
public:
    IndicatorSimulator();
    explicit IndicatorSimulator(const SetupImage& memory);

    SimulatorFaults faults;
    // Called with each image the simulator accepted (check bytes sound, no nak fault).
    std::function<void(const SetupImage&)> onImageAccepted;

    void receive(std::span<const std::uint8_t> bytes);
    // The line has been quiet for a while: a half-received command or image is dropped.
    void lineIdle();

    // Bytes to send to the PC, in order; taking them empties the queue.
    std::vector<std::uint8_t> takeOutput();
    bool hasOutput() const { return !m_output.empty(); }
    void dropOutput() { m_output.clear(); }
    // One readable line per exchange ("<- S", "-> I"); taking them empties the list.
    std::vector<std::string> takeLog();

    const SetupImage& memory() const { return m_memory; }
    bool idle() const { return m_state == State::Idle && m_escapes == 0 && m_ignored == 0; }

private:
    enum class State { Idle, Reset, ResetX, Command, Image };

    void receiveByte(std::uint8_t byte);
    void idleByte(std::uint8_t byte);
    void answerStatus();
    void sendMemory();
    void imageComplete();
    void send(std::span<const std::uint8_t> bytes);
    void sendNoise(std::size_t count);
    void log(std::string line);
    void flushIgnored();

    SetupImage m_memory;
    State m_state = State::Idle;
    int m_escapes = 0;
    SetupImage m_image{};
    std::size_t m_imageCount = 0;
    std::size_t m_ignored = 0;
    std::uint32_t m_noiseSeed = 12345;
    std::vector<std::uint8_t> m_output;
    std::vector<std::string> m_log;
};

}  // namespace quelvar
