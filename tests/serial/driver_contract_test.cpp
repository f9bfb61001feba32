// One suite for every serial driver, so the fake used by other tests behaves like the
// real device does on a pty.

#include "pty.h"
#include "serial/fake_serial_driver.h"
#include "serial/posix_serial_driver.h"

#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <thread>

using namespace quelvar;

namespace {

// The driver under test and the far end of its line.
struct Line {
    virtual ~Line() = default;
    virtual SerialDriver& driver() = 0;
    virtual std::string device() = 0;
    virtual void peerSend(const std::vector<std::uint8_t>& bytes) = 0;
    virtual std::vector<std::uint8_t> peerReceive(std::size_t count) = 0;
    virtual void hangUp() = 0;
    // A pty always carries 8 data bits without parity, whatever it is told.
    virtual bool keepsDataFormat() const { return true; }

    // Bytes sent by the peer take a moment to arrive on a real line.
    std::uint32_t waitForInput(std::size_t count)
    {
        QueueStatus status;
        std::uint32_t errors = 0;
        for (int i = 0; i < 200; ++i) {
            if (!driver().queryStatus(errors, status) || status.inQueue >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return status.inQueue;
    }
};

struct FakeLine : Line {
    FakeSerialDriver fake;
    SerialDriver& driver() override { return fake; }
    std::string device() override { return "/dev/fake"; }
    void peerSend(const std::vector<std::uint8_t>& bytes) override { fake.feed(bytes); }
    std::vector<std::uint8_t> peerReceive(std::size_t) override
    {
        return std::exchange(fake.output, {});
    }
    void hangUp() override { fake.vanished = true; }
};

struct PtyLine : Line {
    test::Pty pty;
    PosixSerialDriver posix;
    SerialDriver& driver() override { return posix; }
    std::string device() override { return pty.slavePath(); }
    void peerSend(const std::vector<std::uint8_t>& bytes) override { pty.send(bytes); }
    std::vector<std::uint8_t> peerReceive(std::size_t count) override { return pty.receive(count); }
    void hangUp() override { pty.hangUp(); }
    bool keepsDataFormat() const override { return false; }
};

std::unique_ptr<Line> makeLine(const std::string& kind)
{
    if (kind == "fake") return std::make_unique<FakeLine>();
    return std::make_unique<PtyLine>();
}

struct DriverContract : ::testing::TestWithParam<std::string> {
    std::unique_ptr<Line> line = makeLine(GetParam());
    SerialDriver& driver = line->driver();
    void SetUp() override
    {
        std::string reason;
        ASSERT_TRUE(driver.open(line->device(), reason)) << reason;
    }
};

std::vector<std::uint8_t> everyByteValue()
{
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

}  // namespace

TEST_P(DriverContract, EveryByteValuePassesUnchangedBothWays)
{
    ControlBlock block;
    ASSERT_TRUE(driver.getControlBlock(block));
    block.baudRate = 57600;
    ASSERT_TRUE(driver.setControlBlock(block));

    const auto bytes = everyByteValue();
    EXPECT_EQ(driver.write(bytes), bytes.size());
    EXPECT_EQ(line->peerReceive(bytes.size()), bytes);

    line->peerSend(bytes);
    EXPECT_EQ(line->waitForInput(bytes.size()), bytes.size());
    std::vector<std::uint8_t> got(300);
    const auto n = driver.read(got);
    ASSERT_TRUE(n);
    got.resize(*n);
    EXPECT_EQ(got, bytes);
}

TEST_P(DriverContract, ReadsNeverWaitAndTakeNoMoreThanAsked)
{
    std::vector<std::uint8_t> buffer(16);
    EXPECT_EQ(driver.read(buffer), 0u);
    line->peerSend({1, 2, 3, 4, 5});
    ASSERT_EQ(line->waitForInput(5), 5u);
    EXPECT_EQ(driver.read(std::span(buffer).first(2)), 2u);
    EXPECT_EQ(line->waitForInput(3), 3u);
    EXPECT_EQ(driver.read(buffer), 3u);
    EXPECT_EQ(buffer[0], 3);
}

TEST_P(DriverContract, PurgeDiscardsWhatHasArrived)
{
    line->peerSend({9, 9, 9});
    ASSERT_EQ(line->waitForInput(3), 3u);
    EXPECT_TRUE(driver.purge());
    EXPECT_EQ(line->waitForInput(0), 0u);
}

TEST_P(DriverContract, LineSettingsReadBackAsSetForEveryOfferedRate)
{
    for (std::uint32_t rate : {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200}) {
        for (std::uint8_t parity : {kNoParity, kOddParity, kEvenParity}) {
            ControlBlock block;
            ASSERT_TRUE(driver.getControlBlock(block));
            block.baudRate = rate;
            block.byteSize = parity == kNoParity ? 8 : 7;
            block.parity = parity;
            block.stopBits = parity == kOddParity ? 2 : 0;
            ASSERT_TRUE(driver.setControlBlock(block)) << rate;
            ControlBlock back;
            ASSERT_TRUE(driver.getControlBlock(back));
            EXPECT_EQ(back.baudRate, rate);
            if (line->keepsDataFormat()) {
                EXPECT_EQ(back.byteSize, block.byteSize);
                EXPECT_EQ(back.parity, parity);
            }
            EXPECT_EQ(back.stopBits, block.stopBits);
            EXPECT_EQ(back.xonXoffInput + back.xonXoffOutput + back.ctsOutputFlow, 0);
        }
    }
}

TEST_P(DriverContract, ImpossibleLineSettingsAreRefusedAndKeepTheOldOnes)
{
    ControlBlock block;
    ASSERT_TRUE(driver.getControlBlock(block));
    block.baudRate = 9600;
    ASSERT_TRUE(driver.setControlBlock(block));
    for (auto bad :
         {ControlBlock{.baudRate = 0, .byteSize = 8}, ControlBlock{.baudRate = 9600, .byteSize = 9},
          ControlBlock{.baudRate = 9600, .byteSize = 4}}) {
        EXPECT_FALSE(driver.setControlBlock(bad));
        ControlBlock back;
        ASSERT_TRUE(driver.getControlBlock(back));
        EXPECT_EQ(back.baudRate, 9600u);
    }
}

TEST_P(DriverContract, TimeoutsReadBackAsSet)
{
    const Timeouts t{0xFFFFFFFFu, 0, 0, 10, 100};
    ASSERT_TRUE(driver.setTimeouts(t));
    Timeouts back;
    ASSERT_TRUE(driver.getTimeouts(back));
    EXPECT_EQ(back, t);
}

TEST_P(DriverContract, AClosedDriverRefusesEverything)
{
    driver.close();
    EXPECT_FALSE(driver.isOpen());
    ControlBlock block;
    Timeouts t;
    QueueStatus status;
    std::uint32_t errors = 0;
    std::vector<std::uint8_t> buffer(4);
    EXPECT_FALSE(driver.getControlBlock(block));
    EXPECT_FALSE(driver.getTimeouts(t));
    EXPECT_FALSE(driver.queryStatus(errors, status));
    EXPECT_FALSE(driver.read(buffer));
    EXPECT_FALSE(driver.write(buffer));
    EXPECT_FALSE(driver.purge());
}

TEST_P(DriverContract, AVanishedDeviceFailsWithoutHanging)
{
    line->hangUp();
    std::vector<std::uint8_t> buffer(2048, 0x55);
    EXPECT_EQ(line->waitForInput(1), 0u);
    const auto read = driver.read(buffer);
    EXPECT_TRUE(!read || *read == 0);
    EXPECT_FALSE(driver.write(buffer));
    driver.close();
}

INSTANTIATE_TEST_SUITE_P(Drivers, DriverContract, ::testing::Values("fake", "pty"),
                         [](const auto& info) { return info.param; });
