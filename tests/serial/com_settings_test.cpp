#include "serial/com_settings.h"

#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"

#include "other_user.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quelvar;
using quelvar::test::asOtherUser;
using quelvar::test::TempDir;

TEST(ComSettings, UsersKeysOverrideAndValuesThePortCannotTakeGiveDefaults)
{
    const struct {
        const char* beside;
        const char* user;
        std::array<int, 5> expected;  // comport, baud, parity, byteSize, stops
    } cases[] = {
        {"", "", {1, 57600, 'n', 8, 0}},
        {"[Com]\nbyteSize=263\nstops=3\nbaud=fast\n", "", {1, 57600, 'n', 8, 0}},
        {"[Com]\nbyteSize=5\nstops=2\nparity=101\n", "", {1, 57600, 'e', 5, 2}},
        {"[Com]\ncomport=2\nbaud=9600\n", "[COM]\nComPort=3\n", {3, 9600, 'n', 8, 0}},
        {"[Com]\nbyteSize=7\n", "[Com]\nbyteSize=4\n", {1, 57600, 'n', 8, 0}},
    };
    for (const auto& c : cases) {
        FakeSerialDriver driver;
        ComPort port(driver);
        const IniFile files[] = {IniFile(c.beside), IniFile(c.user)};
        readComSettings(files, port);
        const std::array<int, 5> read = {port.portNumber, port.baudRate, port.parity, port.byteSize,
                                         port.stopBits};
        EXPECT_EQ(read, c.expected) << c.beside << " + " << c.user;
    }
    FakeSerialDriver driver;
    ComPort port(driver);
    const IniFile files[] = {IniFile("[Devices]\nCOM1=/dev/a\ncom2=/dev/b\n"),
                             IniFile("[devices]\ncom1=/dev/c\n")};
    readComSettings(files, port);
    EXPECT_EQ(port.devices(), (DeviceMap{{"com1", "/dev/c"}, {"com2", "/dev/b"}}));
}

TEST(ComSettings, WritingKeepsEveryOtherLine)
{
    const std::string before = "[Devices]\n"
                               "com1=/dev/ttyUSB0\n"
                               "; a name that stays the same whichever USB socket:\n"
                               "; com2=/dev/serial/by-id/usb-FTDI\n"
                               "[COM]\n"
                               "Baud=9600\n";
    IniFile file(before);
    FakeSerialDriver driver;
    ComPort port(driver);
    port.portNumber = 2;
    port.baudRate = 19200;
    port.parity = 'o';
    port.byteSize = 7;
    port.stopBits = 2;
    writeComSettings(file, port);
    EXPECT_EQ(file.text(), "[Devices]\n"
                           "com1=/dev/ttyUSB0\n"
                           "; a name that stays the same whichever USB socket:\n"
                           "; com2=/dev/serial/by-id/usb-FTDI\n"
                           "[COM]\n"
                           "Baud=19200\n"
                           "comport=2\nparity=111\nbyteSize=7\nstops=2\n");
}

// The file beside the program is read whether or not it may be written; the settings
// go beside it only when it may be, and never beside an installed program.
TEST(ComSettings, SettingsGoBesideTheProgramOnlyWhenTheyMay)
{
    const struct {
        mode_t programFolder;
        bool installed;
    } rows[] = {{0555, false}, {0777, false}, {0777, true}};
    for (const auto& [programFolder, installed] : rows) {
        SCOPED_TRACE(testing::Message() << programFolder << (installed ? " installed" : ""));
        TempDir program, home;
        program.write("quelvar.INI", "; site defaults\n[Com]\nbaud=9600\n");
        ::chmod(program.path("quelvar.INI").c_str(), programFolder == 0555 ? 0444 : 0666);
        ::chmod(program.path().c_str(), programFolder);
        ::chmod(home.path().c_str(), 0777);
        const SettingsFiles files{program.path("quelvar.INI"), home.path("config/quelvar.INI"),
                                  installed};
        const auto outcome = asOtherUser([&] {
            FakeSerialDriver driver;
            ComPort port(driver);
            ReadSettings(files, port);
            int faults = port.baudRate == 9600 ? 0 : 1;
            port.baudRate = 19200;
            if (!WriteSettings(files, port).ok()) faults |= 2;
            ReadSettings(files, port);
            if (port.baudRate != 19200) faults |= 4;
            const bool besideKept =
                program.read("quelvar.INI").find("baud=9600") != std::string::npos;
            if (besideKept != (programFolder == 0555 || installed)) faults |= 8;
            return faults;
        });
        ::chmod(program.path().c_str(), 0755);
        if (!outcome) GTEST_SKIP() << "no second user to write as";
        EXPECT_EQ(*outcome, 0) << "1 read, 2 write, 4 read back, 8 wrong file written";
    }
}

// A user's file at the place earlier versions used is read while there is none at the
// new place, and the next write moves it there with its other lines.
TEST(ComSettings, TheUsersFileMovesFromTheOldPlaceOnTheNextWrite)
{
    TempDir config;
    SettingsFiles files{config.path("bin/quelvar.INI"), "", true};
    placeUserSettings(files, config.path(), "quelvar.INI");
    std::filesystem::create_directories(config.path("quelvar/quelvar"));
    config.write("quelvar/quelvar/quelvar.INI", "; mine\n[Com]\nbaud=9600\n");
    FakeSerialDriver driver;
    ComPort port(driver);
    ReadSettings(files, port);
    EXPECT_EQ(port.baudRate, 9600);

    port.baudRate = 19200;
    ASSERT_TRUE(WriteSettings(files, port).ok());
    EXPECT_EQ(config.read("quelvar/quelvar.INI").find("; mine\n[Com]\nbaud=19200\n"), 0u);
    EXPECT_FALSE(std::filesystem::exists(config.path("quelvar/quelvar")));

    // Once moved, a file that shows up at the old place again is not read.
    std::filesystem::create_directories(config.path("quelvar/quelvar"));
    config.write("quelvar/quelvar/quelvar.INI", "[Com]\nbaud=1200\n");
    ReadSettings(files, port);
    EXPECT_EQ(port.baudRate, 19200);
}

// $XDG_CONFIG_DIRS lists the system's folders, the most important first; each
// file is read before the one beside the program, and the user's wins over all.
TEST(ComSettings, SystemDefaultsAreReadFirstTheMostImportantLast)
{
    const struct {
        const char* configDirs;
        std::vector<std::string> files;
    } cases[] = {
        {nullptr, {"/etc/xdg/quelvar/q.INI"}},
        {"", {"/etc/xdg/quelvar/q.INI"}},
        {"relative:", {"/etc/xdg/quelvar/q.INI"}},
        {"/site:relative:/etc/xdg", {"/etc/xdg/quelvar/q.INI", "/site/quelvar/q.INI"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(systemSettingsFiles(c.configDirs, "q.INI"), c.files) << c.configDirs;

    TempDir dir;
    SettingsFiles files{dir.path("beside.INI"), dir.path("user.INI"), false};
    files.system = {dir.path("xdg.INI"), dir.path("site.INI")};
    dir.write("xdg.INI", "[Com]\ncomport=2\nbaud=1200\nparity=101\nbyteSize=7\n");
    dir.write("site.INI", "[Com]\ncomport=3\nbaud=2400\nparity=111\n");
    dir.write("beside.INI", "[Com]\ncomport=4\nbaud=4800\n");
    dir.write("user.INI", "[Com]\nbaud=9600\n");
    FakeSerialDriver driver;
    ComPort port(driver);
    ReadSettings(files, port);
    EXPECT_EQ(port.baudRate, 9600);
    EXPECT_EQ(port.portNumber, 4);
    EXPECT_EQ(port.parity, 'o');
    EXPECT_EQ(port.byteSize, 7);
    ASSERT_TRUE(WriteSettings(files, port).ok());
    EXPECT_EQ(dir.read("site.INI"), "[Com]\ncomport=3\nbaud=2400\nparity=111\n");
}
