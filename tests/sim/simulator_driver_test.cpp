#include "serial/com_port.h"
#include "sim/simulator_driver.h"
#include "transfer/link.h"

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
};

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

TEST_F(SimulatedPort, APacedWriteStopsAtItsTimeOut)
{
    // At 300 baud a byte takes 33 ms: of 10 bytes only 6 fit in 10 * 10 + 100 ms.
    driver.setPaced(true);
    port.baudRate = 300;
    ASSERT_TRUE(port.Configure());
    EXPECT_EQ(port.Write(std::vector<std::uint8_t>(10, 'x')), 6);
}

