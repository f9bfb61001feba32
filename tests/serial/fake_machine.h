#pragma once
// A folder laid out like /sys and /dev: an FTDI adapter with a by-id name, an Arduino
// without a serial number or by-id name, a UART that is there, one that is not, and a
// virtual console.

#include "temp_dir.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

namespace quelvar::test {

inline constexpr const char* kFtdiById =
    "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";

struct FakeMachine {
    TempDir root;

    FakeMachine()
    {
        usbDevice("usb1/1-1", {{"idVendor", "0403"},
                               {"product", "FT232R USB UART"},
                               {"manufacturer", "FTDI"},
                               {"serial", "A1B2C3"}});
        usbDevice(
            "usb1/1-2",
            {{"idVendor", "2341"}, {"product", "Arduino\tUno "}, {"manufacturer", "Arduino"}});
        tty("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0");
        tty("ttyACM0", "usb1/1-2/1-2:1.0");
        tty("ttyS0", "platform/serial8250", "4");
        tty("ttyS1", "platform/serial8250", "0");
        std::filesystem::create_directories(root.path("sys/class/tty/tty0"));
        std::filesystem::create_directories(root.path("dev/serial/by-id"));
        root.write("dev/ttyUSB0", "");
        std::filesystem::create_symlink("../../ttyUSB0",
                                        root.path(std::string(kFtdiById).substr(1)));
    }

    void usbDevice(const std::string& path,
                   std::initializer_list<std::pair<std::string, std::string>> attributes)
    {
        std::filesystem::create_directories(root.path("sys/devices/" + path));
        for (const auto& [name, value] : attributes)
            root.write("sys/devices/" + path + "/" + name, value + "\n");
    }

    void tty(const std::string& name, const std::string& device, const std::string& type = {})
    {
        std::filesystem::create_directories(root.path("sys/devices/" + device));
        std::filesystem::create_directories(root.path("sys/class/tty/" + name));
        std::filesystem::create_symlink("../../../devices/" + device,
                                        root.path("sys/class/tty/" + name + "/device"));
        if (!type.empty()) root.write("sys/class/tty/" + name + "/type", type + "\n");
    }
};

}  // namespace quelvar::test
