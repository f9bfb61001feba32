#include "transfer/download_session.h"

#include <gtest/gtest.h>

#include "scripted_line.h"

namespace quelvar::test {
namespace {

std::vector<std::uint8_t> blockOf(const SetupImage& image)
{
    return {image.begin(), image.end()};
}

struct DownloadTest : ::testing::Test {
    ScriptedLine line;
    SetupImage memory = sampleImage(1);     // the setup being edited
    SetupImage indicator = sampleImage(9);  // what the indicator holds

    std::unique_ptr<DownloadSession> open()
    {
        auto session = std::make_unique<DownloadSession>(line.port, memory);
        line.takeSent();
        return session;
    }
};

TEST_F(DownloadTest, WholeBlockInOneEventIsCheckedAtTheNext)
{
    line.statusAnswer = "I";
    line.readAnswers = {blockOf(indicator)};
    auto session = open();
    ASSERT_TRUE(session->begin());

    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.takeSent(), "S");
    EXPECT_EQ(session->progressText(), "Reading Indicator Status");
    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.takeSent(), "CR");
    EXPECT_EQ(session->state(), 2);

    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(session->receivedCount(), 2048);
    EXPECT_EQ(session->state(), 3);
    EXPECT_NE(memory, indicator) << "nothing is copied before the check";

    EXPECT_EQ(session->tick(), TransferStep::Succeeded);
    EXPECT_EQ(session->completionText(), "Download Complete");
    EXPECT_EQ(memory, indicator);
    EXPECT_FALSE(session->active());
    EXPECT_EQ(line.takeSent(), "") << "nothing is sent back";
}

// The count is shown at the 3rd, 7th, 11th ... event after the read command, and
// at the event that completes the block.
TEST_F(DownloadTest, ByteCountShownEveryFourthEventAndAtTheEnd)
{
    line.statusAnswer = "I";
    auto session = open();
    session->begin();
    session->tick();
    session->tick();
    ASSERT_EQ(session->state(), 2);

    std::string expected = "Reading Indicator Status";
    for (int event = 1; event <= 21; ++event) {
        const auto from = static_cast<std::ptrdiff_t>((event - 1) * 100);
        const auto to = std::min<std::ptrdiff_t>(event * 100, 2048);
        line.driver.feed(std::span(indicator.begin() + from, indicator.begin() + to));
        session->tick();
        if (event % 4 == 3 || to == 2048) expected = std::to_string(to);
        EXPECT_EQ(session->progressText(), expected) << event;
        EXPECT_EQ(session->blockBytes(), std::size_t(to));
    }
    EXPECT_EQ(session->state(), 3);
    EXPECT_EQ(session->tick(), TransferStep::Succeeded);
    EXPECT_EQ(memory, indicator);
}

struct DownloadFailure {
    const char* name;
    std::string statusAnswer;
    bool corruptBlock;
    int events;
    std::string message;
    friend void PrintTo(const DownloadFailure& row, std::ostream* os) { *os << row.name; }
};

class DownloadFailureTest : public DownloadTest,
                            public ::testing::WithParamInterface<DownloadFailure> {};

TEST_P(DownloadFailureTest, ReportsItsMessageResetsTheIndicatorAndKeepsTheSetup)
{
    const DownloadFailure& row = GetParam();
    SetupImage corrupt = indicator;
    corrupt[100] ^= 0x40;
    line.statusAnswer = row.statusAnswer;
    line.readAnswers = {blockOf(row.corruptBlock ? corrupt : indicator)};
    const SetupImage before = memory;
    auto session = open();
    session->begin();

    TransferStep step;
    EXPECT_EQ(ticksUntilStopped(*session, step), row.events);
    EXPECT_EQ(step, TransferStep::Failed);
    EXPECT_EQ(session->message(), row.message);
    EXPECT_TRUE(line.takeSent().ends_with(kResetSequence));
    EXPECT_EQ(memory, before);
    EXPECT_EQ(session->state(), 0);
    EXPECT_EQ(session->progressText(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, DownloadFailureTest,
    ::testing::Values(DownloadFailure{"silent", "", false, 1 + 20 + 1,
                                      "Timeout reading Indicator status."},
                      DownloadFailure{"busy", "B", false, 1 + 1 + 1, "Indicator Busy"},
                      DownloadFailure{"error", "E", false, 1 + 1 + 1, "Indicator error status"},
                      DownloadFailure{"corrupt", "I", true, 1 + 1 + 1 + 1 + 1,
                                      "Check-sum error reading earom data."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadTest, BytesAfterTheBlockStayQueued)
{
    auto block = blockOf(indicator);
    block.insert(block.end(), {'x', 'y'});
    line.statusAnswer = "I";
    line.readAnswers = {block};
    auto session = open();
    session->begin();
    TransferStep step;
    ticksUntilStopped(*session, step);
    EXPECT_EQ(step, TransferStep::Succeeded);
    EXPECT_EQ(memory, indicator);
    EXPECT_EQ(line.port.ReadByte(), 'x');
    EXPECT_EQ(line.port.ReadByte(), 'y');
}

TEST_F(DownloadTest, IndicatorThatStopsSendingKeepsTheSessionReceivingAndTheSetupIntact)
{
    line.statusAnswer = "I";
    line.readAnswers = {std::vector<std::uint8_t>(indicator.begin(), indicator.begin() + 1000)};
    const SetupImage before = memory;
    auto session = open();
    session->begin();
    for (int n = 0; n < 1000; ++n)
        ASSERT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(session->state(), 2);
    EXPECT_EQ(session->receivedCount(), 1000);
    session.reset();  // Cancel
    EXPECT_EQ(memory, before);
    EXPECT_EQ(line.takeSent(), "SCR");
}

TEST_F(DownloadTest, BeginAfterAFailedCheckStartsAgainFromTheStatusRequest)
{
    SetupImage corrupt = indicator;
    corrupt[2046] ^= 1;
    line.statusAnswer = "I";
    line.readAnswers = {blockOf(corrupt), blockOf(indicator)};
    auto session = open();
    TransferStep step;
    session->begin();
    ticksUntilStopped(*session, step);
    ASSERT_EQ(step, TransferStep::Failed);
    line.takeSent();

    ASSERT_TRUE(session->begin());
    EXPECT_EQ(ticksUntilStopped(*session, step), 4);
    EXPECT_EQ(step, TransferStep::Succeeded);
    EXPECT_EQ(line.takeSent(), "SCR");
    EXPECT_EQ(memory, indicator);
}

}  // namespace
}  // namespace quelvar::test
