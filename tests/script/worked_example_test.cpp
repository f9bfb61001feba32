// A technician writes a user function with the keyboard alone, compiles it, saves
// the setup and opens it again; the command line decompiles the same listing.

#include "app/tab_stop_list.h"
#include "cli_runner.h"
#include "keyboard.h"
#include "model/param_items.h"
#include "model/setup_file.h"
#include "script/edit_form.h"
#include "script/listing_edit.h"
#include "script/select_form.h"
#include "script/tally_script.h"
#include "scripted_services.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

QStringList rowsOf(const TCfgTSeditForm& editor)
{
    QStringList rows;
    for (int i = 0; i < editor.ListingListBox->count(); ++i)
        rows << editor.ListingListBox->item(i)->text();
    return rows;
}

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
    pressKey(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !services.shown.empty(); }));  // a shortcut clicks later
    EXPECT_EQ(services.texts(), QStringList{"Compile successful.  Byte count = 18"});

    // Back through Help and Cancel to OK, which compiles once more and closes.
    for (const char* name : {"HelpButton", "CancelButton", "OkButton"}) {
        pressKey(Qt::Key_Tab, Qt::ShiftModifier);
        expectFocus(name);
    }
    pressKey(Qt::Key_Space);
}

TEST(WorkedExample, TypedCompiledSavedAndReopened)
{
    ::quelvar::Setup setup;
    ResetSetupToDefaults(setup.image);
    ScriptedServices services;
    TCfgTSselectForm select(setup, services);
    showActive(select);

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
    EXPECT_FALSE(select.isVisible());

    const std::vector<std::uint8_t> code = {200, 1, 64, 65, 241, 107, 232, 87, 65, 73,
                                            84,  0, 240, 209, 2, 44, 243, 2,  255};
    const auto slot = functionSlot(setup.image, 1);
    EXPECT_TRUE(std::equal(code.begin(), code.end(), slot.begin()));
    EXPECT_EQ(lineComment(setup, 1, 0), "sum");

    test::TempDir dir;
    const std::string path = dir.path("user1.sf");
    ASSERT_TRUE(writeSetupFile(path, setup).ok());
    ::quelvar::Setup reopened;
    ASSERT_TRUE(readSetupFile(path, reopened).complete());
    EXPECT_EQ(functionDescription(reopened.functionDescriptions, 1), "Sum, then wait for the scale");

    TCfgTSeditForm editor(reopened, services, 1);
    const QStringList rows = rowsOf(editor);
    const QStringList expected = {"Add\tMemory1\tGross\tTare\tsum", "If\tMotion\t\t\t",
                                  "Prompt\tWAIT\t\t\t",           "End if\t\t\t\t",
                                  "Set\tMemory2\t44\t\t",          "Gosub\tUser2\t\t\t",
                                  "End\t\t\t\t"};
    EXPECT_EQ(rows.mid(0, expected.size()), expected);
    EXPECT_EQ(rows.size(), 7 + (64 - 19));  // the rest of the slot: one End per byte

    const auto run = test::runCli({"decompile", path, "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(QString::fromStdString(run.out).split('\n', Qt::SkipEmptyParts), rows);
}

}  // namespace
}  // namespace quelvar
