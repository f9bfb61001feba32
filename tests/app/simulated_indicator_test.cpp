// `quelvar --simulator` as a technician uses it: the main window on the simulated
// COM1, a saved setup uploaded and downloaded back through the real dialogs.

#include "app/main_form.h"
#include "app/simulated_com1.h"
#include "model/setup_document.h"
#include "scripted_services.h"
#include "serial/com_port.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace quelvar;

namespace {

// Presses Begin in the transfer dialog that is about to open.
void pressBeginWhenShown()
{
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>("BeginButton")->click();
    });
}

}  // namespace

TEST(SimulatedCom1, UploadThenDownloadThroughTheMainWindow)
{
    QTemporaryDir folder;
    SetupDocument document;
    SimulatedCom1Driver driver;
    driver.simulator().setPaced(false);
    ComPort port(driver);
    ScriptedServices services;
    TMainForm form(document, port, services);
    form.simulateCom1(SimulatedCom1Driver::kDevice);
    form.FormCreate(folder.filePath("quelvar.INI"));
    form.createHiddenDownloadDialog();
    ASSERT_TRUE(services.shown.empty()) << services.texts().join('|').toStdString();
    ASSERT_TRUE(port.isOpen());

    // A changed setup, saved (and so sealed), then uploaded from its file.
    document.setup().image[100] = 0x42;
    const QString path = folder.filePath("sent.sf");
    services.saveFiles = {path};
    form.SaveButtonClick();
    const SetupImage sent = document.setup().image;
    services.openFiles = {path};
    pressBeginWhenShown();
    form.UploadButtonClick();
    EXPECT_EQ(driver.simulator().simulator().memory(), sent);

    // The setup in memory is changed again, then replaced by the indicator's copy.
    document.setup().image[100] = 0x00;
    services.answers = {Answer::No};
    pressBeginWhenShown();
    form.DownloadButtonClick();
    EXPECT_EQ(document.setup().image, sent);
    EXPECT_EQ(services.texts(),
              (QStringList{"+++  Upload Complete  +++", "Current file has changed. Save file?",
                           "Download Complete"}));
}
