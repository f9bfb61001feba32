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

    for (int n = 0; n < kImageEvents; ++n)
        EXPECT_EQ(session->tick(), TransferStep::Running);
    EXPECT_EQ(line.takeSent(), std::string(image.begin(), image.end()));
    EXPECT_EQ(session->state(), 3);
    EXPECT_EQ(session->blockBytes(), 2048u);

    EXPECT_EQ(session->tick(), TransferStep::Succeeded);
    EXPECT_EQ(session->completionText(), "+++  Upload Complete  +++");
    EXPECT_EQ(session->progressText(), "+++ Upload Complete +++");
    EXPECT_EQ(session->state(), 0);
    EXPECT_FALSE(session->active());
    EXPECT_EQ(line.takeSent(), "") << "a successful upload sends no reset sequence";

    // Writes: the two of the reset sequence, "S", "CW", the image in five pieces.
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"Reading Indicator Status", 3},
        {"Uploading Data", 4},
        {"Waiting for Indicator Status", 9},
        {"+++ Upload Complete +++", 9},
    };
    EXPECT_EQ(shown, expected);
}

struct UploadFailure {
    const char* name;
    std::string statusAnswer;
    bool lineStalls;  // the image's bytes never leave the output queue
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
    line.driver.holdOutput = row.lineStalls;
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
// then the one that reports. A stalled line fails at the write time-out, 20.58 s.
INSTANTIATE_TEST_SUITE_P(
    Table, UploadFailureTest,
    ::testing::Values(
        UploadFailure{"silent", "", false, "", 1 + 40 + 1, "Timeout reading Indicator status."},
        UploadFailure{"error", "E", false, "", 1 + 1 + 1, "Indicator error status"},
        UploadFailure{"busy", "B", false, "", 1 + 1 + 1, "Error Unknown"},
        UploadFailure{"stalled_line", "I", true, "", 1 + 1 + 412 + 1,
                      "Write count error: sb 2048,  is 0"},
        UploadFailure{"nak", "I", false, kNak, 1 + 1 + kImageEvents + 1 + 1,
                      "Error: Indicator returned NAK"},
        UploadFailure{"no_ack", "I", false, "", 1 + 1 + kImageEvents + 401 + 1,
                      "Error: timeout waiting for ACK from Indicator"},
        UploadFailure{"noise_after_image", "I", false, "xyz", 1 + 1 + kImageEvents + 401 + 1,
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
        for (int n = 0; n < 2 + kImageEvents + 400; ++n)
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

// The line carries baud / 10 bytes a second; the queue is topped up to what it carries
// in 150 ms, the ACK wait starts when the last byte has left, and Cancel in the
// middle of the image drops what is still queued and resets the indicator.
TEST_F(UploadTest, TheImageGoesOutInPiecesAsTheLineTakesThem)
{
    for (int baud : {1200, 115200})
        for (bool cancel : {false, true}) {
            SCOPED_TRACE(testing::Message() << baud << (cancel ? " cancelled" : ""));
            ScriptedLine fresh;
            fresh.statusAnswer = "I";
            fresh.imageAnswer = kAck;
            fresh.port.baudRate = baud;
            fresh.driver.holdOutput = true;
            UploadSession session(fresh.port, image);
            session.begin();
            session.tick();
            session.tick();  // 'I' read, "CW" sent
            fresh.takeSent();
            const std::size_t perEvent = std::size_t(baud) / 200;  // 50 ms of line
            const std::size_t piece = std::max<std::size_t>(8, 3 * perEvent);
            TransferStep step = TransferStep::Running;
            while (step == TransferStep::Running && !(cancel && session.blockBytes() >= 1024)) {
                fresh.driver.carry(perEvent);
                const bool sending = session.state() == 2;
                step = session.tick();
                ASSERT_LE(fresh.driver.outQueue, piece);
                if (sending) {
                    ASSERT_EQ(session.blockBytes(),
                              fresh.driver.output.size() - fresh.driver.outQueue);
                }
                if (session.state() == 3) {
                    ASSERT_EQ(fresh.driver.outQueue, 0u);
                }
            }
            if (!cancel) {
                EXPECT_EQ(step, TransferStep::Succeeded);
                EXPECT_EQ(session.blockBytes(), 2048u);
                EXPECT_EQ(fresh.takeSent(), std::string(image.begin(), image.end()));
                continue;
            }
            const std::size_t sentAtCancel = session.blockBytes();
            session.cancel();
            EXPECT_FALSE(session.active());
            EXPECT_EQ(fresh.driver.outQueue, 0u);
            const std::string sent = fresh.takeSent();
            EXPECT_TRUE(sent.ends_with(kResetSequence));
            EXPECT_LE(sent.size() - kResetSequence.size(), sentAtCancel + piece);
        }
}

}  // namespace
}  // namespace quelvar::test
