// The port settings dialog, the control block view and the communications test,
// on a fake driver (every driver call counted) and on the in-process simulator.

#include "fake_machine.h"
#include "script/keyboard.h"
#include "scripted_services.h"
#include "serial/com_configure_form.h"
#include "serial/com_settings.h"
#include "serial/com_test.h"
#include "serial/com_test_form.h"
#include "serial/dcb_form.h"
#include "serial/fake_serial_driver.h"
#include "sim/simulator_driver.h"
#include "ui/radio_group.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace quelvar;

namespace {

// A capital S as typed (with its text), or Esc.
void typeKey(Qt::Key key)
{
    if (key == Qt::Key_Escape)
        pressKey(key);
    else
        typeText("S");
}

class ComFormsTest : public ::testing::Test {
protected:
    ComFormsTest()
    {
        port.setDevices({{"com2", "/dev/ttyUSB1"}});
        port.portNumber = 1;
        EXPECT_TRUE(port.Open() && port.Configure());
        fake.calls = {};
    }

    // Shows a fresh settings dialog, clicks item `item` of `group`, presses OK.
    void chooseAndOk(RadioGroup* TComConfigureForm::*group, int item)
    {
        TComConfigureForm form(port, services);
        form.show();
        (form.*group)->item(item)->click();
        form.ConfigureOKButton->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }

    FakeSerialDriver fake;
    ComPort port{fake};
    ScriptedServices services;
};

TEST_F(ComFormsTest, OkAppliesOnlyWhatChanged)
{
    chooseAndOk(&TComConfigureForm::baudGroup, 7);  // 57.6 k baud, as the port has
    EXPECT_EQ(fake.calls.total(), 0);

    chooseAndOk(&TComConfigureForm::baudGroup, 3);
    EXPECT_EQ(fake.calls.open + fake.calls.close, 0);
    EXPECT_EQ(fake.controlBlock.baudRate, 9600u);

    // The fake refuses a second open of a device still open: Close comes first.
    chooseAndOk(&TComConfigureForm::RGcomPort, 1);
    EXPECT_EQ(fake.calls.close, 1);
    EXPECT_EQ(fake.openedDevice, "/dev/ttyUSB1");
    EXPECT_TRUE(port.isOpen() && port.timeoutsChanged());
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(ComFormsTest, FailuresAreReportedWithTheReason)
{
    fake.failSetControlBlock = true;
    chooseAndOk(&TComConfigureForm::parityGroup, 2);
    fake.failSetControlBlock = false;
    fake.failOpen = true;
    chooseAndOk(&TComConfigureForm::RGcomPort, 1);
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0].text, "Com port configuration failed");
    EXPECT_EQ(services.shown[0].detail, "");  // the fake driver gives no system reason
    EXPECT_EQ(services.shown[1].kind, ShownBox::Error);
    EXPECT_EQ(services.shown[1].text, "Com port did not open");
    EXPECT_EQ(services.shown[1].detail, "/dev/ttyUSB1: No such file or directory");
    // The choice is kept for the settings file; the old port stays closed.
    EXPECT_EQ(port.portNumber, 2);
    EXPECT_FALSE(port.isOpen());

    // Plugged in again: OK with nothing changed opens it.
    fake.failOpen = false;
    TComConfigureForm form(port, services);
    form.show();
    form.ConfigureOKButton->click();
    EXPECT_TRUE(port.isOpen() && port.timeoutsChanged());
}

TEST_F(ComFormsTest, ARateOutsideTheListShowsTheFirstItemAndStaysUntilClicked)
{
    port.baudRate = 14400;
    {
        TComConfigureForm form(port, services);
        form.show();
        EXPECT_EQ(form.baudGroup->itemIndex(), 0);
        EXPECT_EQ(form.baudGroup->item(0)->text(), "1200 baud");
        form.ConfigureOKButton->click();
    }
    EXPECT_EQ(port.baudRate, 14400);
    EXPECT_EQ(fake.calls.total(), 0);
    chooseAndOk(&TComConfigureForm::baudGroup, 0);
    EXPECT_EQ(port.baudRate, 1200);
}

TEST_F(ComFormsTest, DeviceAndListFollowTheChosenPort)
{
    test::FakeMachine machine;
    port.portNumber = 5;
    TComConfigureForm form(port, services);
    form.setDeviceRoot(machine.root.path());
    form.show();
    EXPECT_EQ(form.RGcomPort->itemIndex(), -1);
    EXPECT_EQ(form.deviceLabel->text(), "");
    EXPECT_EQ(form.deviceList->currentRow(), -1);
    // The devices present, then COM2's adapter, which is not.
    ASSERT_EQ(form.deviceList->count(), 4);
    EXPECT_EQ(form.deviceList->item(3)->text(), "/dev/ttyUSB1 (not present)");
    form.RGcomPort->item(1)->click();
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyUSB1 (not present)");
    EXPECT_EQ(form.deviceList->currentRow(), 3);
    form.RGcomPort->item(0)->click();
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS0");
    EXPECT_EQ(form.deviceList->currentRow(), 1);
    form.RGcomPort->item(2)->click();
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS2");
    EXPECT_EQ(form.deviceList->currentRow(), -1);
}

// Choosing a device maps the chosen port to it, by its by-id name; OK opens it and the
// settings file keeps it, Cancel keeps nothing of what was chosen.
TEST_F(ComFormsTest, ChoosingADeviceMapsThePortOnOkOnly)
{
    test::FakeMachine machine;
    for (bool ok : {false, true}) {
        TComConfigureForm form(port, services);
        form.setDeviceRoot(machine.root.path());
        showActive(form);
        form.baudGroup->item(3)->click();
        QListWidget* list = form.deviceList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        EXPECT_EQ(form.deviceLabel->text(), test::kFtdiById);
        QTest::mouseClick(ok ? form.ConfigureOKButton : form.ConfigureCancelButton, Qt::LeftButton);
        if (!ok) {
            EXPECT_EQ(fake.calls.total(), 0);
            EXPECT_EQ(port.devices(), (DeviceMap{{"com2", "/dev/ttyUSB1"}}));
            EXPECT_EQ(port.baudRate, 57600);
        }
    }
    EXPECT_EQ(fake.openedDevice, test::kFtdiById);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.baudRate, 9600);
    test::TempDir home;
    const SettingsFiles files{home.path("quelvar.INI"), home.path("user.INI")};
    ASSERT_TRUE(WriteSettings(files, port).ok());
    EXPECT_NE(
        home.read("quelvar.INI")
            .find("[Devices]\ncom1=" + std::string(test::kFtdiById) + "\ncom2=/dev/ttyUSB1\n"),
        std::string::npos)
        << home.read("quelvar.INI");
}

TEST_F(ComFormsTest, TabEntersEachGroupAtItsChoiceAndArrowsMoveIt)
{
    TComConfigureForm form(port, services);
    showActive(form);
    form.RGcomPort->item(0)->setFocus();
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.baudGroup->item(7));
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Up);
    EXPECT_EQ(form.chosenSettings().baudRate, 115200);
    EXPECT_EQ(form.chosenSettings().parity, 'n');  // already the first item
    pressKey(Qt::Key_Down);
    EXPECT_EQ(form.chosenSettings().parity, 'o');
}

TEST_F(ComFormsTest, TestAsksAboutAChangedChoiceOnly)
{
    {
        TComConfigureForm form(port, services);
        showActive(form);
        bool opened = false;
        whenDialogOpens<TComTestForm>(&form, [&](TComTestForm&) { opened = true; });
        form.ComTestButton->click();
        EXPECT_TRUE(opened);
        EXPECT_TRUE(services.shown.empty());
    }
    const struct {
        Answer answer;
        bool testOpens;
        int byteSize;  // the port's, when the test runs or the question is cancelled
    } cases[] = {{Answer::Cancel, false, 8}, {Answer::No, true, 8}, {Answer::Yes, true, 7}};
    for (const auto& c : cases) {
        port.byteSize = 8;
        TComConfigureForm form(port, services);
        showActive(form);
        form.databitsGroup->item(0)->click();
        services.answers = {c.answer};
        services.shown.clear();
        bool opened = false;
        whenDialogOpens<TComTestForm>(&form, [&](TComTestForm& test) {
            opened = true;
            EXPECT_EQ(test.DataBitsLabel->text(), QString("Data Bits \t%1").arg(c.byteSize));
        });
        form.ComTestButton->click();
        EXPECT_EQ(opened, c.testOpens);
        EXPECT_EQ(port.byteSize, c.byteSize);
        ASSERT_EQ(services.shown.size(), 1u);
        EXPECT_EQ(services.shown[0].text, "Configuration has changed. Save changes?");
        EXPECT_EQ(services.shown[0].caption, "Com Port change -");
        // After the test the dialog shows the port again; Cancel keeps the choice.
        EXPECT_EQ(form.databitsGroup->itemIndex(), c.answer == Answer::Cancel ? 0 : c.byteSize - 7);
    }
}

// The view shows what the driver holds; choices not yet applied are dropped.
TEST_F(ComFormsTest, ControlBlockViewShowsWhatTheDriverAcceptedAndDropsChoices)
{
    chooseAndOk(&TComConfigureForm::databitsGroup, 0);
    TComConfigureForm form(port, services);
    showActive(form);
    form.databitsGroup->item(1)->click();
    QString byteSize;
    whenDialogOpens<TDCBform>(&form, [&](TDCBform& view) {
        byteSize = view.DCBgrid->item(2, 0)->text() + "=" + view.DCBgrid->item(2, 1)->text();
        view.dcbOK->click();
    });
    form.DispDCBButton->click();
    EXPECT_EQ(byteSize, "Byte Size=7");
    EXPECT_EQ(form.chosenSettings().byteSize, 7);
    EXPECT_EQ(form.databitsGroup->itemIndex(), 0);
}

// A port that is not open is opened by Test as by OK, with the same messages; after
// either, a setting the device did not take is said once.
TEST_F(ComFormsTest, TestOpensAClosedPortAndASettingNotTakenIsSaid)
{
    fake.keepsEightDataBits = true;
    port.Close();
    fake.failOpen = true;
    {
        TComConfigureForm form(port, services);
        showActive(form);
        whenDialogOpens<TComTestForm>(&form, [](TComTestForm&) {});
        form.ComTestButton->click();
    }
    ASSERT_EQ(services.texts(), QStringList{"Com port did not open"});
    fake.failOpen = false;
    services.shown.clear();
    TComConfigureForm form(port, services);
    showActive(form);
    form.databitsGroup->item(0)->click();
    services.answers = {Answer::Yes};
    QString shownInTest;
    whenDialogOpens<TComTestForm>(
        &form, [&](TComTestForm& test) { shownInTest = test.DataBitsLabel->text(); });
    form.ComTestButton->click();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(services.texts(), QStringList({"Configuration has changed. Save changes?",
                                             "The port did not take: 7 data bits (it uses 8)"}));
    EXPECT_EQ(shownInTest, "Data Bits \t8");
}

TEST_F(ComFormsTest, HelpAndF1OpenEachDialogsTopic)
{
    TComConfigureForm settings(port, services);
    TComTestForm test(port, services);
    TDCBform view(fake.controlBlock, services);
    const std::pair<QDialog*, QString> dialogs[] = {
        {&settings, "ComSetup"}, {&test, "ComTest"}, {&view, "ControlBlock"}};
    for (const auto& [dialog, topic] : dialogs) {
        services.helpShown.clear();
        showActive(*dialog);
        pressKey(Qt::Key_F1);
        dialog->findChild<QPushButton*>("HelpButton")->click();
        EXPECT_EQ(services.helpShown, QStringList({topic, topic}));
        dialog->hide();
    }
}

TEST_F(ComFormsTest, ReceiveWindowShowsCaretsAndStaysBounded)
{
    TComTestForm test(port, services);
    test.show();
    fake.feed("AB\r\n");
    test.TestTimerTimer();
    EXPECT_EQ(test.RXwindow->toPlainText(), "AB^M^J");
    const struct {
        std::size_t received, shown;
    } cases[] = {{1100, 1020}, {2048, 1008}};
    for (const auto& c : cases) {
        test.ClearTextBox->click();
        fake.feed(std::string(c.received, 'a'));
        test.TestTimerTimer();
        EXPECT_EQ(test.RXwindow->toPlainText().size(), qsizetype(c.shown));
    }
}

TEST_F(ComFormsTest, OnlySendsThatWentOutAreCounted)
{
    TComTestForm test(port, services);
    test.show();
    for (int i = 0; i < 3; ++i)
        test.TXtest->click();
    EXPECT_EQ(test.TxCount->text(), "tx count   3");
    EXPECT_EQ(fake.outputText(),
              std::string(kTestText) + std::string(kTestText) + std::string(kTestText));
    port.Close();
    test.TXtest->click();
    EXPECT_EQ(test.TxCount->text(), "tx count   3");
    EXPECT_EQ(test.DeviceLabel->text(), "Device    \t/dev/ttyS0");
    // Showing it again starts afresh and sees the closed port.
    test.hide();
    test.show();
    EXPECT_EQ(test.TxCount->text(), "");
    EXPECT_EQ(test.txCount(), 0);
    EXPECT_EQ(test.DeviceLabel->text(), "Device    \t/dev/ttyS0 (not open)");
}

TEST_F(ComFormsTest, TypedKeysAreSentAndEchoed)
{
    const struct {
        bool inReceiveWindow;
        Qt::Key key;
        std::string sent;
        bool closes;
    } cases[] = {
        {false, Qt::Key_S, "Sx", false},
        {true, Qt::Key_S, "S", false},
        {false, Qt::Key_Escape, "\x1bx", true},
        {true, Qt::Key_Escape, "\x1b", true},
    };
    for (const auto& c : cases) {
        fake.output.clear();
        TComTestForm test(port, services);
        showActive(test);
        if (c.inReceiveWindow) test.RXwindow->setFocus();
        typeKey(c.key);
        EXPECT_EQ(fake.outputText(), c.sent);
        EXPECT_EQ(test.isVisible(), !c.closes);
        // The window shows the echo at once for keys typed on the dialog only.
        EXPECT_EQ(test.RXwindow->toPlainText().isEmpty(), c.inReceiveWindow);
    }
}

// Ctrl with a letter sends its control byte, shown with a caret; Ctrl+C copies what
// is selected in the receive window, and is a control byte like the others without.
TEST_F(ComFormsTest, CtrlLettersSendControlBytesAndCtrlCCopiesASelection)
{
    TComTestForm test(port, services);
    showActive(test);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(fake.outputText(), "\x01x");
    EXPECT_EQ(test.RXwindow->toPlainText(), "^A");
    fake.output.clear();
    test.RXwindow->setFocus();
    pressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fake.outputText(), "\x03");
    test.showReceiveText();
    test.RXwindow->selectAll();
    fake.output.clear();
    pressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fake.outputText(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "^A^C");
}

TEST(ComTestOnTheSimulator, TypingSShowsTheIndicatorsAnswer)
{
    SimulatorDriver simulator;
    simulator.setPaced(false);
    ComPort port{simulator};
    port.portNumber = 1;
    ASSERT_TRUE(port.Open() && port.Configure());
    ScriptedServices services;
    TComTestForm test(port, services);
    showActive(test);
    typeKey(Qt::Key_S);
    EXPECT_TRUE(QTest::qWaitFor([&] { return test.RXwindow->toPlainText() == "SI"; }))
        << test.RXwindow->toPlainText().toStdString();
}

}  // namespace
