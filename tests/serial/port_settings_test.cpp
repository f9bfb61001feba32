#include "serial/com_test.h"
#include "serial/fake_serial_driver.h"
#include "serial/port_settings.h"

#include <gtest/gtest.h>

using namespace quelvar;

TEST(PortSettings, EachItemWritesItsValueAndShowsFromIt)
{
    const struct {
        SettingGroup group;
        std::int32_t PortSettings::*field;
        std::vector<std::int32_t> values;  // written by items 0, 1, ...
    } groups[] = {
        {SettingGroup::Port, &PortSettings::portNumber, {1, 2, 3, 4}},
        {SettingGroup::Baud,
         &PortSettings::baudRate,
         {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200}},
        {SettingGroup::Parity, &PortSettings::parity, {'n', 'o', 'e'}},
        {SettingGroup::DataBits, &PortSettings::byteSize, {7, 8}},
        {SettingGroup::StopBits, &PortSettings::stopBits, {0, 2}},
    };
    for (const auto& g : groups) {
        ASSERT_EQ(settingGroupItems(g.group).size(), g.values.size());
        for (int item = 0; item < int(g.values.size()); ++item) {
            PortSettings settings;
            chooseSettingItem(settings, g.group, item);
            EXPECT_EQ(settings.*g.field, g.values[item]) << settingGroupCaption(g.group);
            EXPECT_EQ(shownSettingItem(settings, g.group), item) << settingGroupCaption(g.group);
        }
    }
}

TEST(PortSettings, ValuesOutsideTheListsShowTheFirstItemOrNone)
{
    const PortSettings odd{5, 14400, 6, 'E', 1};
    EXPECT_EQ(shownSettingItem(odd, SettingGroup::Port), -1);
    EXPECT_EQ(shownSettingItem(odd, SettingGroup::Baud), 0);
    EXPECT_EQ(shownSettingItem(odd, SettingGroup::Parity), 0);
    EXPECT_EQ(shownSettingItem(odd, SettingGroup::DataBits), 1);
    EXPECT_EQ(shownSettingItem(odd, SettingGroup::StopBits), 1);
    EXPECT_EQ(shownSettingItem({0}, SettingGroup::Port), -1);
}

TEST(ControlBlockView, TwentyFourRowsInTheirOrder)
{
    ControlBlock block = freshPortControlBlock();
    block.stopBits = 1;
    block.eofChar = char(0xFF);
    const auto rows = controlBlockRows(block);
    ASSERT_EQ(rows.size(), 24u);
    const std::pair<std::string, std::string> expected[] = {
        {"Baud Rate", "9600"}, {"Byte Size", "8"},         {"Stop Bits", " 1.5 stop bits"},
        {"DTR Control", "1"},  {"TX/RX Xoff Char", " 19"}, {"EOF Character", " -1"},
        {"DCB size", "28"},
    };
    for (const auto& row : expected)
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row.first;
    EXPECT_EQ(rows[3].first, "Stop Bits");
    EXPECT_EQ(rows[23].first, "DCB size");
}

TEST(ComTest, ReceivedBytesShowOneCharacterEachControlBytesWithACaret)
{
    FakeSerialDriver fake;
    ComPort port{fake};
    port.portNumber = 1;
    ASSERT_TRUE(port.Open());
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"AB\r\n", "AB^M^J"},
        {std::string("A\0B", 3), "A^@B"},  // a zero byte hides nothing after it
        {"\x1b\x1f\x7f\xe9", "^[^_\x7f\xe9"},
    };
    for (const auto& c : cases) {
        std::string text;
        fake.feed(c.bytes);
        EXPECT_TRUE(pollReceived(port, text));
        EXPECT_EQ(text, c.shown);
    }
    std::string text = "kept";
    EXPECT_FALSE(pollReceived(port, text));
    EXPECT_EQ(text, "kept");
}

TEST(ComTest, ReceiveTextTrimsEightyAtATimeWhileOver1024)
{
    const struct {
        std::size_t length, trimmed;
    } cases[] = {{1024, 1024}, {1025, 945}, {1100, 1020}, {1104, 1024}, {2048, 1008}};
    for (const auto& c : cases) {
        std::string text(c.length - 1, 'a');
        text += 'z';
        trimReceiveText(text);
        EXPECT_EQ(text.size(), c.trimmed) << c.length;
        EXPECT_EQ(text.back(), 'z');
    }
}

TEST(ComTest, PortSummaryShowsTheLineTheDriverHas)
{
    FakeSerialDriver fake;
    ComPort port{fake};
    port.setDevices({{"com2", "/dev/ttyUSB0"}});
    port.portNumber = 2;
    EXPECT_EQ(portSummary(port).device, "Device    \t/dev/ttyUSB0 (not open)");
    ASSERT_TRUE(port.Open());
    port.byteSize = 7;
    port.parity = 'e';
    port.stopBits = 2;
    ASSERT_TRUE(port.Configure());
    PortSummary s = portSummary(port);
    EXPECT_EQ(s.comPort, "Com Port  \tCom 2");
    EXPECT_EQ(s.device, "Device    \t/dev/ttyUSB0");
    EXPECT_EQ(s.baudRate, "Baud Rate \t57600");
    EXPECT_EQ(s.dataBits, "Data Bits \t7");
    EXPECT_EQ(s.parity, "Parity\t\teven");
    EXPECT_EQ(s.stopBits, "Stop Bits \t2");
    // A pty reports parity checking on a line without parity.
    fake.controlBlock.parity = kNoParity;
    fake.controlBlock.stopBits = 1;
    s = portSummary(port);
    EXPECT_EQ(s.parity, "Parity\t\tno parity");
    EXPECT_EQ(s.stopBits, "Stop Bits \t other");
    EXPECT_EQ(txCountText(3), "tx count   3");
}
