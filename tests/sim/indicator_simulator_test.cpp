#include "model/check_bytes.h"
#include "sim/indicator_simulator.h"
#include "sim/line_pacer.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quelvar;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

SetupImage sealedImage(std::uint8_t fill)
{
    SetupImage image;
    image.fill(fill);
    StoreCheckBytes(image);
    return image;
}

Bytes writeCommandWith(const SetupImage& image)
{
    Bytes bytes(2 + image.size());
    bytes[0] = 'C';
    bytes[1] = 'W';
    std::copy(image.begin(), image.end(), bytes.begin() + 2);
    return bytes;
}

}  // namespace

TEST(SimulatorFaults, NamesAndValuesAreParsedStrictly)
{
    SimulatorFaults faults;
    for (const char* good : {"busy", "error", "silent", "nak", "no-ack", "corrupt", "garbage=5",
                             "truncate=0", "extra=12"})
        EXPECT_EQ(setSimulatorFault(good, faults), "") << good;
    EXPECT_TRUE(faults.busy && faults.error && faults.silent && faults.nak && faults.noAck &&
                faults.corrupt);
    EXPECT_EQ(faults.garbage, 5u);
    EXPECT_EQ(faults.truncate, 0u);
    EXPECT_EQ(faults.extra, 12u);

    const SimulatorFaults before = faults;
    for (const char* bad : {"", "Busy", "busy=1", "garbage", "garbage=", "garbage=x", "truncate=-1",
                            "extra=3k", "slow"})
        EXPECT_NE(setSimulatorFault(bad, faults), "") << bad;
    EXPECT_EQ(faults, before);
}

TEST(IndicatorSimulator, GarbageComesBeforeTheStatusAnswerAndIsNeverAStatus)
{
    IndicatorSimulator simulator;
    simulator.faults.garbage = 500;
    simulator.receive(bytesOf("S"));
    const Bytes out = simulator.takeOutput();
    ASSERT_EQ(out.size(), 501u);
    EXPECT_EQ(out.back(), 'I');
    EXPECT_EQ(std::count_if(out.begin(), out.end() - 1,
                            [](auto b) { return b == 'I' || b == 'B' || b == 'E'; }),
              0);
}

TEST(IndicatorSimulator, ImagesAreStoredOnlyWhenSoundAndAcknowledged)
{
    const SetupImage good = sealedImage(0x42);
    SetupImage bad = good;
    bad[7] ^= 1;
    const struct {
        const char* fault;
        const SetupImage& image;
        Bytes answer;
        bool stored;
    } cases[] = {{nullptr, good, {0x06}, true},
                 {nullptr, bad, {0x15}, false},
                 {"nak", good, {0x15}, false},
                 {"no-ack", good, {}, false}};
    for (const auto& c : cases) {
        IndicatorSimulator simulator;
        if (c.fault) setSimulatorFault(c.fault, simulator.faults);
        int accepted = 0;
        simulator.onImageAccepted = [&](const SetupImage&) { ++accepted; };
        simulator.receive(writeCommandWith(c.image));
        EXPECT_EQ(simulator.takeOutput(), c.answer);
        EXPECT_EQ(simulator.memory() == c.image, c.stored);
        EXPECT_EQ(accepted, c.stored ? 1 : 0);
        // The image is binary: bytes that look like commands inside it are data.
        simulator.receive(bytesOf("S"));
        EXPECT_EQ(simulator.takeOutput(), Bytes{'I'});
    }
}

void readWithFaults(const SetupImage& memory)
{
    const struct {
        const char* fault;
        std::size_t size;
        bool sound;
    } cases[] = {{nullptr, 2048, true},
                 {"truncate=100", 100, false},
                 {"extra=3", 2051, true},
                 {"corrupt", 2048, false}};
    for (const auto& c : cases) {
        IndicatorSimulator simulator(memory);
        if (c.fault) setSimulatorFault(c.fault, simulator.faults);
        simulator.receive(bytesOf("CR"));
        const Bytes out = simulator.takeOutput();
        ASSERT_EQ(out.size(), c.size) << (c.fault ? c.fault : "none");
        std::size_t differing = 0;
        for (std::size_t i = 0; i < std::min<std::size_t>(out.size(), 2048); ++i)
            differing += out[i] != memory[i];
        EXPECT_EQ(differing, c.fault && c.fault == std::string_view("corrupt") ? 1u : 0u);
        EXPECT_EQ(c.sound, out.size() >= 2048 && VerifyCheckBytes(std::span(out).first(2048)));
    }
}

TEST(IndicatorSimulator, ReadSendsTheMemoryWithTheChosenFaults)
{
    // 0x00 and 0xFF: the flipped byte must still break the check bytes.
    for (const std::uint8_t fill : {0x17, 0x00, 0xFF}) {
        SCOPED_TRACE(int{fill});
        readWithFaults(sealedImage(fill));
    }
}

TEST(IndicatorSimulator, ResetAndSilenceBringItBackToIdle)
{
    const struct {
        Bytes before;  // then "S" must be answered at once
        bool lineIdle;
    } cases[] = {
        {bytesOf("hello"), false},
        {bytesOf("C\x1B\x1BX0"), false},
        {bytesOf("\x1B\x1B\x1BX0"), false},
        {bytesOf("CC"), false},
        {Bytes(100, 0), false},
        {writeCommandWith(sealedImage(1)), false},
        {Bytes{'C', 'W', 1, 2, 3}, true},
    };
    for (const auto& c : cases) {
        IndicatorSimulator simulator;
        simulator.receive(c.before);
        simulator.takeOutput();
        if (c.lineIdle) simulator.lineIdle();
        simulator.receive(bytesOf("S"));
        EXPECT_EQ(simulator.takeOutput(), Bytes{'I'}) << c.before.size();
    }
}

TEST(LinePacer, CarriesTenBitsPerByteAtTheBaudRate)
{
    for (long baud : {1200L, 9600L, 57600L, 115200L}) {
        LinePacer pacer(baud);
        const auto start = LinePacer::Clock::time_point{} + std::chrono::hours(1);
        std::size_t carried = 0;
        for (auto now = start; now < start + std::chrono::seconds(2);
             now += std::chrono::microseconds(700)) {
            const std::size_t n = pacer.allowance(now);
            pacer.take(n, now);
            carried += n;
        }
        // Two seconds of line time, plus at most the short burst of an idle line.
        EXPECT_NEAR(static_cast<double>(carried), baud / 5.0, 17.0) << baud;
    }
    EXPECT_FALSE(LinePacer(0).paced());
}
