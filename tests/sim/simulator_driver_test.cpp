#include "model/check_bytes.h"
#include "serial/com_port.h"
#include "sim/simulator_driver.h"
#include "transfer/download_session.h"
#include "transfer/link.h"
#include "transfer/session_runner.h"
#include "transfer/upload_session.h"

#include <gtest/gtest.h>

using namespace quelvar;

namespace {

struct SimulatedPort : ::testing::Test {
    SimulatorDriver driver;
    ComPort port{driver};
    void SetUp() override
    {
        driver.setPaced(false);
        port.portNumber = 1;
        ASSERT_TRUE(port.Open());
        ASSERT_TRUE(port.Configure());
    }

    void pace(int baud)
    {
        driver.setPaced(true);
        port.baudRate = baud;
        ASSERT_TRUE(port.Configure());
    }

    // A whole session on its dialog's timer period; `ticks` stops it early, as Cancel does.
    TransferStep run(TransferSession& session, int ticks = -1)
    {
        session.begin();
        return runSession(session, std::chrono::milliseconds(session.intervalMs()),
                          [&] { return ticks < 0 || ticks-- > 0; });
    }
    TransferStep upload(const SetupImage& image)
    {
        UploadSession session(port, image);
        return run(session);
    }
    TransferStep download(SetupImage& image, int ticks = -1)
    {
        DownloadSession session(port, image);
        return run(session, ticks);
    }
};

SetupImage sampleImage()
{
    SetupImage image = factoryIndicatorMemory();
    image[100] = 0x42;
    StoreCheckBytes(image);
    return image;
}

}  // namespace

TEST_F(SimulatedPort, PurgeDropsWhatHasArrivedAndLogsReachTheListener)
{
    std::vector<std::string> log;
    driver.onLog = [&](const std::string& line) { log.push_back(line); };
    SendStatusRequest(port);
    port.Purge();
    EXPECT_EQ(port.ReadByte(), -1);
    EXPECT_EQ(log, (std::vector<std::string>{"<- S", "-> I"}));
}

// As on a real port: a write returns once its bytes have left the line, a write
// without waiting at once, its bytes queued (4 KB at most, as a UART driver holds).
TEST_F(SimulatedPort, AWriteWaitsForLineTimeAWriteWithoutWaitingDoesNot)
{
    pace(1200);  // 8.3 ms a byte
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Write(std::vector<std::uint8_t>(36, 'x')), 36);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(290));
    EXPECT_EQ(port.OutputQueued(), 0);

    EXPECT_EQ(port.WriteNoWait(std::vector<std::uint8_t>(2048, 'x')), 2048);
    EXPECT_GT(port.OutputQueued(), 1900);
    const int more = port.WriteNoWait(std::vector<std::uint8_t>(4096, 'x'));
    EXPECT_GE(more, 2048);
    EXPECT_LT(more, 2200);
    port.Purge();
    EXPECT_EQ(port.OutputQueued(), 0);
}

TEST_F(SimulatedPort, TransfersSucceedAtSlowAndFastRates)
{
    for (int baud : {9600, 115200}) {
        SCOPED_TRACE(baud);
        pace(baud);
        const SetupImage sent = sampleImage();
        EXPECT_EQ(upload(sent), TransferStep::Succeeded);
        SetupImage back{};
        EXPECT_EQ(download(back), TransferStep::Succeeded);
        EXPECT_EQ(back, sent);
    }
}

TEST_F(SimulatedPort, ACancelledDownloadLeavesNothingOnTheLine)
{
    pace(9600);
    SetupImage back{};
    EXPECT_EQ(download(back, 10), TransferStep::Running);  // a second into the image
    const SetupImage sent = sampleImage();
    EXPECT_EQ(upload(sent), TransferStep::Succeeded);
    EXPECT_EQ(driver.simulator().memory(), sent);
}

TEST_F(SimulatedPort, StrayBytesAfterADownloadDoNotReachTheNextExchanges)
{
    for (std::size_t extra : {39u, 255u}) {
        SCOPED_TRACE(extra);
        driver.simulator().faults.extra = extra;
        SetupImage back{};
        EXPECT_EQ(download(back), TransferStep::Succeeded);
        driver.simulator().faults.extra = 0;
        EXPECT_EQ(upload(sampleImage()), TransferStep::Succeeded);
        EXPECT_EQ(download(back), TransferStep::Succeeded);
        EXPECT_EQ(back, sampleImage());
        // Closing and opening again starts as empty.
        driver.simulator().faults.extra = extra;
        EXPECT_EQ(download(back), TransferStep::Succeeded);
        port.Close();
        ASSERT_TRUE(port.Open());
        ASSERT_TRUE(port.Configure());
        EXPECT_EQ(port.ReadByte(), -1);
        driver.simulator().faults.extra = 0;
    }
}
