#include "transfer/upload_session.h"

#include <gtest/gtest.h>

#include "scripted_line.h"

namespace quelvar::test {
namespace {

const std::string kAck = "\x06";
const std::string kNak = "\x15";

struct UploadTest : ::testing::Test {
    ScriptedLine line;
    SetupImage image = sampleImage();

    std::unique_ptr<UploadSession> open()
    {
        auto session = std::make_unique<UploadSession>(line.port, image);
        line.takeSent();
        return session;
    }
};

TEST_F(UploadTest, OpeningPurgesClearsAndSendsResetSequenceInTwoWrites)
{
    const auto queriesBefore = line.driver.calls.queryStatus;
    UploadSession session(line.port, image);
    EXPECT_EQ(line.driver.calls.purge, 1);
    EXPECT_EQ(line.driver.calls.queryStatus, queriesBefore + 1);
    ASSERT_EQ(line.driver.writes.size(), 2u);
    EXPECT_EQ(line.takeSent(), kResetSequence);
    EXPECT_EQ(session.state(), 0);
    EXPECT_EQ(session.message(), "Error Unknown");
    EXPECT_EQ(session.progressText(), "");
    EXPECT_FALSE(session.active());
}

TEST_F(UploadTest, SuccessfulExchangeStepByStep)
{
    line.statusAnswer = "I";
    line.imageAnswer = kAck;
    auto session = open();
    std::vector<std::pair<std::string, std::size_t>> shown;  // text, writes made by then
    session->setProgressListener(
        [&](const std::string& text) { shown.emplace_back(text, line.driver.writes.size()); });

    ASSERT_TRUE(session->begin());
    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.takeSent(), "S");
    EXPECT_EQ(session->state(), 1);

    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.takeSent(), "CW");
    EXPECT_EQ(session->state(), 2);
    EXPECT_EQ(session->ticks(), 0);

    EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.driver.writes.back(), std::vector<std::uint8_t>(image.begin(), image.end()));
    EXPECT_EQ(line.takeSent().size(), kSetupImageSize);
    EXPECT_EQ(session->state(), 3);

    EXPECT_EQ(session->tick(), TransferStep::Succeeded);
    EXPECT_EQ(session->completionText(), "+++  Upload Complete  +++");
    EXPECT_EQ(session->progressText(), "+++ Upload Complete +++");
    EXPECT_EQ(session->state(), 0);
    EXPECT_FALSE(session->active());
    EXPECT_EQ(line.takeSent(), "") << "a successful upload sends no reset sequence";

    // "Uploading Data" is announced before the blocking write, so a window can show it.
    // Writes: the two of the reset sequence, "S", "CW", the image.
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"Reading Indicator Status", 3},
        {"Uploading Data", 4},
        {"Waiting for Indicator Status", 5},
        {"+++ Upload Complete +++", 5},
    };
    EXPECT_EQ(shown, expected);
}

struct UploadFailure {
    const char* name;
    std::string statusAnswer;
    std::size_t writeLimit;
    std::string imageAnswer;
    int events;  // timer events until the failure is reported
    std::string message;
    friend void PrintTo(const UploadFailure& row, std::ostream* os) { *os << row.name; }
};

class UploadFailureTest : public UploadTest, public ::testing::WithParamInterface<UploadFailure> {};

TEST_P(UploadFailureTest, ReportsItsMessageOnceAndResetsTheIndicator)
{
    const UploadFailure& row = GetParam();
    line.statusAnswer = row.statusAnswer;
    line.imageAnswer = row.imageAnswer;
    line.driver.writeLimit = row.writeLimit;
    auto session = open();
    ASSERT_TRUE(session->begin());

    for (int n = 1; n < row.events; ++n)
        ASSERT_EQ(session->tick(), TransferStep::Running) << n;
    EXPECT_EQ(session->state(), 4);
    EXPECT_FALSE(line.takeSent().ends_with(kResetSequence));

    EXPECT_EQ(session->tick(), TransferStep::Failed);
    EXPECT_EQ(session->message(), row.message);
    EXPECT_TRUE(line.takeSent().ends_with(kResetSequence));
    EXPECT_EQ(session->state(), 0);
    EXPECT_EQ(session->progressText(), "");
    EXPECT_FALSE(session->active());
    EXPECT_TRUE(session->begin()) << "Begin starts a new attempt";
}

// Events: 1 status request, then the status events, then the image and ACK events,
// then the one that reports.
INSTANTIATE_TEST_SUITE_P(
    Table, UploadFailureTest,
    ::testing::Values(
        UploadFailure{"silent", "", SIZE_MAX, "", 1 + 40 + 1, "Timeout reading Indicator status."},
        UploadFailure{"error", "E", SIZE_MAX, "", 1 + 1 + 1, "Indicator error status"},
        UploadFailure{"busy", "B", SIZE_MAX, "", 1 + 1 + 1, "Error Unknown"},
        UploadFailure{"short_write", "I", 1000, "", 1 + 1 + 1 + 1,
                      "Write count error: sb 2048,  is 1000"},
        UploadFailure{"nak", "I", SIZE_MAX, kNak, 1 + 1 + 1 + 1 + 1,
                      "Error: Indicator returned NAK"},
        UploadFailure{"no_ack", "I", SIZE_MAX, "", 1 + 1 + 1 + 401 + 1,
                      "Error: timeout waiting for ACK from Indicator"},
        UploadFailure{"noise_after_image", "I", SIZE_MAX, "xyz", 1 + 1 + 1 + 401 + 1,
                      "Error: timeout waiting for ACK from Indicator"}),
    [](const auto& info) { return std::string(info.param.name); });

// The status answer counts in the first 39 events after the request; the 40th event
// times out without reading.
TEST_F(UploadTest, StatusAnswerDeadline)
{
    for (const auto& [quietEvents, found] : {std::pair{38, true}, std::pair{39, false}}) {
        ScriptedLine fresh;
        UploadSession session(fresh.port, image);
        session.begin();
        session.tick();
        for (int n = 0; n < quietEvents; ++n)
            session.tick();
        fresh.driver.feed("I");
        session.tick();
        EXPECT_EQ(session.state(), found ? 2 : 4) << quietEvents;
    }
}

// In state 3 the byte is read before the time-out test: an ACK in the 401st event
// still completes the upload.
TEST_F(UploadTest, AckDeadline)
{
    for (const auto& [answer, expected] : {std::pair{kAck, TransferStep::Succeeded},
                                           std::pair{std::string("x"), TransferStep::Running}}) {
        ScriptedLine fresh;
        fresh.statusAnswer = "I";
        UploadSession session(fresh.port, image);
        session.begin();
        for (int n = 0; n < 3 + 400; ++n)
            ASSERT_EQ(session.tick(), TransferStep::Running);
        fresh.driver.feed(answer);
        EXPECT_EQ(session.tick(), expected);
        if (expected == TransferStep::Running) {
            EXPECT_EQ(session.state(), 4);
        }
    }
}

TEST_F(UploadTest, BeginTwiceDoesNothingTheSecondTime)
{
    auto session = open();
    EXPECT_TRUE(session->begin());
    EXPECT_FALSE(session->begin());
    session->tick();
    EXPECT_FALSE(session->begin());
    EXPECT_EQ(line.takeSent(), "S");
}

TEST_F(UploadTest, NoiseBeforeTheStatusAnswerIsDroppedOneByteAnEvent)
{
    line.statusAnswer = std::string("\x00\xFFz", 3) + "I";
    auto session = open();
    session->begin();
    session->tick();
    for (int n = 0; n < 3; ++n)
        session->tick();
    EXPECT_EQ(session->state(), 1);
    session->tick();
    EXPECT_EQ(session->state(), 2);
    EXPECT_EQ(line.takeSent(), "SCW");
}

TEST_F(UploadTest, BusyAfterNakRepeatsTheNakText)
{
    line.statusAnswer = "I";
    line.imageAnswer = kNak;
    auto session = open();
    TransferStep step;
    session->begin();
    ticksUntilStopped(*session, step);
    ASSERT_EQ(session->message(), "Error: Indicator returned NAK");
    line.takeSent();

    line.statusAnswer = "B";
    session->begin();
    EXPECT_EQ(ticksUntilStopped(*session, step), 3);
    EXPECT_EQ(step, TransferStep::Failed);
    EXPECT_EQ(session->message(), "Error: Indicator returned NAK");
    EXPECT_EQ(line.takeSent(), "S" + kResetSequence);
}

}  // namespace
}  // namespace quelvar::test
