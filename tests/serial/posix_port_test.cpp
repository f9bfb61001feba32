// ComPort on the real POSIX driver: what the OS refuses, exclusive use and lock files.

#include "pty.h"
#include "serial/com_port.h"
#include "serial/posix_serial_driver.h"
#include "serial/uucp_lock.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

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
    second.Close();
    // Root passes the exclusive flag by; everyone else would find the closed port busy.
    const int fd = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    int exclusive = -1;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(fd);
}

TEST(PosixPort, LockFileNamesFollowTheUucpConvention)
{
    EXPECT_EQ(lockFileName("/dev/ttyS0"), "LCK..ttyS0");
    EXPECT_EQ(lockFileName("/dev/pts/3"), "LCK..pts_3");
    EXPECT_EQ(lockFileName("/dev/serial/none-such-adapter"), "LCK..serial_none-such-adapter");
}

TEST(PosixPort, LockFilesOfLiveProcessesAreHonouredAndStaleOnesReplaced)
{
    test::Pty pty;
    ASSERT_TRUE(pty.ok());
    const test::TempDir locks;
    const std::string name = lockFileName(pty.slavePath());
    PosixSerialDriver driver(locks.path());
    ComPort port(driver);
    port.portNumber = 1;
    port.setDevices({{"com1", pty.slavePath()}});

    locks.write(name, "         1\n");  // init never goes away
    EXPECT_FALSE(port.Open());
    EXPECT_NE(port.openFailureReason().find("in use by another program (process 1)."),
              std::string::npos)
        << port.openFailureReason();

    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    locks.write(name, std::to_string(gone) + "\n");
    ASSERT_TRUE(port.Open()) << port.openFailureReason();
    char expected[16];
    std::snprintf(expected, sizeof expected, "%10d\n", static_cast<int>(getpid()));
    EXPECT_EQ(locks.read(name), expected);
    port.Close();
    EXPECT_TRUE(locks.entries().empty());

    // A lock folder this user may not write in leaves the port usable without one.
    if (geteuid() != 0) {
        ::chmod(locks.path().c_str(), 0555);
        EXPECT_TRUE(port.Open()) << port.openFailureReason();
        EXPECT_TRUE(locks.entries().empty());
        port.Close();
        ::chmod(locks.path().c_str(), 0755);
    }
}
