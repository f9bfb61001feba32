// `quelvar --simulator` as a technician uses it: the main window on the simulated
// COM1, setups uploaded (reading the indicator first), downloaded and compared
// through the real dialogs; the simulator's memory and its log say what reached it.

#include "app/main_form.h"
#include "app/simulated_com1.h"
#include "cli_runner.h"
#include "model/backups.h"
#include "mnemonics.h"
#include "model/setup_document.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "text/setup_text.h"
#include "ui/diff_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>

using namespace quelvar;

namespace {

// Acts on the modal window in front as soon as `ready` holds for it (the first one
// of class `className` by default); fails the test when that never happens.
void when(std::function<bool(QWidget&)> ready, std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [=] {
        QWidget* window = QApplication::activeModalWidget();
        const bool found = window && ready(*window);
        if (!found && ++*tries < 1000) return;
        poll->stop();
        poll->deleteLater();
        if (found)
            act(*window);
        else
            ADD_FAILURE() << "the window awaited never showed";
    });
    poll->start(10);
}

bool isA(const QWidget& window, const char* className)
{
    return std::strcmp(window.metaObject()->className(), className) == 0;
}

void whenShown(const char* className, std::function<void(QWidget&)> act)
{
    when([className](QWidget& w) { return isA(w, className); }, std::move(act));
}

void click(QWidget& window, const char* button)
{
    window.findChild<QPushButton*>(button)->click();
}

// "key|first|second" for each row of a window's differences table.
QStringList rowsOf(QWidget& window)
{
    auto* table = window.findChild<DiffTable*>();
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + "|" + table->item(r, 1)->text() + "|" +
                    (table->item(r, 2) ? table->item(r, 2)->text() : QString());
    return rows;
}

class SimulatedIndicator : public ::testing::Test {
protected:
    SimulatedIndicator()
    {
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
        driver.simulator().setPaced(false);
        driver.simulator().onLog = [this](const std::string& line) { log.push_back(line); };
        form = std::make_unique<TMainForm>(document, port, services);
        form->simulateCom1(SimulatedCom1Driver::kDevice);
        form->FormCreate(folder.filePath("quelvar.INI"));
    }
    ~SimulatedIndicator() override { qunsetenv("XDG_DATA_HOME"); }

    const SetupImage& memory() { return driver.simulator().simulator().memory(); }
    bool wroteImage() const
    {
        return std::any_of(log.begin(), log.end(),
                           [](const std::string& line) { return line.starts_with("<- CW"); });
    }

    // The factory setup with `keys` of the setup text, sealed, as the file `name`.
    QString setupFile(const QString& name, const std::string& keys = {})
    {
        text::ImportResult made = text::importSetupText(keys + "\n[end]\n");
        EXPECT_TRUE(made.ok()) << made.error;
        SetupDocument file;
        file.setup() = made.setup;
        EXPECT_TRUE(file.writeFile(folder.filePath(name).toStdString()).ok());
        return folder.filePath(name);
    }

    // Upload with Begin pressed; `question` acts on the changes window.
    void upload(const QString& path, std::function<void(QWidget&)> question = {})
    {
        services.openFiles = {path};
        whenShown("quelvar::TUploadForm", [](QWidget& d) { click(d, "BeginButton"); });
        if (question) whenShown("quelvar::TUploadChangesForm", question);
        form->UploadButtonClick();
    }

    QTemporaryDir folder;
    SetupDocument document;
    SimulatedCom1Driver driver;
    ComPort port{driver};
    ScriptedServices services;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> log;
};

TEST_F(SimulatedIndicator, ReadFirstShowsTheChangeKeepsTheIndicatorsSetupAndUploadsOnYes)
{
    const SetupImage before = memory();
    const QString path = setupFile("site.sf", "[scale]\ncapacity = 500");
    QStringList rows;
    QString question;
    upload(path, [&](QWidget& d) {
        rows = rowsOf(d);
        question = d.findChild<QLabel*>("QuestionText")->text();
        EXPECT_EQ(mnemonicFaults(d), QStringList{});
        EXPECT_EQ(d.findChild<QLabel*>("CalibrationText"), nullptr);
        click(d, "YesButton");
    });
    EXPECT_EQ(rows, QStringList{"scale.capacity|100|500"});
    EXPECT_EQ(question, "Upload 1 change?");
    EXPECT_EQ(memory(), document.setup().image);
    EXPECT_EQ(services.texts(), QStringList{"+++  Upload Complete  +++"});
    // The backup holds what the indicator held, byte for byte.
    const std::vector<Backup> backups = listBackups(backupFolder());
    ASSERT_EQ(backups.size(), 1u);
    quelvar::Setup kept;
    ASSERT_TRUE(readSetupFile(backups[0].path, kept).complete());
    EXPECT_EQ(kept.image, before);
    EXPECT_EQ(backups[0].description, "Indicator on COM1, read before uploading " +
                                          path.toStdString());

    // The indicator now holds the setup in the editor.
    whenShown("quelvar::TDownloadForm", [](QWidget& d) { click(d, "BeginButton"); });
    form->compareWithIndicator();
    EXPECT_EQ(services.texts().last(),
              "No differences: this setup and the indicator hold the same settings.");

    // A download asked to keep a copy replaces the setup and keeps it too.
    document.setup().image[100] ^= 1;
    services.answers = {Answer::No};
    whenShown("quelvar::TDownloadForm", [](QWidget& d) {
        d.findChild<QCheckBox*>("BackupBox")->setChecked(true);
        click(d, "BeginButton");
    });
    form->DownloadButtonClick();
    EXPECT_EQ(document.setup().image, memory());
    EXPECT_TRUE(form->options().backupDownloads);
    EXPECT_EQ(listBackups(backupFolder()).front().description, "Indicator on COM1, downloaded");
}

TEST_F(SimulatedIndicator, NoWritesNothingAndACalibrationFactorIsMarked)
{
    const SetupImage before = memory();
    QStringList rows;
    upload(setupFile("other-scale.sf", "[scale]\nspan_factor = 81234"), [&](QWidget& d) {
        rows = rowsOf(d);
        EXPECT_NE(d.findChild<QLabel*>("CalibrationText"), nullptr);
        click(d, "NoButton");
    });
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith("scale.span_factor (calibration)|")) << rows[0].toStdString();
    EXPECT_FALSE(wroteImage());
    EXPECT_EQ(memory(), before);
    EXPECT_TRUE(services.texts().isEmpty());
}

TEST_F(SimulatedIndicator, ASetupTheIndicatorHoldsAsksWhetherToUploadAnyway)
{
    services.answers = {Answer::No};
    upload(setupFile("factory.sf", "[scale]\ncapacity = 100"));
    EXPECT_EQ(services.texts(),
              QStringList{"The indicator already holds this setup.\n\nUpload it anyway?"});
    EXPECT_FALSE(wroteImage());
}

// A setup that cannot be read, or kept, stops the upload before the write command.
TEST_F(SimulatedIndicator, NothingIsSentWhenTheIndicatorsSetupCannotBeReadOrKept)
{
    const SetupImage before = memory();
    const QString path = setupFile("site.sf", "[scale]\ncapacity = 500");
    QFile(folder.filePath("plain")).open(QIODevice::WriteOnly);
    const struct {
        bool silent;
        QString dataHome;
        QString text;
    } cases[] = {
        {true, folder.filePath("data"), "Timeout reading Indicator status."},
        {false, folder.filePath("plain"),
         "The indicator's setup could not be kept as a backup, so nothing was uploaded."},
    };
    for (const auto& c : cases) {
        driver.simulator().simulator().faults.silent = c.silent;
        qputenv("XDG_DATA_HOME", c.dataHome.toUtf8());
        services.shown.clear();
        services.openFiles = {path};
        whenShown("quelvar::TUploadForm", [](QWidget& d) { click(d, "BeginButton"); });
        // The dialog stays open with nothing running, until Cancel.
        when([&](QWidget& d) { return isA(d, "quelvar::TUploadForm") && !services.shown.empty(); },
             [](QWidget& d) {
                 EXPECT_FALSE(d.findChild<QTimer*>("UploadTimer")->isActive());
                 EXPECT_TRUE(d.findChild<QCheckBox*>("ReadFirstBox")->isEnabled());
                 click(d, "CancelButton");
             });
        form->UploadButtonClick();
        EXPECT_EQ(services.texts(), QStringList{c.text});
    }
    EXPECT_FALSE(wroteImage());
    EXPECT_EQ(memory(), before);
}

// The compare window shows the rows quelvar-cli diff prints; Copy and Save give them
// as its lines. With the indicator only the image counts.
TEST_F(SimulatedIndicator, CompareShowsWhatDiffPrints)
{
    const QString mine = setupFile("mine.sf", "[scale]\ncapacity = 500\nunits = \"kg\"");
    const QString theirs = setupFile("theirs.sf", "[scale]\ncapacity = 200");
    ASSERT_TRUE(form->readSetupFile(mine));
    services.openFiles = {theirs};
    services.textFiles = {folder.filePath("differences.txt")};
    QStringList rows;
    whenShown("quelvar::TCompareForm", [&](QWidget& d) {
        rows = rowsOf(d);
        EXPECT_EQ(mnemonicFaults(d), QStringList{});
        click(d, "CopyButton");
        click(d, "SaveButton");
        click(d, "CloseButton");
    });
    form->compareWithFile();
    EXPECT_EQ(rows, (QStringList{"scale.capacity|500|200", "scale.units|kg|lb"}));
    const std::string diff =
        test::runCli({"diff", mine.toStdString(), theirs.toStdString()}).out;
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), diff);
    QFile saved(folder.filePath("differences.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), diff);

    form->findChild<QPlainTextEdit*>("fileDescriptionMemo")->setPlainText("only in the editor");
    whenShown("quelvar::TDownloadForm", [](QWidget& d) { click(d, "BeginButton"); });
    whenShown("quelvar::TCompareForm", [&](QWidget& d) {
        rows = rowsOf(d);
        click(d, "CloseButton");
    });
    form->compareWithIndicator();
    EXPECT_EQ(rows, (QStringList{"scale.capacity|500|100", "scale.units|kg|lb"}));
    EXPECT_FALSE(wroteImage());
}

}  // namespace
