#include "model/ini_file.h"

#include <gtest/gtest.h>

using quelvar::IniFile;

TEST(IniFile, NamesMatchInAnyCaseAndTheFirstKeyWins)
{
    const IniFile ini("; settings\n"
                      "top=outside any section\n"
                      "[COM]\n"
                      "  ComPort = 3 ; the USB adapter\n"
                      "comport=4\n"
                      "baud=\n"
                      "[Devices]\r\n"
                      "com1=/dev/ttyUSB0\r\n"
                      "[com]\n"
                      "stops=2\n"
                      "bytesize=8x");
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
        std::optional<int> integer;
    } cases[] = {
        {"Com", "comport", "3", 3},
        {"com", "BAUD", "", std::nullopt},
        {"Com", "stops", "2", 2},  // a second section of the same name
        {"Com", "byteSize", "8x", std::nullopt},
        {"Devices", "COM1", "/dev/ttyUSB0", std::nullopt},
        {"Com", "top", std::nullopt, std::nullopt},
        {"Com", "com1", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.value(c.section, c.key), c.value) << c.section << "/" << c.key;
        EXPECT_EQ(ini.integer(c.section, c.key), c.integer) << c.section << "/" << c.key;
    }
    EXPECT_EQ(IniFile("[a]\nn=+8\n").integer("a", "n"), 8);
    EXPECT_EQ(IniFile("[a]\nn=-3\n").integer("a", "n"), -3);
    EXPECT_EQ(IniFile("[a]\nn=99999999999\n").integer("a", "n"), std::nullopt);
    EXPECT_EQ(ini.entries("devices"),
              (std::vector<std::pair<std::string, std::string>>{{"com1", "/dev/ttyUSB0"}}));
}

TEST(IniFile, SettingAKeyChangesOnlyItsLine)
{
    const struct {
        const char* name;
        const char* before;
        const char* key;
        const char* after;
    } cases[] = {
        {"value of a key in odd case, comment kept", "; top\n[COM]\nComPort = 1 ; usb\n\n",
         "comport", "; top\n[COM]\nComPort = 7 ; usb\n\n"},
        {"first of two keys", "[Com]\nbaud=1\nbaud=2\n", "baud", "[Com]\nbaud=7\nbaud=2\n"},
        {"new key after the section's last key",
         "[Com]\nbaud=1\n; devices follow\n\n[Devices]\ncom1=/dev/ttyUSB0\n", "stops",
         "[Com]\nbaud=1\nstops=7\n; devices follow\n\n[Devices]\ncom1=/dev/ttyUSB0\n"},
        {"no final newline", "[Com]\nbaud=1", "stops", "[Com]\nbaud=1\nstops=7\n"},
        {"CR LF file, new section", "[Devices]\r\ncom1=/dev/ttyS1", "stops",
         "[Devices]\r\ncom1=/dev/ttyS1\r\n\r\n[Com]\r\nstops=7\r\n"},
        {"empty file", "", "stops", "[Com]\nstops=7\n"},
    };
    for (const auto& c : cases) {
        IniFile ini(c.before);
        ini.setValue("Com", c.key, "7");
        EXPECT_EQ(ini.text(), c.after) << c.name;
        EXPECT_EQ(ini.integer("Com", c.key), 7) << c.name;
    }
}
