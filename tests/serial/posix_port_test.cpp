// ComPort on the real POSIX driver: what the OS refuses, and exclusive use.

#include "pty.h"
#include "serial/com_port.h"
#include "serial/posix_serial_driver.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quelvar;

TEST(PosixPort, DevicesThatAreNoSerialPortDoNotOpen)
{
    const test::TempDir dir;
    dir.write("plain.sf", "not a port");
    const struct {
        std::string device;
        std::string reason;
    } cases[] = {
        {dir.path("missing"), "No such file or directory"},
        {dir.path("plain.sf"), "not a serial device"},
        {dir.path(), "Is a directory"},
    };
    for (const auto& c : cases) {
        ComPort port;
        port.portNumber = 3;
        port.setDevices({{"com3", c.device}});
        EXPECT_FALSE(port.Open()) << c.device;
        EXPECT_STREQ(port.lastError(), "Open port error");
        EXPECT_NE(port.openFailureReason().find(c.reason), std::string::npos)
            << port.openFailureReason();
        EXPECT_EQ(port.openFailureReason().rfind(c.device, 0), 0u);
        EXPECT_FALSE(port.isOpen());
    }
}

TEST(PosixPort, OpenFailuresSayWhatTheUserCanDo)
{
    const struct {
        int error;
        const char* hint;
    } cases[] = {{EACCES, "dialout"},
                 {ENOENT, "plugged in"},
                 {EBUSY, "in use by another program"},
                 {EIO, "no working serial port"}};
    for (const auto& c : cases)
        EXPECT_NE(describeOpenFailure("/dev/ttyS0", c.error).find(c.hint), std::string::npos)
            << c.hint;
}

TEST(PosixPort, ASecondOpenOfAPortInUseFails)
{
    test::Pty pty;
    ASSERT_TRUE(pty.ok());
    ComPort first;
    ComPort second;
    for (ComPort* port : {&first, &second}) {
        port->portNumber = 1;
        port->setDevices({{"com1", pty.slavePath()}});
    }
    ASSERT_TRUE(first.Open()) << first.openFailureReason();
    EXPECT_FALSE(second.Open());
    EXPECT_STREQ(second.lastError(), "Open port error");
    EXPECT_NE(second.openFailureReason().find("in use"), std::string::npos)
        << second.openFailureReason();
    first.Close();
    EXPECT_TRUE(second.Open()) << second.openFailureReason();
}

