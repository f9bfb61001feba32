// quelvar-indicator-sim on its pty against ComPort on the real POSIX driver.

#include "model/check_bytes.h"
#include "model/setup_file.h"
#include "serial/com_port.h"
#include "transfer/link.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quelvar;
namespace fs = std::filesystem;

namespace {

// The simulator program, started with some options and stopped with SIGTERM.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) : m_log(tempPath("log"))
    {
        int out[2];
        if (pipe(out) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], 1);
            const int err = ::open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, 2);
            args.insert(args.begin(), QUELVAR_INDICATOR_SIM);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        ::close(out[1]);
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            m_device += c;
        ::close(out[0]);
    }
    ~SimProcess()
    {
        stop();
        fs::remove(m_log);
    }

    const std::string& device() const { return m_device; }

    // SIGTERM; the exit status, or -1 when it had to be killed.
    int stop()
    {
        if (m_pid <= 0) return m_status;
        ::kill(m_pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = 0;
                return m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
        return m_status = -1;
    }

    std::string log() const
    {
        std::ifstream in(m_log);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    static std::string tempPath(const std::string& name)
    {
        static int serial = 0;
        return (fs::temp_directory_path() / ("quelvar-sim-" + std::to_string(getpid()) + "-" +
                                             std::to_string(++serial) + "." + name))
            .string();
    }

private:
    pid_t m_pid = -1;
    int m_status = -1;
    std::string m_device;
    std::string m_log;
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
    const std::string saved = SimProcess::tempPath("sf");
    SimProcess sim({"--baud", "115200", "--save", saved});
    ASSERT_FALSE(sim.device().empty());
    PortOn line(sim.device());
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
    fs::remove(saved);

    EXPECT_EQ(sim.stop(), 0);
    const std::string log = sim.log();
    for (const char* line : {"<- S\n-> I\n", "<- CW + 2048 bytes, check bytes ok\n-> ACK\n",
                             "check bytes wrong\n-> NAK\n"})
        EXPECT_NE(log.find(line), std::string::npos) << log;
}

TEST(IndicatorSimProgram, FaultsShowOnTheLine)
{
    SimProcess sim({"--fault", "busy", "--fault", "garbage=3", "--fault", "truncate=10"});
    PortOn line(sim.device());
    ASSERT_TRUE(line.port.Open()) << line.port.openFailureReason();
    ASSERT_TRUE(line.port.Configure());
    SendStatusRequest(line.port);
    const Bytes answer = line.read(4);
    ASSERT_EQ(answer.size(), 4u);
    EXPECT_EQ(answer.back(), 'B');
    SendReadCommand(line.port);
    EXPECT_EQ(line.read(2048, std::chrono::milliseconds(300)).size(), 10u);
}

TEST(IndicatorSimProgram, EveryOfferedRateIsTakenAndThePortIsExclusive)
{
    const std::string link = SimProcess::tempPath("com1");
    SimProcess sim({"--link", link});
    ASSERT_TRUE(fs::is_symlink(link));
    PortOn line(link);
    ASSERT_TRUE(line.port.Open()) << line.port.openFailureReason();
    for (int rate : {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200}) {
        line.port.baudRate = rate;
        EXPECT_TRUE(line.port.Configure()) << rate << ' ' << line.port.lastError();
        EXPECT_EQ(line.port.GetControlBlock().baudRate, static_cast<std::uint32_t>(rate));
    }
    PortOn other(link);
    EXPECT_FALSE(other.port.Open());
    EXPECT_STREQ(other.port.lastError(), "Open port error");

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(IndicatorSimProgram, APortWhoseSimulatorWentAwayFailsQuietly)
{
    SimProcess sim({});
    PortOn line(sim.device());
    ASSERT_TRUE(line.port.Open()) << line.port.openFailureReason();
    ASSERT_TRUE(line.port.Configure());
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_EQ(line.port.ReadByte(), -1);
    EXPECT_FALSE(line.port.WriteString("S"));
    EXPECT_EQ(line.port.Write(Bytes(2048)), 0);
    line.port.Close();
}

TEST(IndicatorSimProgram, BadOptionsAreRefusedWithUsage)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--fault", "slow"},
                                          {"--baud", "fast"},
                                          {"--load", "/nonexistent/x.sf"},
                                          {"--bogus", "1"}}) {
        SimProcess sim(args);
        EXPECT_EQ(sim.device(), "");
        EXPECT_NE(sim.stop(), 0);
        EXPECT_NE(sim.log().find("quelvar-indicator-sim: "), std::string::npos) << args[0];
    }
}
