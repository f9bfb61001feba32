// A technician starts the editor, writes a user function with the keyboard alone,
// compiles it, saves the setup and opens it again; the command line decompiles
// the same listing.

#include "app/main_form.h"
#include "cli_runner.h"
#include "script/keyboard.h"
#include "model/setup_document.h"
#include "script/edit_form.h"
#include "script/listing_edit.h"
#include "script/select_form.h"
#include "script/tally_script.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"
#include "ui/tab_stop_list.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

void expectFocus(const char* name)
{
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
}

// The worked example, as typed: lower case where the editor raises the first letter.
void typeWorkedExample(ScriptedServices& services)
{
    expectFocus("InstrEdit");
    typeLine({"add", "memory1", "gross", "tare", "sum"});
    typeLine({"if", "motion"});
    typeLine({"prompt", "WAIT"});
    typeLine({"end if"});
    typeLine({"set", "memory2", "300"});
    typeLine({"gosub", "user2"});
    typeLine({"end"});
    services.shown.clear();
    pressKey(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !services.shown.empty(); }));  // a shortcut clicks later
    EXPECT_EQ(services.texts(), QStringList{"Compile successful.  Byte count = 18"});

    // Back through Help and Cancel to OK, which compiles once more and closes.
    for (const char* name : {"HelpButton", "CancelButton", "OkButton"}) {
        pressKey(Qt::Key_Tab, Qt::ShiftModifier);
        expectFocus(name);
    }
    pressKey(Qt::Key_Space);
}

// In the selection dialog: Edit for function 1, then a description, then Close.
void editUserOne(TCfgTSselectForm& select, ScriptedServices& services)
{
    bool edited = false;
    whenDialogOpens<TCfgTSeditForm>(&select, [&](TCfgTSeditForm& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edit Tally Script Function 1  User1");
        typeWorkedExample(services);
        EXPECT_FALSE(editor.isVisible());
        edited = true;
    });
    expectFocus("FNoEdit");
    typeText("1");
    pressKey(Qt::Key_Return);  // Edit
    ASSERT_TRUE(edited);

    showActive(select);
    pressKey(Qt::Key_Tab);  // the list
    pressKey(Qt::Key_Tab);  // the description
    expectFocus("DescriptionMemo");
    typeText("Sum, then wait for the scale");
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Tab);
    expectFocus("CloseButton");
    pressKey(Qt::Key_Space);
}

QStringList listingOf(Setup& setup, int n)
{
    QStringList rows;
    for (const auto& line : rebuildListing(setup, n))
        rows << QString::fromStdString(line);
    return rows;
}

class WorkedExample : public ::testing::Test {
protected:
    void openTallyScript(std::function<void(TCfgTSselectForm&)> inSelect)
    {
        showActive(main);
        auto* button = main.findChild<QPushButton*>("TallyScriptButton");
        ASSERT_TRUE(button->isEnabled());
        bool opened = false;
        whenDialogOpens<TCfgTSselectForm>(&main, [&](TCfgTSselectForm& select) {
            inSelect(select);
            opened = true;
        });
        button->setFocus(Qt::TabFocusReason);
        pressKey(Qt::Key_Space);
        ASSERT_TRUE(opened);
    }

    QTemporaryDir folder;
    SetupDocument document;
    FakeSerialDriver driver;
    ComPort port{driver};
    ScriptedServices services;
    TMainForm main{document, port, services};
};

TEST_F(WorkedExample, TypedCompiledSavedAndReopened)
{
    main.FormCreate(folder.filePath("quelvar.INI"));
    openTallyScript([&](TCfgTSselectForm& select) { editUserOne(select, services); });

    ::quelvar::Setup& setup = document.setup();
    const std::vector<std::uint8_t> code = {200, 1, 64,  65,  241, 107, 232, 87, 65, 73,
                                            84,  0, 240, 209, 2,   44,  243, 2,  255};
    const auto slot = functionSlot(setup.image, 1);
    EXPECT_TRUE(std::equal(code.begin(), code.end(), slot.begin()));
    EXPECT_EQ(lineComment(setup, 1, 0), "sum");

    const QString path = folder.filePath("user1.sf");
    services.saveFiles = {path};
    main.findChild<QToolButton*>("SaveButton")->click();
    ASSERT_TRUE(QFile::exists(path));

    document.resetToFactory();
    services.openFiles = {path};
    main.findChild<QToolButton*>("OpenButton")->click();
    EXPECT_EQ(functionDescription(setup.functionDescriptions, 1), "Sum, then wait for the scale");

    QStringList rows;
    openTallyScript([&](TCfgTSselectForm& select) {
        whenDialogOpens<TCfgTSeditForm>(&select, [&](TCfgTSeditForm& editor) {
            for (int i = 0; i < editor.ListingListBox->count(); ++i)
                rows << editor.ListingListBox->item(i)->text();
        });
        pressKey(Qt::Key_Return);  // Edit, for function 1
    });
    const QStringList expected = {"Add\tMemory1\tGross\tTare\tsum",
                                  "If\tMotion\t\t\t",
                                  "Prompt\tWAIT\t\t\t",
                                  "End if\t\t\t\t",
                                  "Set\tMemory2\t44\t\t",
                                  "Gosub\tUser2\t\t\t",
                                  "End\t\t\t\t"};
    EXPECT_EQ(rows.mid(0, expected.size()), expected);
    EXPECT_EQ(rows.size(), 7 + (64 - 19));  // the rest of the slot: one End per byte
    EXPECT_EQ(rows, listingOf(setup, 1));

    const auto run = test::runCli({"decompile", path.toStdString(), "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(QString::fromStdString(run.out).split('\n', Qt::SkipEmptyParts), rows);
    EXPECT_TRUE(services.texts().filter("Error").isEmpty())
        << services.texts().join(" | ").toStdString();
}

}  // namespace
}  // namespace quelvar
