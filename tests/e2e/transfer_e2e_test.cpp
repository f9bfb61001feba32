// Whole transfers over a pseudo-terminal: quelvar-indicator-sim at the far end,
// the real serial driver at ours.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "cli_runner.h"
#include "model/check_bytes.h"
#include "model/setup_file.h"
#include "serial/com_port.h"
#include "sim_process.h"
#include "temp_dir.h"
#include "transfer/download_session.h"
#include "transfer/session_runner.h"
#include "transfer/upload_session.h"

namespace quelvar::test {
namespace {

// Timing is not the point here: a quicker timer than the dialogs' keeps the tests short.
constexpr auto kPeriod = std::chrono::milliseconds(10);

Setup sampleSetup()
{
    Setup setup;
    for (std::size_t i = 0; i < setup.image.size(); ++i)
        setup.image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    StoreCheckBytes(setup.image);
    setup.description = "Line 1 hopper";
    return setup;
}

std::string writeSample(const TempDir& dir, const std::string& name, Setup setup = sampleSetup())
{
    const std::string path = dir.path(name);
    EXPECT_TRUE(writeSetupFile(path, setup).ok());
    return path;
}

// The simulator, started with `options`, and our port open on its device.
struct Indicator {
    SimProcess sim;
    ComPort port;

    explicit Indicator(const std::vector<std::string>& options)
        : sim(QUELVAR_INDICATOR_SIM, options)
    {
        port.setDevices({{"com1", sim.devicePath()}});
        port.portNumber = 1;
        EXPECT_TRUE(port.Open()) << sim.devicePath() << ": " << port.openFailureReason();
        EXPECT_TRUE(port.Configure()) << port.lastError();
    }

    // The resets the simulator has logged, once `expected` have arrived or after a
    // while: it logs each exchange a moment after our write returns.
    int resetsSeen(int expected) const
    {
        const auto count = [](const std::string& log) {
            int n = 0;
            for (auto at = log.find(kResetLogLine); at != std::string::npos;
                 at = log.find(kResetLogLine, at + 1))
                ++n;
            return n;
        };
        return count(sim.logOnce([&](const std::string& log) { return count(log) >= expected; }));
    }

    static constexpr std::string_view kResetLogLine = "<- reset";
};

TEST(TransferEndToEnd, CommandLineUploadThenDownloadGivesTheSameImage)
{
    TempDir dir;
    const std::string sent = writeSample(dir, "sent.sf");
    const std::string received = dir.path("received.sf");
    SimProcess sim(QUELVAR_INDICATOR_SIM, {});
    ASSERT_FALSE(sim.devicePath().empty());

    const CliRun up = runCli({"upload", sent, "--port", sim.devicePath()});
    EXPECT_EQ(up.exitCode, 0) << up.err;
    EXPECT_EQ(up.out, "Reading Indicator Status\nUploading Data\nWaiting for Indicator Status\n"
                      "+++  Upload Complete  +++\n");

    const CliRun down = runCli({"download", received, "--port", sim.devicePath()});
    EXPECT_EQ(down.exitCode, 0) << down.err;
    EXPECT_TRUE(down.out.starts_with("Reading Indicator Status\n")) << down.out;
    EXPECT_TRUE(down.out.ends_with("Download Complete\n")) << down.out;

    quelvar::Setup back;
    ASSERT_TRUE(readSetupFile(received, back).complete());
    EXPECT_EQ(back.image, sampleSetup().image);
    EXPECT_EQ(back.description, "");
}

struct FaultRow {
    const char* name;
    std::vector<std::string> options;
    bool upload;
    TransferStep outcome;
    std::string message;
    friend void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }
};

class TransferFault : public ::testing::TestWithParam<FaultRow> {};

TEST_P(TransferFault, GivesItsMessageAndResetsTheIndicator)
{
    const FaultRow& row = GetParam();
    TempDir dir;
    std::vector<std::string> options = row.options;
    options.insert(options.end(), {"--load", writeSample(dir, "indicator.sf")});
    Indicator indicator(options);
    SetupImage memory{};
    memory.fill(0x5A);
    const SetupImage before = memory;

    std::unique_ptr<TransferSession> session;
    if (row.upload)
        session = std::make_unique<UploadSession>(indicator.port, sampleSetup().image);
    else
        session = std::make_unique<DownloadSession>(indicator.port, memory);
    session->begin();
    EXPECT_EQ(runSession(*session, kPeriod), row.outcome);

    if (row.outcome == TransferStep::Failed) {
        EXPECT_EQ(session->message(), row.message);
        EXPECT_EQ(memory, before) << "a failed download leaves the setup alone";
        // One reset when the exchange opened, one after the failure.
        EXPECT_EQ(indicator.resetsSeen(2), 2) << indicator.sim.log();
    } else {
        EXPECT_EQ(indicator.resetsSeen(1), 1) << indicator.sim.log();
        if (!row.upload) {
            EXPECT_EQ(memory, sampleSetup().image);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, TransferFault,
    ::testing::Values(
        FaultRow{"upload_busy", {"--fault", "busy"}, true, TransferStep::Failed, "Error Unknown"},
        FaultRow{
            "download_busy", {"--fault", "busy"}, false, TransferStep::Failed, "Indicator Busy"},
        FaultRow{"upload_error",
                 {"--fault", "error"},
                 true,
                 TransferStep::Failed,
                 "Indicator error status"},
        FaultRow{"download_error",
                 {"--fault", "error"},
                 false,
                 TransferStep::Failed,
                 "Indicator error status"},
        FaultRow{"upload_silent",
                 {"--fault", "silent"},
                 true,
                 TransferStep::Failed,
                 "Timeout reading Indicator status."},
        FaultRow{"download_silent",
                 {"--fault", "silent"},
                 false,
                 TransferStep::Failed,
                 "Timeout reading Indicator status."},
        FaultRow{"upload_nak",
                 {"--fault", "nak"},
                 true,
                 TransferStep::Failed,
                 "Error: Indicator returned NAK"},
        FaultRow{"upload_no_ack",
                 {"--fault", "no-ack"},
                 true,
                 TransferStep::Failed,
                 "Error: timeout waiting for ACK from Indicator"},
        FaultRow{"download_corrupt",
                 {"--fault", "corrupt"},
                 false,
                 TransferStep::Failed,
                 "Check-sum error reading earom data."},
        FaultRow{"upload_garbage", {"--fault", "garbage=5"}, true, TransferStep::Succeeded, ""},
        FaultRow{"download_garbage", {"--fault", "garbage=5"}, false, TransferStep::Succeeded, ""},
        FaultRow{"download_extra", {"--fault", "extra=16"}, false, TransferStep::Succeeded, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// An indicator that stops in the middle of the block leaves the download receiving
// until Cancel; the setup is untouched and Cancel sends nothing.
TEST(TransferEndToEnd, TruncatedDownloadWaitsAndCancelChangesNothing)
{
    Indicator indicator({"--fault", "truncate=1000"});
    SetupImage memory{};
    const SetupImage before = memory;
    auto session = std::make_unique<DownloadSession>(indicator.port, memory);
    session->begin();
    int events = 0;
    runSession(*session, kPeriod, [&] { return ++events <= 40; });
    EXPECT_EQ(session->state(), 2);
    EXPECT_EQ(session->receivedCount(), 1000);
    session.reset();
    EXPECT_EQ(memory, before);
    EXPECT_EQ(indicator.resetsSeen(1), 1);
}

// A pty's output queue always reads empty, yet the image goes no faster than the
// line takes it (at 1200 baud, 120 bytes a second), and Cancel in the middle ends it:
// the indicator drops what it got after a second of silence.
TEST(TransferEndToEnd, UploadOnASlowLineGoesAtLineRateAndCancelEndsIt)
{
    Indicator indicator({"--baud", "1200"});
    indicator.port.baudRate = 1200;
    ASSERT_TRUE(indicator.port.Configure());
    UploadSession session(indicator.port, sampleSetup().image);
    session.begin();
    int events = 0;
    runSession(session, std::chrono::milliseconds(UploadSession::kIntervalMs),
               [&] { return ++events <= 2 + 20; });
    ASSERT_EQ(session.state(), 2);
    const std::size_t handed = session.blockBytes();
    EXPECT_LT(handed, 200u);
    session.cancel();
    const std::string log = indicator.sim.logOnce(
        [](const std::string& text) { return text.find("then silence") != std::string::npos; });
    int received = -1;
    const auto at = log.find("<- CW + ");
    if (at != std::string::npos) std::sscanf(log.c_str() + at, "<- CW + %d", &received);
    EXPECT_GT(received, 0) << log;
    EXPECT_LE(std::size_t(received), handed + 18 + 4) << log;
}

TEST(TransferEndToEnd, CommandLineFailuresExitOneAndKeepFiles)
{
    TempDir dir;
    const std::string bad = writeSample(dir, "bad.sf");
    {
        auto bytes = dir.read("bad.sf");
        bytes[10] = static_cast<char>(bytes[10] ^ 1);
        dir.write("bad.sf", bytes);
    }
    const std::string kept = writeSample(dir, "kept.sf");
    const std::string keptBytes = dir.read("kept.sf");
    SimProcess sim(QUELVAR_INDICATOR_SIM, {"--fault", "corrupt", "--load", kept});

    const CliRun refused = runCli({"upload", bad, "--port", sim.devicePath()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Checksum Error in file " + bad + "\n");

    const CliRun corrupt = runCli({"download", kept, "--port", sim.devicePath()});
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_EQ(corrupt.err, "Check-sum error reading earom data.\n");
    EXPECT_TRUE(dir.read("kept.sf") == keptBytes) << "the file was overwritten";

    const CliRun noDevice = runCli({"download", kept, "--port", dir.path("nothing")});
    EXPECT_EQ(noDevice.exitCode, 1);
    EXPECT_TRUE(noDevice.err.starts_with("Com port did not open: " + dir.path("nothing") + ": "))
        << noDevice.err;
    EXPECT_EQ(noDevice.err.find(dir.path("nothing"), 30), std::string::npos) << noDevice.err;

    // A place the file cannot go is refused before the indicator is asked anything. The
    // status requests are counted, not every S: the reset that ends the corrupt download
    // ("ESC ESC X0") may be logged after that download's program has exited.
    const auto statusRequests = [&sim] {
        std::istringstream log(sim.log());
        int requests = 0;
        for (std::string line; std::getline(log, line);) requests += line.ends_with("<- S");
        return requests;
    };
    const auto asked = statusRequests();
    for (const std::string& target : {dir.path(), dir.path("no/such/folder/x.sf")}) {
        const CliRun nowhere = runCli({"download", target, "--port", sim.devicePath()});
        EXPECT_EQ(nowhere.exitCode, 1);
        EXPECT_TRUE(nowhere.err.starts_with("Error opening file: " + target + " (")) << nowhere.err;
        EXPECT_EQ(nowhere.out, "");
    }
    EXPECT_EQ(statusRequests(), asked);
}

// A download the indicator stops sending in the middle gives up, and resets it.
TEST(TransferEndToEnd, CommandLineDownloadThatStallsResetsTheIndicator)
{
    TempDir dir;
    SimProcess sim(QUELVAR_INDICATOR_SIM, {"--fault", "truncate=1000"});
    const CliRun run = runCli({"download", dir.path("x.sf"), "--port", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Download stopped: nothing received for 10 s after 1000 of 2048"),
              std::string::npos)
        << run.err;
    const auto resetAfterRead = [](const std::string& log) {
        const auto read = log.find("<- CR");
        return read != std::string::npos && log.find("<- reset", read) != std::string::npos;
    };
    const std::string log = sim.logOnce(resetAfterRead);
    EXPECT_TRUE(resetAfterRead(log)) << log;
    EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
}  // namespace quelvar::test
