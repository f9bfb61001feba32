// The editor's file flows beyond the setup file: setup texts opened and saved, the
// recent files under Open File, and files dropped onto the window.

#include "app/main_form.h"
#include "model/check_bytes.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "model/setup_file.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"
#include "text/setup_text.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace quelvar;

namespace {

class SetupFiles : public ::testing::Test {
protected:
    SetupFiles() { start(); }

    void start()
    {
        form = std::make_unique<TMainForm>(document, port, services);
        form->FormCreate(folder.filePath("quelvar.INI"));
    }

    QString path(const QString& name) const { return folder.filePath(name); }
    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString write(const QString& name, const std::string& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path(name);
    }
    void saveAs(const QString& name)
    {
        services.saveFiles = {path(name)};
        form->SaveButtonClick();
    }
    QString changed() const { return form->findChild<QLabel*>("changedStatus")->text(); }
    std::vector<std::string> recent() const { return form->options().recentFiles; }

    QTemporaryDir folder;
    SetupDocument document;
    FakeSerialDriver driver;
    ComPort port{driver};
    ScriptedServices services;
    std::unique_ptr<TMainForm> form;
};

// A text exported elsewhere comes back byte for byte through Open and Save As, and
// as the setup file quelvar-cli import would write.
TEST_F(SetupFiles, ASetupTextOpensAndSavesByteForByte)
{
    quelvar::Setup busy;
    ResetSetupToDefaults(busy.image);
    busy.description = "Line 1\r\nnorth gate";
    busy.image[ItemOffset(17)] ^= 0x10;
    sealSetup(busy);
    const std::string text = text::exportSetupText(busy);
    ASSERT_TRUE(form->readSetupFile(write("site.toml", text)));
    EXPECT_EQ(document.setup(), busy);
    EXPECT_EQ(changed(), "");

    saveAs("copy.toml");
    EXPECT_EQ(bytesOf("copy.toml").toStdString(), text);
    EXPECT_EQ(document.fileName(), path("copy.toml").toStdString());
    saveAs("copy.sf");
    const SetupFileBytes file = encodeSetupFile(busy);
    EXPECT_EQ(bytesOf("copy.sf"), QByteArray(reinterpret_cast<const char*>(file.data()), file.size()));
    EXPECT_EQ(changed(), "");
    EXPECT_TRUE(services.shown.empty()) << services.texts().join('|').toStdString();

    // A refused text is said with its line; the setup and its name stay.
    ASSERT_FALSE(form->readSetupFile(write("bad.toml", "[scale]\ncount_by = \"3\"\n[end]\n")));
    EXPECT_EQ(services.texts(),
              QStringList{path("bad.toml") + ":2: scale.count_by: Invalid Count-By: 3"});
    EXPECT_EQ(document.setup(), busy);
    EXPECT_EQ(document.fileName(), path("copy.sf").toStdString());
}

TEST_F(SetupFiles, RecentFilesComeNewestFirstStayAfterExitAndGreyAMissingOne)
{
    ASSERT_TRUE(document.writeFile(path("a.sf").toStdString()).ok());
    ASSERT_TRUE(form->readSetupFile(path("a.sf")));  // as main() opens a file it is given
    EXPECT_EQ(form->findChild<QLabel*>("fileNameStatus")->text(), path("a.sf"));
    saveAs("b.sf");
    ASSERT_TRUE(form->readSetupFile(path("a.sf")));
    const std::vector<std::string> expected{path("a.sf").toStdString(),
                                            path("b.sf").toStdString()};
    EXPECT_EQ(recent(), expected);
    form.reset();  // the settings file is written at exit
    start();
    EXPECT_EQ(recent(), expected);

    QFile::remove(path("b.sf"));
    auto* menu = form->findChild<QMenu*>("RecentMenu");
    QList<QAction*> actions;
    form->show();  // the list opens from the keyboard too
    QApplication::setActiveWindow(form.get());
    QTimer::singleShot(0, menu, [&] { actions = menu->actions(); menu->close(); });
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "&1 a.sf");
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_FALSE(actions[1]->isEnabled());
    EXPECT_EQ(actions[1]->toolTip(), path("b.sf"));
    actions[0]->trigger();
    EXPECT_EQ(document.fileName(), expected[0]);
}

// A dropped setup opens after the save question; other files are not taken.
TEST_F(SetupFiles, ADroppedSetupFileOpensAfterTheSaveQuestion)
{
    quelvar::Setup other;
    ResetSetupToDefaults(other.image);
    other.description = "dropped";
    StoreCheckBytes(other.image);
    const std::string text = text::exportSetupText(other);
    const struct {
        QString file;
        bool accepted;
    } cases[] = {{write("notes.txt", "text"), false},
                 {QDir(folder.path()).mkdir("folder.sf") ? path("folder.sf") : "", false},
                 {write("drop.toml", text), true}};
    for (const auto& c : cases) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(c.file)});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted) << c.file.toStdString();
        if (!c.accepted) continue;
        document.setup().image[100] ^= 1;
        services.answers = {Answer::No};
        QDropEvent drop({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QTRY_COMPARE(document.fileName(), c.file.toStdString());
        EXPECT_EQ(document.setup().description, "dropped");
        EXPECT_EQ(services.texts(), QStringList{"Current file has changed. Save file?"});
    }
}

}  // namespace
