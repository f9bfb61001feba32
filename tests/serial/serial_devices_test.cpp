#include "serial/serial_devices.h"

#include "cli_runner.h"
#include "fake_machine.h"

#include <gtest/gtest.h>

using namespace quelvar;
using quelvar::test::FakeMachine;

TEST(SerialDevices, ListsDevicesWithWhatSysfsKnowsAndTheirStableNames)
{
    FakeMachine machine;
    const std::vector<SerialDevice> devices = listSerialDevices(machine.root.path());
    const struct {
        std::string summary, tabLine, preferred;
    } expected[] = {
        {"/dev/ttyACM0 \u2014 Arduino Uno, Arduino", "/dev/ttyACM0\tArduino Uno\tArduino\t\t",
         "/dev/ttyACM0"},
        {"/dev/ttyS0", "/dev/ttyS0\t\t\t\t", "/dev/ttyS0"},
        {"/dev/ttyUSB0 \u2014 FT232R USB UART, FTDI, A1B2C3",
         "/dev/ttyUSB0\tFT232R USB UART\tFTDI\tA1B2C3\t" + std::string(test::kFtdiById),
         test::kFtdiById},
    };
    ASSERT_EQ(devices.size(), std::size(expected));
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(deviceSummary(devices[i]), expected[i].summary);
        EXPECT_EQ(deviceTabLine(devices[i]), expected[i].tabLine);
        EXPECT_EQ(devices[i].preferredName(), expected[i].preferred);
        EXPECT_EQ(findSerialDevice(devices, expected[i].preferred), &devices[i]);
    }
    EXPECT_EQ(findSerialDevice(devices, "/dev/ttyUSB0"), &devices[2]);
    EXPECT_EQ(findSerialDevice(devices, "/dev/pts/3"), nullptr);
    EXPECT_TRUE(listSerialDevices(machine.root.path("nowhere")).empty());
}

// The dialog lists the devices present, then the other devices the settings map.
TEST(SerialDevices, MappedDevicesThatAreNotListedFollowMarkedWhenMissing)
{
    FakeMachine machine;
    machine.root.write("indicator", "");  // a simulator's link to its pty
    const DeviceMap mapped = {{"com1", test::kFtdiById},
                              {"com2", "/indicator"},
                              {"com3", "/dev/ttyUSB7"},
                              {"com4", "simulated indicator"}};
    const std::vector<SerialDevice> rows =
        deviceChoices(listSerialDevices(machine.root.path()), mapped, machine.root.path());
    std::vector<std::string> texts;
    for (const SerialDevice& device : rows)
        texts.push_back(deviceChoiceText(device));
    const std::vector<std::string> expected = {
        "/dev/ttyACM0 \u2014 Arduino Uno, Arduino",
        "/dev/ttyS0",
        "/dev/ttyUSB0 \u2014 FT232R USB UART, FTDI, A1B2C3\n" + std::string(test::kFtdiById),
        "/indicator",
        "/dev/ttyUSB7 (not present)",
        "simulated indicator",
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(mappedDeviceText("/dev/ttyUSB7", rows), "/dev/ttyUSB7 (not present)");
    EXPECT_EQ(mappedDeviceText(test::kFtdiById, rows), test::kFtdiById);
    EXPECT_EQ(mappedDeviceText("/dev/ttyS3", rows), "/dev/ttyS3");  // a default, not mapped
}

// The command line prints the list the dialog shows, from the same enumeration.
TEST(SerialDevices, PortsCommandPrintsTheSameList)
{
    std::string expected;
    for (const SerialDevice& device : listSerialDevices())
        expected += deviceTabLine(device) + "\n";
    const test::CliRun run = test::runCli({"ports"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, expected);
}
