#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "model/setup_document.h"
#include "transfer/scripted_line.h"
#include "scripted_services.h"
#include "sim/simulator_driver.h"
#include "transfer/download_form.h"
#include "transfer/upload_form.h"

namespace quelvar::test {
namespace {

const std::string kAck = "\x06";

QString textOf(QWidget& form, const char* label)
{
    return form.findChild<QLabel*>(label)->text();
}

void click(QWidget& form, const char* button)
{
    QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
}

// The upload exactly as the indicator link defines it, without reading first.
EditorOptions uploadAtOnce()
{
    EditorOptions options;
    options.readFirst = false;
    return options;
}

quelvar::Setup setupOf(const SetupImage& image)
{
    quelvar::Setup setup;
    setup.image = image;
    return setup;
}

QTimer& timerOf(QWidget& form, const char* name)
{
    return *form.findChild<QTimer*>(name);
}

struct UploadFormTest : ::testing::Test {
    ScriptedLine line;
    ScriptedServices services;
    quelvar::Setup setup = setupOf(sampleImage());
    EditorOptions options = uploadAtOnce();
    std::unique_ptr<TUploadForm> form;

    void open()
    {
        form = std::make_unique<TUploadForm>(line.port, setup, "/setups/line1.sf", options,
                                             services);
        form->show();
    }
};

TEST_F(UploadFormTest, BeginRunsTheUploadOnItsTimerAndClosesAfterTheCompletionBox)
{
    line.statusAnswer = "I";
    line.imageAnswer = kAck;
    open();
    EXPECT_EQ(textOf(*form, "headingLabel"), "Upload File to Indicator   [ PC -> Indicator ]");
    QSignalSpy accepted(form.get(), &QDialog::accepted);
    click(*form, "BeginButton");
    EXPECT_EQ(timerOf(*form, "UploadTimer").interval(), 50);
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 5000);
    EXPECT_EQ(services.texts(), QStringList{"+++  Upload Complete  +++"});
    EXPECT_EQ(textOf(*form, "ByteCountText"), "+++ Upload Complete +++");
    EXPECT_EQ(form->findChild<QProgressBar*>("ProgressBar")->text(), "2048 of 2048 bytes");
    EXPECT_FALSE(timerOf(*form, "UploadTimer").isActive());
}

TEST_F(UploadFormTest, FailureShowsItsMessageAndKeepsTheDialogOpenForAnotherAttempt)
{
    line.statusAnswer = "E";
    open();
    click(*form, "BeginButton");
    for (int n = 0; n < 3; ++n)
        form->UploadTimerTimer();
    EXPECT_EQ(services.texts(), QStringList{"Indicator error status"});
    EXPECT_TRUE(line.takeSent().ends_with(kResetSequence));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(timerOf(*form, "UploadTimer").isActive());
    EXPECT_EQ(textOf(*form, "ByteCountText"), "");

    click(*form, "BeginButton");
    EXPECT_TRUE(timerOf(*form, "UploadTimer").isActive());
}

TEST_F(UploadFormTest, CancelWhileWaitingForAckClosesWithoutSendingAnything)
{
    line.statusAnswer = "I";
    open();
    click(*form, "BeginButton");
    for (int n = 0; n < 2 + kImageEvents; ++n)
        form->UploadTimerTimer();
    ASSERT_EQ(textOf(*form, "ByteCountText"), "Waiting for Indicator Status");
    line.takeSent();
    QSignalSpy rejected(form.get(), &QDialog::rejected);
    click(*form, "CancelButton");
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(timerOf(*form, "UploadTimer").isActive());
    EXPECT_EQ(line.takeSent(), "");
    EXPECT_TRUE(services.texts().isEmpty());
}

TEST_F(UploadFormTest, KeyboardEnterBeginsEscapeCancelsHelpOpensTheUploadTopic)
{
    open();
    click(*form, "HelpButton");
    EXPECT_EQ(services.helpShown, QStringList{"Upload"});
    QTest::keyClick(form.get(), Qt::Key_Return);
    EXPECT_TRUE(timerOf(*form, "UploadTimer").isActive());
    QSignalSpy rejected(form.get(), &QDialog::rejected);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(timerOf(*form, "UploadTimer").isActive());
}

struct DownloadFormTest : ::testing::Test {
    ScriptedLine line;
    ScriptedServices services;
    SetupImage memory = sampleImage(1);
    SetupImage indicator = sampleImage(5);
    std::unique_ptr<TDownloadForm> form;

    void open()
    {
        line.statusAnswer = "I";
        form = std::make_unique<TDownloadForm>(line.port, memory, services);
        form->show();
    }
};

TEST_F(DownloadFormTest, ReceivedImageReplacesTheSetupImage)
{
    line.readAnswers = {{indicator.begin(), indicator.end()}};
    open();
    EXPECT_EQ(form->windowTitle(), "Download File    PC <--- Indicator");
    EXPECT_EQ(textOf(*form, "headingLabel"), "Download File from Indicator   [ PC <- Indicator ]");
    QSignalSpy accepted(form.get(), &QDialog::accepted);
    click(*form, "BeginButton");
    EXPECT_EQ(timerOf(*form, "DownloadTimer").interval(), 100);
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 5000);
    EXPECT_EQ(services.texts(), QStringList{"Download Complete"});
    EXPECT_EQ(memory, indicator);
    EXPECT_EQ(textOf(*form, "StatusText"), "2048");
    EXPECT_EQ(form->findChild<QProgressBar*>("ProgressBar")->value(), 2048);
}

// On a line whose writes wait for line time (the simulated one at 1200 baud, where the
// image takes 17 s), the window keeps running and Cancel in the middle of the image
// closes it at once; the indicator gets no more of the image and is idle again.
TEST(UploadOnASlowLine, CancelMidImageStopsTheLineAtOnce)
{
    SimulatorDriver driver;
    ComPort port{driver};
    port.portNumber = 1;
    port.baudRate = 1200;
    ASSERT_TRUE(port.Open() && port.Configure());
    std::vector<std::string> log;
    driver.onLog = [&log](const std::string& line) { log.push_back(line); };
    ScriptedServices services;
    const SetupImage before = driver.simulator().memory();
    EditorOptions options = uploadAtOnce();
    TUploadForm form(port, setupOf(sampleImage()), "line1.sf", options, services);
    form.show();
    click(form, "BeginButton");
    auto* bar = form.findChild<QProgressBar*>("ProgressBar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() >= 24; }, 5000));
    const int sentAtCancel = bar->value();
    const auto start = std::chrono::steady_clock::now();
    click(form, "CancelButton");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(port.OutputQueued(), 0);
    // A second of silence later the indicator drops the cut-off image.
    QTest::qWait(1300);
    ASSERT_TRUE(port.ClearErrors());
    EXPECT_TRUE(driver.simulator().idle());
    EXPECT_EQ(driver.simulator().memory(), before);
    // What it got after the last timer event: at most the 18 bytes queued then (150 ms
    // of line), and the reset sequence.
    int received = -1;
    for (const std::string& line : log)
        std::sscanf(line.c_str(), "<- CW + %d bytes, then silence", &received);
    EXPECT_GE(received, sentAtCancel);
    EXPECT_LE(received, sentAtCancel + 18 + 4);
    EXPECT_TRUE(services.texts().isEmpty());
}

// Acts on the modal dialog the next call opens, as soon as it shows.
void whenDialogShows(std::function<void(QWidget&)> act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* dialog = QApplication::activeModalWidget()) act(*dialog);
    });
}

struct MainWindowTransferTest : ::testing::Test {
    QTemporaryDir folder;
    SetupDocument document;
    SimulatorDriver driver;
    ComPort port{driver};
    ScriptedServices services;
    std::unique_ptr<TMainForm> form;

    MainWindowTransferTest()
    {
        driver.setPaced(false);
        form = std::make_unique<TMainForm>(document, port, services);
        form->FormCreate(folder.filePath("quelvar.INI"));
    }
};

// A sealed setup whose image differs from the factory one, saved in `folder`.
QString savedSetup(const QTemporaryDir& folder)
{
    SetupDocument other;
    other.setup().image[100] ^= 0x5A;
    const QString path = folder.filePath("line1.sf");
    EXPECT_TRUE(other.writeFile(path.toStdString()).ok());
    return path;
}

TEST_F(MainWindowTransferTest, StartUpResetsTheIndicatorThroughTheHiddenDownloadDialog)
{
    std::vector<std::string> log;
    driver.onLog = [&log](const std::string& line) { log.push_back(line); };
    form->createHiddenDownloadDialog();
    QCoreApplication::processEvents();
    EXPECT_EQ(log, std::vector<std::string>{"<- reset (ESC ESC X0)"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTransferTest, UploadDialogShowsTheChosenFile)
{
    const QString path = savedSetup(folder);
    services.openFiles = {path};
    QString shownName;
    whenDialogShows([&](QWidget& dialog) {
        shownName = textOf(dialog, "FileNameText");
        click(dialog, "CancelButton");
    });
    form->UploadButtonClick();
    EXPECT_EQ(shownName, path);
    EXPECT_TRUE(services.texts().isEmpty());
}

}  // namespace
}  // namespace quelvar::test
