// The main window's life cycle and setup file flows, driven through scripted
// services: exact texts and buttons, and what ends up in memory and on disk.

#include "app/main_form.h"
#include "app/settings_file.h"
#include "model/check_bytes.h"
#include "model/setup_document.h"
#include "model/setup_file.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace quelvar;

namespace {

const QString kSaveQuestion = "Current file has changed. Save file?";

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settingsPath = folder.filePath("quelvar.INI");
    }

    TMainForm& start()
    {
        form = std::make_unique<TMainForm>(document, port, services);
        form->FormCreate(settingsPath);
        return *form;
    }

    QPlainTextEdit* memo() { return form->findChild<QPlainTextEdit*>("fileDescriptionMemo"); }
    template <typename Button = QAbstractButton> Button* button(const char* name)
    {
        return form->findChild<Button*>(name);
    }

    // A sealed factory setup with `description`, written as a file in the folder.
    QString writeSetup(const QString& name, const std::string& description = "stored")
    {
        SetupDocument other;
        other.setup().description = description;
        EXPECT_TRUE(other.writeFile(folder.filePath(name).toStdString()).ok());
        return folder.filePath(name);
    }

    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    void typeInMemo(const QString& text)
    {
        form->show();
        memo()->setFocus();
        memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo(), text);
    }

    QTemporaryDir folder;
    QString settingsPath;
    SetupDocument document;
    FakeSerialDriver driver;
    ComPort port{driver};
    ScriptedServices services;
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(MainFormTest, StartWithoutSettingsFileUsesTheDefaultsAndWritesThemAtExit)
{
    start();
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_EQ(port.baudRate, 57600);
    EXPECT_EQ(port.byteSize, 8);
    EXPECT_EQ(port.parity, 'n');
    EXPECT_EQ(port.stopBits, 0);
    EXPECT_EQ(driver.openedDevice, "/dev/ttyS0");
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(services.shown.empty());
    EXPECT_FALSE(form->IsSetupChanged());

    form.reset();  // FormDestroy
    EXPECT_FALSE(port.isOpen());
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.beginGroup("Com");
    EXPECT_EQ(settings.childKeys().size(), 5);
    EXPECT_EQ(settings.value("comport").toString(), "1");
    EXPECT_EQ(settings.value("baud").toString(), "57600");
    EXPECT_EQ(settings.value("parity").toString(), "110");
    EXPECT_EQ(settings.value("byteSize").toString(), "8");
    EXPECT_EQ(settings.value("stops").toString(), "0");
}

TEST_F(MainFormTest, SettingsAndDevicesAreReadAndOnlyComIsWritten)
{
    writeBytes("quelvar.INI", "[Com]\ncomport=2\nbaud=9600\nparity=101\nbyteSize=7\nstops=junk\n"
                              "[Devices]\ncom2=/dev/ttyUSB0\n");
    start();
    EXPECT_EQ(port.portNumber, 2);
    EXPECT_EQ(port.baudRate, 9600);
    EXPECT_EQ(port.parity, 'e');
    EXPECT_EQ(port.byteSize, 7);
    EXPECT_EQ(port.stopBits, 0);  // not a number: the default
    EXPECT_EQ(driver.openedDevice, "/dev/ttyUSB0");

    port.baudRate = 19200;  // as the port settings dialog would
    form.reset();
    QSettings settings(settingsPath, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Com/baud").toInt(), 19200);
    EXPECT_EQ(settings.value("Com/stops").toInt(), 0);
    EXPECT_EQ(settings.value("Devices/com2").toString(), "/dev/ttyUSB0");
}

// The user's file is $XDG_CONFIG_HOME/quelvar/NAME.INI, ~/.config when it is unset
// or not absolute; the old place is one folder deeper.
TEST_F(MainFormTest, SettingsFilesAreNamedAfterTheProgramInTheUsersConfigFolder)
{
    const SettingsFiles files =
        settingsFiles(folder.filePath("bin/quelvar"), folder.filePath("config"));
    EXPECT_EQ(files.beside, folder.filePath("bin/quelvar.INI").toStdString());
    EXPECT_EQ(files.user, folder.filePath("config/quelvar/quelvar.INI").toStdString());
    EXPECT_EQ(files.oldUser, folder.filePath("config/quelvar/quelvar/quelvar.INI").toStdString());
    // Installed under any prefix: the package's copyright file is in its place.
    EXPECT_FALSE(files.besideIsSystemDefault);
    QDir(folder.path()).mkpath("bin");
    QDir(folder.path()).mkpath("share/doc/quelvar");
    QFile(folder.filePath("share/doc/quelvar/copyright")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(settingsFiles(folder.filePath("bin/quelvar"), "").besideIsSystemDefault);

    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME"), savedHome = qgetenv("HOME");
    const std::string name =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString() +
        ".INI";
    const struct {
        const char* configHome;
        std::string user;
    } cases[] = {{"/tmp/xdg", "/tmp/xdg/quelvar/"},
                 {nullptr, "/home/tech/.config/quelvar/"},
                 {"relative", "/home/tech/.config/quelvar/"}};
    qputenv("HOME", "/home/tech");
    for (const auto& c : cases) {
        if (c.configHome)
            qputenv("XDG_CONFIG_HOME", c.configHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(defaultSettingsFiles().user, c.user + name);
    }
    qputenv("HOME", savedHome);
    if (savedConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST_F(MainFormTest, SimulatedCom1ReplacesTheDeviceForThisRunOnly)
{
    writeBytes("quelvar.INI", "[Devices]\nCOM1=/dev/ttyUSB0\n");
    form = std::make_unique<TMainForm>(document, port, services);
    form->simulateCom1("simulated indicator");
    form->FormCreate(settingsPath);
    EXPECT_EQ(driver.openedDevice, "simulated indicator");
    EXPECT_TRUE(form->windowTitle().contains("simulated indicator"));
    form.reset();
    QSettings settings(settingsPath, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Devices/COM1").toString(), "/dev/ttyUSB0");
    EXPECT_EQ(settings.childGroups(), (QStringList{"Com", "Devices"}));
}

TEST_F(MainFormTest, PortFailuresAreReportedOnceWithTheReasonAsDetail)
{
    const struct {
        const char* name;
        bool failOpen, failSetTimeouts;
        QStringList texts;
    } cases[] = {
        {"no device", true, false, {"Com port did not open", "Com port configuration failed"}},
        {"time-outs refused", false, true, {"Com port configuration failed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        services.shown.clear();
        driver.failOpen = c.failOpen;
        driver.failSetTimeouts = c.failSetTimeouts;
        start();
        EXPECT_EQ(services.texts(), c.texts);
        for (const auto& box : services.shown)
            EXPECT_EQ(box.kind, ShownBox::Error);
        if (c.failOpen) {
            EXPECT_EQ(services.shown.front().detail, "/dev/ttyS0: No such file or directory");
        }
        EXPECT_EQ(services.shown.back().detail, "");  // the system gave no reason
        EXPECT_FALSE(form->IsSetupChanged());         // editing goes on with the factory setup
        form.reset();
    }
}

TEST_F(MainFormTest, ExitAsksOnlyWhenTheSetupChanged)
{
    // Typing in the memo counts even before the memo loses focus; Cancel (or Esc)
    // keeps the window and the setup.
    start();
    typeInMemo("Line 3 scale");
    services.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(memo()->toPlainText(), "Line 3 scale");
    EXPECT_TRUE(form->close());
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0].kind, ShownBox::YesNoCancel);
    EXPECT_EQ(services.shown[0].text, kSaveQuestion);
    EXPECT_EQ(services.shown[0].caption, "");

    // Reset to Defaults discards the edit: no question at exit.
    services.shown.clear();
    start();
    typeInMemo("more text");
    document.setup().image[100] ^= 0xFF;
    services.answers = {Answer::Ok};
    button("DefaultsButton")->click();
    EXPECT_EQ(services.texts(), QStringList{"Reset All Parameters to Factory Defaults!"});
    EXPECT_EQ(memo()->toPlainText(), "");
    EXPECT_TRUE(form->close());
    EXPECT_EQ(services.shown.size(), 1u);
}

TEST_F(MainFormTest, ResetCancelledKeepsTheSetupAndTheFileName)
{
    start();
    const QString path = writeSetup("a.sf");
    services.openFiles = {path};
    ASSERT_TRUE(form->OpenSetupFile());
    typeInMemo(" changed");
    services.answers = {Answer::Cancel};
    form->DefaultsButtonClick();
    EXPECT_EQ(memo()->toPlainText(), "stored changed");
    services.answers = {Answer::Ok};
    form->DefaultsButtonClick();
    EXPECT_EQ(document.fileName(), path.toStdString());
    EXPECT_TRUE(form->IsSetupChanged());  // a.sf holds another setup
}

TEST_F(MainFormTest, YesAtExitThatSavesNothingKeepsTheWindowOpen)
{
    start();
    document.setup().image[10] ^= 0xFF;
    // Save dialog cancelled.
    services.answers = {Answer::Yes};
    services.saveFiles = {std::nullopt};
    EXPECT_FALSE(form->close());
    // Write failed: the setup still counts as changed, and the status bar names the
    // file the next question does.
    services.answers = {Answer::Yes, Answer::Cancel};
    services.saveFiles = {folder.filePath("missing/dir/x.sf")};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->IsSetupChanged());
    EXPECT_FALSE(form->close());
    EXPECT_EQ(form->findChild<QLabel*>("fileNameStatus")->text(), services.shown.back().caption);
    // Saved: the window closes.
    services.answers = {Answer::Yes};
    services.saveFiles = {folder.filePath("x.sf")};
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(QFile::exists(folder.filePath("x.sf")));
}

TEST_F(MainFormTest, FailedWriteKeepsTheSetupChanged)
{
    start();
    typeInMemo("unsaved");
    const QString path = folder.filePath("missing/x.sf");
    services.saveFiles = {path};
    form->SaveButtonClick();
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].text, "Error opening file: " + path);
    EXPECT_FALSE(services.shown[0].detail.isEmpty());
    EXPECT_TRUE(form->IsSetupChanged());
    EXPECT_EQ(document.fileName(), path.toStdString());
}

// A file unlike a setup file replaces the setup only after Yes at its warning.
TEST_F(MainFormTest, OpenFailuresAndFilesThatAreNoSetup)
{
    start();
    const QString missing = folder.filePath("nope.sf");
    const QString shortFile = writeBytes("short.sf", QByteArray(2048, '\1'));
    const QString empty = writeBytes("empty.sf", {});
    const QString big = writeBytes("big.sf", QByteArray(36 * 1024, '\1'));
    const QString warning = "%1 is not a setup file: %2. Open it anyway?";
    const struct {
        QString path;
        QStringList texts;
        Answer answer;
        bool factoryChanged;  // the setup afterwards: factory state counted as changed
    } cases[] = {
        {missing, {"Error Opening file: " + missing}, Answer::Yes, false},
        {shortFile,
         {warning.arg(shortFile, "2 KB, check bytes do not verify"),
          "Error reading file: " + shortFile + "count was/sb 1  4"},
         Answer::Yes,
         true},
        {empty,
         {warning.arg(empty, "0 bytes"), "Error reading file: " + empty + "count was/sb 0  4"},
         Answer::Yes,
         true},
        {big, {warning.arg(big, "36 KB, check bytes do not verify")}, Answer::No, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        services.shown.clear();
        document.resetToFactory();
        document.setup().image[200] = 0x5A;  // an edit the open must not destroy silently
        document.TakeReferenceCopy();
        const quelvar::Setup before = document.setup();
        const std::string nameBefore = document.fileName();
        services.openFiles = {c.path};
        services.answers = {c.answer};
        EXPECT_FALSE(form->OpenSetupFile());
        EXPECT_EQ(services.texts(), c.texts);
        EXPECT_EQ(document.fileName(), c.answer == Answer::Yes ? c.path.toStdString() : nameBefore);
        if (c.factoryChanged) {
            EXPECT_NE(document.setup().image[200], 0x5A);
            EXPECT_TRUE(form->IsSetupChanged());
        } else {
            EXPECT_EQ(document.setup(), before);
        }
    }
}

TEST_F(MainFormTest, UploadRefusesAFileWithWrongCheckBytes)
{
    start();
    const QString path = writeSetup("sealed.sf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[5] = static_cast<char>(bytes[5] + 1);
    file.seek(0);
    file.write(bytes);
    file.close();

    services.openFiles = {path};
    services.answers = {Answer::Yes};  // open it anyway
    form->UploadButtonClick();
    EXPECT_EQ(services.texts().last(), "Checksum Error in file " + path);
    EXPECT_EQ(memo()->toPlainText(), "stored");  // the file was read all the same
}

TEST_F(MainFormTest, SaveQuestionsBeforeOpenAndDownload)
{
    start();
    const QString current = writeSetup("current.sf");
    services.openFiles = {current};
    ASSERT_TRUE(form->OpenSetupFile());
    document.setup().image[300] ^= 1;

    // Download: Cancel opens nothing; Yes saves through the dialog pre-filled with the name.
    services.answers = {Answer::Cancel};
    form->DownloadButtonClick();
    EXPECT_EQ(services.shown.back().kind, ShownBox::YesNoCancel);
    EXPECT_EQ(services.shown.back().caption, current);
    EXPECT_TRUE(services.saveDialogInitialNames.isEmpty());
    services.answers = {Answer::Yes};
    services.saveFiles = {current};
    QTimer::singleShot(0,
                       [] { QApplication::activeModalWidget()->close(); });  // the download dialog
    form->DownloadButtonClick();
    EXPECT_EQ(services.saveDialogInitialNames, QStringList{current});
    EXPECT_FALSE(form->IsSetupChanged());

    // Open: the save dialog is not pre-filled; Cancel at the question, or a Yes that
    // saved nothing, reads nothing.
    document.setup().image[300] ^= 1;
    services.answers = {Answer::Yes, Answer::Cancel};
    services.saveFiles = {std::nullopt};
    EXPECT_FALSE(form->OpenSetupFile());
    EXPECT_EQ(services.saveDialogInitialNames.last(), "");
    EXPECT_FALSE(form->OpenSetupFile());
    EXPECT_TRUE(form->IsSetupChanged());
}

TEST_F(MainFormTest, SavedDescriptionIsCutTo511AndCountsAsSaved)
{
    start();
    const QString path = folder.filePath("long.sf");
    services.saveFiles = {path};
    memo()->setPlainText(QString(600, 'd'));
    form->SaveButtonClick();
    EXPECT_EQ(memo()->toPlainText(), QString(511, 'd'));
    EXPECT_EQ(document.setup().description.size(), 511u);
    EXPECT_FALSE(form->IsSetupChanged());
    EXPECT_EQ(QFile(path).size(), static_cast<qint64>(kSetupFileSize));
}

// The memo gives back the description's bytes exactly, whatever line ends or
// single-byte characters it holds: opening and saving never leave it changed.
TEST_F(MainFormTest, DescriptionsComeBackFromTheMemoByteForByte)
{
    std::string lines;
    for (int i = 0; i < 170; ++i)
        lines += "ab\r\n";
    const std::string cases[] = {lines.substr(0, 511), "one\rtwo",         "one\ntwo\n",
                                 "a\r\nb\nc\rd",       "\xa0\xe9\x80\xff", "\x85 x\t\x01"};
    start();
    for (const std::string& description : cases) {
        SCOPED_TRACE(QByteArray::fromStdString(description).toHex().toStdString());
        const QString path = writeSetup("d.sf", description);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        services.openFiles = {path};
        ASSERT_TRUE(form->OpenSetupFile());
        EXPECT_FALSE(form->IsSetupChanged());
        EXPECT_EQ(document.setup().description, description);
        services.saveFiles = {path};
        form->SaveButtonClick();
        EXPECT_FALSE(form->IsSetupChanged());
        file.seek(0);
        EXPECT_EQ(file.readAll(), saved);
    }
}

// The save cuts the description between CR and LF; the window closes all the same.
TEST_F(MainFormTest, ExitYesSaveClosesAfterTheDescriptionIsCut)
{
    start();
    memo()->setPlainText(QString("ab\n").repeated(170));
    services.answers = {Answer::Yes};
    services.saveFiles = {folder.filePath("cut.sf")};
    EXPECT_TRUE(form->close());
    // The memo took what fits: a line break that would need 512 bytes stays out.
    EXPECT_EQ(document.setup().description.size(), 510u);
    EXPECT_EQ(document.setup().description.substr(506), "\r\nab");
}

TEST_F(MainFormTest, SetupsRoundTripByteForByteWithTheCommandLineTool)
{
    start();
    // The tool's factory file opens unchanged and saves byte-identical.
    const QString fromTool = folder.filePath("tool.sf");
    ASSERT_EQ(QProcess::execute(QUELVAR_CLI, {"new", fromTool}), 0);
    services.openFiles = {fromTool};
    ASSERT_TRUE(form->OpenSetupFile());
    const QString fromEditor = folder.filePath("editor.sf");
    services.saveFiles = {fromEditor};
    form->SaveButtonClick();
    QFile a(fromTool), b(fromEditor);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    // An edited setup saved by the editor passes the tool's check.
    typeInMemo("edited");
    document.setup().image[400] ^= 0x11;
    services.saveFiles = {fromEditor};
    form->SaveButtonClick();
    EXPECT_EQ(QProcess::execute(QUELVAR_CLI, {"check", fromEditor}), 0);
}

TEST_F(MainFormTest, StatusBarShowsTheFileAndWhetherTheSetupChanged)
{
    start();
    const auto status = [this] {
        return QStringList{form->findChild<QLabel*>("fileNameStatus")->text(),
                           form->findChild<QLabel*>("changedStatus")->text()};
    };
    EXPECT_EQ(status(), (QStringList{"No file", ""}));
    typeInMemo("x");
    EXPECT_EQ(status(), (QStringList{"No file", "Changed"}));

    const QString path = folder.filePath("status.sf");
    services.saveFiles = {path};
    button("SaveButton")->click();
    EXPECT_EQ(status(), (QStringList{path, ""}));

    QTimer::singleShot(0, [this] {
        document.setup().image[600] ^= 1;  // as a dialog's OK would
        QApplication::activeModalWidget()->close();
    });
    button("TallyScriptButton")->click();
    EXPECT_EQ(status(), (QStringList{path, "Changed"}));

    // The factory setup is not the file's: a change to it, which closing asks about.
    services.answers = {Answer::Ok, Answer::Cancel};
    button("DefaultsButton")->click();
    EXPECT_EQ(status(), (QStringList{path, "Changed"}));
    EXPECT_FALSE(form->close());
}
