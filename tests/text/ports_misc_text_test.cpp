// [ports], [misc], [analog_output], [fixed_registers] and [passwords]: what a
// technician types gives the bytes the dialogs store, and what they cannot show is
// written raw.
#include "model/bytes.h"
#include "model/check_bytes.h"
#include "report_setups.h"
#include "whole_text.h"

#include <gtest/gtest.h>

namespace quelvar::text {
namespace {

TEST(PortsMiscText, ReadableKeysGiveTheBytesTheDialogsStore)
{
    const struct {
        const char* text;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"[ports]\ncom_port_1_mode = \"7 even\"", 68, {2}},
        {"[ports]\ncom_port_2_mode = \"8 odd\"", 70, {6}},
        {"[ports]\ncom_port_1_baud_rate = \"150\"", 69, {7}},
        {"[ports]\ntx_format = \"Ohas\"", 73, {4}},
        {"[ports]\nprinter_select = \"Parallel\"", 78, {1}},
        {"[ports]\nstation_id = 200", 72, {200}},
        {"[ports]\nauto_lf_after_cr = false", 79, {0}},
        {"[ports]\nprint_code_2 = \" 27 $40  0x1B \"", 162, {27, 64, 27, 0}},
        {"[misc]\ndisplay_intensity = 7", 77, {7}},
        {"[misc]\nwatchdog_timer = true\nid_auto_erase = false", 103, {1}},
        {"[misc]\nid_auto_erase = false", 366, {0}},
        {"[analog_output]\nregister = \"Net\"", 1560, {66}},
        {"[analog_output]\nregister = \"\"", 1560, {0}},
        {"[analog_output]\noffset = -5", 1556, {0xFB, 0xFF, 0xFF, 0xFF}},
        {"[fixed_registers]\nregister_44 = \"-12.50\"", 414, {0x50, 0x12, 0, 0, 0, 0x82}},
        {"[passwords]\npassword_2 = \"1234\"", 88, {'1', '2', '3', '4', 0}},
        {"[passwords]\npassword_2 = \"1234\"", 97, {0x34, 0xFF}},  // ~(1 + 202)
        {"[passwords]\npassword_1 = \"\"", 95, {0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        ASSERT_TRUE(r.ok()) << c.text << ": " << r.error;
        const std::vector<std::uint8_t> got(r.setup.image.begin() + c.offset,
                                            r.setup.image.begin() + c.offset + c.bytes.size());
        EXPECT_EQ(got, c.bytes) << c.text;
    }
}

TEST(PortsMiscText, RefusesWhatTheDialogsRefuseWithTheirMessages)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"[analog_output]\nregister = \"gross\"",
         "2: analog_output.register: Register name is invalid"},
        {"[fixed_registers]\n\nregister_43 = \"12a\"",
         "3: fixed_registers.register_43: '12a' is not a valid decimal value"},
        {"[ports]\nprint_code_1 = \"27 x 0\"",
         "2: ports.print_code_1: 'x' is not a valid integer value"},
        {"[ports]\nprint_code_3 = \"255 256 0\"",
         "2: ports.print_code_3: 256 is out of range (0 to 255)"},
        {"[ports]\nprint_code_1 = \"27 64\"",
         "2: ports.print_code_1: a print code is three numbers"},
        {"[ports]\ncom_port_1_mode = \"9 none\"",
         "2: ports.com_port_1_mode: \"9 none\" is not data bits"},
        {"[ports]\ncom_port_1_mode = \"8 none 1\"",
         "2: ports.com_port_1_mode: \"8 none 1\" is not"},
        {"[ports]\ncom_port_2_baud_rate = \"19200\"",
         "2: ports.com_port_2_baud_rate: \"19200\" is not one of \"9600\""},
        {"[passwords]\npassword_1 = \"12ab\"",
         "2: passwords.password_1: a password is at most 6 digits"},
        {"[passwords]\npassword_2 = \"1234567\"",
         "2: passwords.password_2: a password is at most 6 digits"},
    };
    for (const auto& c : cases) {
        const ImportResult r = importWhole(c.text);
        EXPECT_TRUE(r.error.starts_with(c.error)) << c.text << " gave " << r.error;
    }
}

TEST(PortsMiscText, WhatTheDialogsCannotShowIsWrittenRaw)
{
    const struct {
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        const char* written;
    } cases[] = {
        {69, {0}, "com_port_1_baud_rate = { raw = 0 }  #"},
        {70, {7}, "com_port_2_mode = { raw = 7 }  #"},
        {79, {2}, "auto_lf_after_cr = { raw = 2 }  #"},
        {161, {1}, "print_code_1 = { hex = \"00 FF FF 01\" }"},
        {1560, {0xFF}, "register = { raw = 255 }  #"},
        // With check words that match, only what the keypad cannot enter makes them raw.
        {81,
         {'1', '2', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x3A, 0xFF},
         "password_1 = { hex = \"31 32 61 00 00 00 00 3A FF\" }"},
        // A shortened password keeps the old digits after its 0, written beside it.
        {88, {'1', 0, '5', 0, 0, 0, 0, 0xFF, 0xFF, 0xCD, 0xFF}, "password_2_bytes = \"31 00 35"},
        {97, {0, 0}, "password_2 = { hex = \"00"},
    };
    for (const auto& c : cases) {
        quelvar::Setup setup = test::factorySetup();
        std::copy(c.bytes.begin(), c.bytes.end(), setup.image.begin() + c.offset);
        const std::string text = exportSetupText(setup);
        EXPECT_NE(text.find(c.written), std::string::npos) << c.written << " not in\n" << text;
    }
}

}  // namespace
}  // namespace quelvar::text
