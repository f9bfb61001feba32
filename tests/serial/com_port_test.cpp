#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"

#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

using namespace quelvar;

namespace {

struct OpenPort : ::testing::Test {
    FakeSerialDriver fake;
    ComPort port{fake};
    void SetUp() override
    {
        fake.timeouts = {1, 2, 3, 4, 5};
        port.portNumber = 1;
        ASSERT_TRUE(port.Open());
    }
};

std::vector<std::uint8_t> counting(std::size_t n)
{
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

}  // namespace

TEST(DevicePath, DevicesSectionOverridesTheDefaultTtyS)
{
    const DeviceMap devices{{"COM1", "/dev/ttyUSB0"}, {"com3", ""}, {"com4", "/dev/pts/7"}};
    const struct {
        int port;
        std::string expected;
    } cases[] = {{1, "/dev/ttyUSB0"}, {2, "/dev/ttyS1"}, {3, "/dev/ttyS2"},
                 {4, "/dev/pts/7"},   {0, ""},           {5, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(devicePathForPort(c.port, devices), c.expected) << c.port;
}

TEST_F(OpenPort, PortNumberOutsideOneToFourClosesAndMakesNoOsCall)
{
    for (int number : {0, 5, -1}) {
        port.portNumber = 1;
        ASSERT_TRUE(port.Open());
        const int opens = fake.calls.open;
        port.portNumber = number;
        EXPECT_FALSE(port.Open());
        EXPECT_STREQ(port.lastError(), "Port number error");
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(fake.isOpen());
        EXPECT_EQ(fake.calls.open, opens);
    }
}

TEST(ComPort, RefusedOpenKeepsTheReasonAndStaysClosed)
{
    FakeSerialDriver fake;
    fake.failOpen = true;
    ComPort port{fake};
    port.portNumber = 2;
    port.setDevices({{"com2", "/dev/ttyUSB9"}});
    EXPECT_FALSE(port.Open());
    EXPECT_STREQ(port.lastError(), "Open port error");
    EXPECT_EQ(fake.openedDevice, "/dev/ttyUSB9");
    EXPECT_EQ(port.openFailureReason(), "/dev/ttyUSB9: No such file or directory");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.Write(counting(3)), 0);
}

TEST_F(OpenPort, ConfigureAppliesTheSettingsAndKeepsOtherFields)
{
    const struct {
        int parity;
        std::uint8_t code;
        std::uint8_t check;
    } cases[] = {{'n', 0, 0}, {'o', 1, 1}, {'e', 2, 1}, {'E', 0, 0}, {'O', 0, 0}, {'x', 0, 0}};
    for (const auto& c : cases) {
        fake.controlBlock.ctsOutputFlow = fake.controlBlock.dsrSensitivity = 1;
        fake.controlBlock.xonChar = 0x21;
        port.baudRate = 28800;
        port.byteSize = 7;
        port.stopBits = 2;
        port.parity = c.parity;
        ASSERT_TRUE(port.Configure()) << port.lastError();
        const ControlBlock& b = fake.controlBlock;
        EXPECT_EQ(b.parity, c.code) << char(c.parity);
        EXPECT_EQ(b.parityCheck, c.check) << char(c.parity);
        EXPECT_EQ(b.baudRate, 28800u);
        EXPECT_EQ(b.byteSize, 7);
        EXPECT_EQ(b.stopBits, 2);
        EXPECT_EQ(
            b.ctsOutputFlow + b.dsrOutputFlow + b.dsrSensitivity + b.dtrControl + b.rtsControl, 0);
        EXPECT_EQ(b.xonChar, 0x21);
        EXPECT_EQ(fake.timeouts, (Timeouts{0xFFFFFFFFu, 0, 0, 10, 100}));
        EXPECT_TRUE(port.timeoutsChanged());
    }
}

TEST_F(OpenPort, ConfigureFailuresLeaveTheirTextAndWhatTheStepsBeforeDid)
{
    struct Case {
        bool FakeSerialDriver::*fail;
        const char* text;
        int setBlockCalls;
        int setTimeoutCalls;
    };
    const Case cases[] = {
        {&FakeSerialDriver::failGetControlBlock, "Get DCB error", 0, 0},
        {&FakeSerialDriver::failSetControlBlock, "Set DCB error", 1, 0},
        {&FakeSerialDriver::failGetTimeouts, "Set Timeouts error", 1, 0},
        {&FakeSerialDriver::failSetTimeouts, "Set Timeouts error", 1, 1},
    };
    for (const auto& c : cases) {
        fake.calls = {};
        fake.*c.fail = true;
        EXPECT_FALSE(port.Configure());
        EXPECT_STREQ(port.lastError(), c.text);
        EXPECT_EQ(fake.calls.setControlBlock, c.setBlockCalls) << c.text;
        EXPECT_EQ(fake.calls.setTimeouts, c.setTimeoutCalls) << c.text;
        EXPECT_FALSE(port.timeoutsChanged());
        EXPECT_TRUE(port.isOpen());
        fake.*c.fail = false;
    }
    // Nothing was installed, so Close restores nothing.
    fake.calls = {};
    port.Close();
    EXPECT_EQ(fake.calls.setTimeouts, 0);
    EXPECT_EQ(fake.calls.close, 1);
}

TEST(ComPort, ConfigureOnAClosedPortIsAGetDcbError)
{
    FakeSerialDriver fake;
    ComPort port{fake};
    EXPECT_FALSE(port.Configure());
    EXPECT_STREQ(port.lastError(), "Get DCB error");
    EXPECT_EQ(fake.calls.total(), 0);
}

TEST_F(OpenPort, ReopenAndCloseRestoreTheSavedTimeoutsOnce)
{
    ASSERT_TRUE(port.Configure());
    ASSERT_TRUE(port.Open());  // closes first
    EXPECT_EQ(fake.timeouts, (Timeouts{1, 2, 3, 4, 5}));
    EXPECT_EQ(fake.calls.close, 1);
    EXPECT_EQ(fake.calls.open, 2);
    EXPECT_FALSE(port.timeoutsChanged());

    ASSERT_TRUE(port.Configure());
    ASSERT_TRUE(port.Configure());  // a second Configure must not save its own time-outs
    port.Close();
    EXPECT_EQ(fake.timeouts, (Timeouts{1, 2, 3, 4, 5}));
    const int calls = fake.calls.total();
    port.Close();
    EXPECT_EQ(fake.calls.total(), calls);
}

TEST_F(OpenPort, ReadTakesOnlyWhatIsWaitingThroughTheReceiveBuffer)
{
    EXPECT_EQ(port.ReadByte(), -1);
    EXPECT_EQ(fake.calls.read, 0);

    const auto bytes = counting(300);
    fake.feed(bytes);
    EXPECT_EQ(port.ReadByte(), 0);
    EXPECT_EQ(fake.calls.read, 1);
    const int queries = fake.calls.queryStatus;
    for (int i = 1; i < 256; ++i)
        ASSERT_EQ(port.ReadByte(), bytes[i]);
    EXPECT_EQ(fake.calls.read, 1);
    EXPECT_EQ(fake.calls.queryStatus, queries);
    EXPECT_EQ(port.ReadByte(), bytes[256]);
    EXPECT_EQ(fake.calls.read, 2);
    EXPECT_EQ(port.bufferedCount(), 43u);
    for (int i = 257; i < 300; ++i)
        ASSERT_EQ(port.ReadByte(), bytes[i]);
    EXPECT_EQ(port.ReadByte(), -1);
    EXPECT_EQ(fake.calls.read, 2);
}

TEST_F(OpenPort, PurgeAndOpenEmptyTheReceiveBuffer)
{
    fake.feed("abc");
    EXPECT_EQ(port.ReadByte(), 'a');
    fake.feed("xyz");
    port.Purge();
    EXPECT_TRUE(fake.input.empty());
    EXPECT_EQ(port.ReadByte(), -1);
    fake.feed("def");
    EXPECT_EQ(port.ReadByte(), 'd');
    port.Close();
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.ReadByte(), -1);
}

TEST_F(OpenPort, WritesReportWhatTheDriverSent)
{
    EXPECT_TRUE(port.WriteString(""));
    EXPECT_EQ(fake.calls.write, 1);
    EXPECT_TRUE(port.WriteString("S"));
    EXPECT_EQ(port.Write(counting(2048)), 2048);
    EXPECT_EQ(fake.output.size(), 2049u);

    fake.writeLimit = 1;
    EXPECT_FALSE(port.WriteString("X0"));
    EXPECT_EQ(port.Write(counting(2048)), 1);
    fake.failWrite = true;
    EXPECT_FALSE(port.WriteString("S"));
    EXPECT_EQ(port.Write(counting(4)), 0);
}

TEST_F(OpenPort, WriteTimeoutIsTenMsPerBytePlusAHundred)
{
    ASSERT_TRUE(port.Configure());
    for (std::size_t n : {0u, 1u, 2u, 2048u})
        EXPECT_EQ(writeDeadlineMs(fake.timeouts, n), 10 * n + 100);
    EXPECT_EQ(writeDeadlineMs(fake.timeouts, 2048), 20580u);
}

TEST_F(OpenPort, ClosedOrVanishedPortFailsEveryOperationQuietly)
{
    fake.controlBlock.baudRate = 4800;
    EXPECT_EQ(port.GetControlBlock().baudRate, 4800u);
    EXPECT_STREQ(port.lastError(), "");

    fake.vanished = true;
    fake.feed("x");
    EXPECT_EQ(port.ReadByte(), -1);
    EXPECT_FALSE(port.WriteString("S"));
    EXPECT_FALSE(port.ClearErrors());

    port.Close();
    fake.vanished = false;
    const int calls = fake.calls.total();
    EXPECT_EQ(port.ReadByte(), -1);
    EXPECT_FALSE(port.WriteString(""));
    EXPECT_EQ(port.Write(counting(2)), 0);
    EXPECT_FALSE(port.ClearErrors());
    port.Purge();
    EXPECT_EQ(port.GetControlBlock().baudRate, 4800u);  // the last copy fetched
    EXPECT_STREQ(port.lastError(), "Get DCB error");
    EXPECT_EQ(fake.calls.total(), calls);
}
