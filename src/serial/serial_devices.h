#pragma once
// The serial devices present on this machine, as the port settings dialog and
// `quelvar-cli ports` list them: the ttys under /sys/class/tty that stand for a
// device (a UART that is really there, a USB adapter), with the USB product, maker
// and serial number sysfs gives, and the stable name under /dev/serial/by-id.
// Pseudo-terminals stand for no device and are not listed.

#include "serial/com_port.h"

#include <span>
#include <string>
#include <vector>

namespace quelvar {

struct SerialDevice {
    std::string device;             // "/dev/ttyUSB0"
    std::string description = {};   // the USB product: "FT232R USB UART"
    std::string manufacturer = {};  // "FTDI"
    std::string serialNumber = {};  // "A1B2C3"
    std::string byId = {};          // "/dev/serial/by-id/usb-FTDI_...", or empty
    bool present = true;

    // The name to map a port to: the by-id one, which stays the same whichever USB
    // socket the adapter is in, else the device.
    const std::string& preferredName() const { return byId.empty() ? device : byId; }
};

// The devices in name order. `root` stands for "/": tests give a folder laid out
// like /sys and /dev.
std::vector<SerialDevice> listSerialDevices(const std::string& root = "/");

// "/dev/ttyUSB0 — FT232R USB UART, FTDI, A1B2C3": the device and what is known of it.
std::string deviceSummary(const SerialDevice& device);
// One line of `quelvar-cli ports`: device, product, maker, serial number and by-id
// name, separated by tabs (an unknown one empty).
std::string deviceTabLine(const SerialDevice& device);

// The rows of the port settings dialog's list: the devices present, then each other
// device `mapped` names (a pseudo-terminal, an adapter unplugged), not present when
// it is a path where nothing is (under `root`, as for listSerialDevices).
std::vector<SerialDevice> deviceChoices(std::vector<SerialDevice> present, const DeviceMap& mapped,
                                        const std::string& root = "/");
// A row's text: the summary, "(not present)" after a device that is not, and the
// by-id name on a second line.
std::string deviceChoiceText(const SerialDevice& device);
// A port's device as the dialog names it: the path, "(not present)" after one of the
// rows that is not.
std::string mappedDeviceText(const std::string& path, std::span<const SerialDevice> rows);

// The device `path` names (as its device or its by-id name), or null.
const SerialDevice* findSerialDevice(std::span<const SerialDevice> devices,
                                     const std::string& path);

}  // namespace quelvar
