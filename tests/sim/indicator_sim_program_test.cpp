// quelvar-indicator-sim on its pty against ComPort on the real POSIX driver.

#include "cli_runner.h"
#include "sim_process.h"
#include "temp_dir.h"

#include "model/check_bytes.h"
#include "model/setup_file.h"
#include "serial/com_port.h"
#include "transfer/link.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace quelvar;
namespace fs = std::filesystem;

namespace {

// The simulator program, started with some options.
struct Sim : test::SimProcess {
    explicit Sim(const std::vector<std::string>& args) : SimProcess(QUELVAR_INDICATOR_SIM, args) {}
};

// ComPort as the editor uses it, on the simulator's device.
struct PortOn {
    ComPort port;
    explicit PortOn(const std::string& device)
    {
        port.portNumber = 1;
        port.setDevices({{"com1", device}});
    }

    // Bytes that arrive within `patience`, stopping early once `count` have come.
    std::vector<std::uint8_t>
    read(std::size_t count, std::chrono::milliseconds patience = std::chrono::milliseconds(2000))
    {
        std::vector<std::uint8_t> bytes;
        const auto end = std::chrono::steady_clock::now() + patience;
        while (bytes.size() < count && std::chrono::steady_clock::now() < end) {
            const int b = port.ReadByte();
            if (b >= 0)
                bytes.push_back(static_cast<std::uint8_t>(b));
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return bytes;
    }
};

using Bytes = std::vector<std::uint8_t>;

}  // namespace

TEST(IndicatorSimProgram, WholeUploadAndDownloadOverAPty)
{
    const test::TempDir dir;
    const std::string saved = dir.path("saved.sf");
    Sim sim({"--baud", "115200", "--save", saved});
    ASSERT_FALSE(sim.devicePath().empty());
    PortOn line(sim.devicePath());
    ASSERT_TRUE(line.port.Open()) << line.port.openFailureReason();
    ASSERT_TRUE(line.port.Configure()) << line.port.lastError();

    SendResetSequence(line.port);
    SendStatusRequest(line.port);
    EXPECT_EQ(line.read(1), Bytes{'I'});

    SendReadCommand(line.port);
    Bytes factory = line.read(2048);
    ASSERT_EQ(factory.size(), 2048u);
    EXPECT_TRUE(VerifyCheckBytes(factory));

    Bytes image = factory;
    image[10] ^= 0x0F;
    StoreCheckBytes(image);
    SendWriteCommand(line.port);
    ASSERT_EQ(line.port.Write(image), 2048);
    EXPECT_EQ(line.read(1), Bytes{kAck});

    Bytes broken = image;
    broken[11] ^= 1;
    SendWriteCommand(line.port);
    ASSERT_EQ(line.port.Write(broken), 2048);
    EXPECT_EQ(line.read(1), Bytes{kNak});

    SendReadCommand(line.port);
    EXPECT_EQ(line.read(2048), image);

    quelvar::Setup setup;
    EXPECT_TRUE(readSetupFile(saved, setup).complete());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), setup.image.begin()));
    EXPECT_EQ(setup.description, "");

    EXPECT_EQ(sim.stop(), 0);
    const std::string log = sim.log();
    for (const char* line : {"<- S\n-> I\n", "<- CW + 2048 bytes, check bytes ok\n-> ACK\n",
                             "check bytes wrong\n-> NAK\n"})
        EXPECT_NE(log.find(line), std::string::npos) << log;
}

TEST(IndicatorSimProgram, EveryOfferedRateIsTakenAndTheLinkGoesAtExit)
{
    const test::TempDir dir;
    const std::string link = dir.path("com1");
    Sim sim({"--link", link});
    ASSERT_TRUE(fs::is_symlink(link));
    PortOn line(link);
    ASSERT_TRUE(line.port.Open()) << line.port.openFailureReason();
    for (int rate : {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200}) {
        line.port.baudRate = rate;
        EXPECT_TRUE(line.port.Configure()) << rate << ' ' << line.port.lastError();
        EXPECT_EQ(line.port.GetControlBlock().baudRate, static_cast<std::uint32_t>(rate));
    }

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(IndicatorSimProgram, BadOptionsAreRefusedWithUsage)
{
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string saying;
    } cases[] = {
        {{"--fault", "slow"}, 2, "--fault: unknown fault 'slow'"},
        {{"--fault", "garbage=8888888888888888"}, 2, "--fault: fault 'garbage' needs a number"},
        {{"--fault", "extra=1000001"}, 2, "--fault: fault 'extra' needs a number"},
        {{"--baud", "fast"}, 2, "--baud: 'fast' is not a positive number"},
        {{"--load", "/nonexistent/x.sf"}, 1, "cannot load"},
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"--link", "l", "--bogus", "1"}, 2, "unknown option --bogus"},
    };
    for (const auto& c : cases) {
        const test::CliRun run = test::runProgram(QUELVAR_INDICATOR_SIM, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("quelvar-indicator-sim: " + c.saying), std::string::npos) << run.err;
    }
    for (const auto& [option, saying] : {std::pair{"--help", "usage: quelvar-indicator-sim"},
                                         std::pair{"--version", "quelvar-indicator-sim 2."}}) {
        const test::CliRun run = test::runProgram(QUELVAR_INDICATOR_SIM, {option});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find(saying), std::string::npos) << run.out;
    }
}
