#pragma once
// A serial line on the fake driver with a scripted indicator at its far end: it
// answers the status request, an image block and the read command as the test says.
// The port runs at 57600 baud, so an upload hands the image over in kImageEvents
// timer events (864 bytes, what the line carries in 150 ms, then 288 an event).

#include <optional>
#include <string>
#include <vector>

#include "model/check_bytes.h"
#include "model/setup.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"
#include "transfer/transfer_session.h"

namespace quelvar::test {

inline const std::string kResetSequence = "\x1B\x1BX0";
inline constexpr int kImageEvents = 5;

// A sound image: a pattern with its check bytes stored.
inline SetupImage sampleImage(std::uint8_t seed = 1)
{
    SetupImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + seed);
    StoreCheckBytes(image);
    return image;
}

struct ScriptedLine {
    FakeSerialDriver driver;
    ComPort port{driver};

    // What the indicator sends back; nothing when empty.
    std::string statusAnswer;                            // after "S"
    std::string imageAnswer;                             // after a 2048-byte block
    std::vector<std::vector<std::uint8_t>> readAnswers;  // after each "CR", in turn

    ScriptedLine()
    {
        port.portNumber = 1;
        port.Open();
        port.Configure();
        driver.onWrite = [this](std::span<const std::uint8_t> bytes) { answer(bytes); };
    }

    // Everything written since the last call.
    std::string takeSent()
    {
        std::string sent(driver.output.begin(), driver.output.end());
        driver.output.clear();
        return sent;
    }

private:
    std::size_t m_imageBytes = kSetupImageSize;  // of the block after "CW"

    void answer(std::span<const std::uint8_t> bytes)
    {
        const std::string text(bytes.begin(), bytes.end());
        if (m_imageBytes < kSetupImageSize) {
            m_imageBytes += bytes.size();
            if (m_imageBytes == kSetupImageSize) driver.feed(imageAnswer);
            return;
        }
        if (text == "CW") m_imageBytes = 0;
        if (text == "S") driver.feed(statusAnswer);
        if (text == "CR" && !readAnswers.empty()) {
            driver.feed(readAnswers.front());
            readAnswers.erase(readAnswers.begin());
        }
    }
};

// Ticks until the session stops (or `limit` events); the number of events it took.
template <class Session>
int ticksUntilStopped(Session& session, TransferStep& step, int limit = 2000)
{
    for (int n = 1; n <= limit; ++n) {
        step = session.tick();
        if (step != TransferStep::Running) return n;
    }
    return -1;
}

}  // namespace quelvar::test
