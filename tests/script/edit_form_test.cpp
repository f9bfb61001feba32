#include "keyboard.h"
#include "script/edit_form.h"
#include "script/tally_script.h"
#include "scripted_services.h"
#include "ui/tab_stop_list.h"

#include <QClipboard>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

class EditFormTest : public ::testing::Test {
protected:
    EditFormTest() { setup.image.fill(0xFF); }

    TCfgTSeditForm& open(int n)
    {
        form = std::make_unique<TCfgTSeditForm>(setup, services, n);
        showActive(*form);
        return *form;
    }

    QString row(int i) const { return form->ListingListBox->item(i)->text(); }
    std::vector<std::uint8_t> slotBytes(int n, std::size_t count) const
    {
        const auto slot = functionSlot(setup.image, n);
        return {slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(count)};
    }

    ::quelvar::Setup setup;
    ScriptedServices services;
    std::unique_ptr<TCfgTSeditForm> form;
};

TEST_F(EditFormTest, FreshFunctionListsSixtyFourEnds)
{
    auto& f = open(3);
    EXPECT_EQ(f.windowTitle(), "Edit Tally Script Function 3  User3");
    ASSERT_EQ(f.ListingListBox->count(), 64);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(row(i), "End\t\t\t\t") << i;
    EXPECT_EQ(f.InstrEdit->text(), "End");
    EXPECT_EQ(f.ListingListBox->currentRow(), 0);
    EXPECT_EQ(f.PatternLabel->text(), "end of function");
    EXPECT_TRUE(f.InstrEdit->hasFocus());
}

TEST_F(EditFormTest, LeavingABoxRaisesOnlyTheFirstLetter)
{
    const struct {
        const char* typed;
        const char* stored;
        const char* message;
    } cases[] = {
        {"add", "Add", "Compile successful.  Byte count = 4"},
        {"ADD", "ADD", "Error: Instruction code not found"},
        {"set pt on", "Set pt on", "Compile successful.  Byte count = 2"},
        {"Set Pt On", "Set Pt On", "Error: Instruction code not found"},
    };
    int n = 0;
    for (const auto& c : cases) {
        auto& f = open(++n);
        typeText(c.typed);  // the instruction box has the focus, its text selected
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(f.InstrEdit->text(), c.stored);
        // Registers for Add; Set pt on reads its operand as setpoint 0 and ignores the rest.
        for (const char* operand : {"memory1", "gross", "tare"}) {
            typeText(operand);
            pressKey(Qt::Key_Tab);
        }
        EXPECT_EQ(f.Op1Edit->text(), "Memory1");
        EXPECT_EQ(row(0), QString(c.stored) + "\tMemory1\tGross\tTare\t");

        services.shown.clear();
        f.CompileButton->click();
        EXPECT_EQ(services.texts(), QStringList{c.message}) << c.typed;
        if (QString(c.message).startsWith("Error")) {
            EXPECT_TRUE(f.InstrEdit->hasFocus());
            EXPECT_EQ(f.currentLine(), 0u);
        }
    }
}

TEST_F(EditFormTest, CompileErrorsMoveToTheFailingLineAndBox)
{
    const struct {
        QStringList line;
        const char* message;
        const char* box;
    } cases[] = {
        {{"Add", "Memory1", "Gros", "Tare"}, "Error: Register 2 name", "Op2Edit"},
        {{"Add", "Memory1", "Gross", "x"}, "Error: Register 3 name", "Op3Edit"},
        {{"If", "MOTION"}, "Error: Status code not found", "Op1Edit"},
        {{"Gosub", "User16"}, "Error: Function name not found", "Op1Edit"},
        {{"Flag on", "21"}, "Error: Value out of range", "Op1Edit"},
    };
    for (const auto& c : cases) {
        auto& f = open(2);
        typeLine({"Nop"});
        typeLine(c.line);
        f.ListingListBox->setCurrentRow(5);
        services.shown.clear();
        f.CompileButton->click();
        EXPECT_EQ(services.texts(), QStringList{c.message});
        EXPECT_EQ(f.currentLine(), 1u);
        EXPECT_EQ(f.ListingListBox->currentRow(), 1);
        EXPECT_EQ(f.InstrEdit->text(), c.line[0]);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.box) << c.message;
    }
}

TEST_F(EditFormTest, EmptyInsertedLineFailsCompileButOkOnlyAsks)
{
    auto& f = open(4);
    f.InsertButton->click();
    EXPECT_EQ(f.ListingListBox->count(), 65);
    EXPECT_EQ(row(0), "\t\t\t\t");
    EXPECT_EQ(f.InstrEdit->text(), "");
    EXPECT_TRUE(f.InstrEdit->hasFocus());

    f.CompileButton->click();
    EXPECT_EQ(services.texts(), QStringList{"Error: Instruction code not found"});
    EXPECT_EQ(f.currentLine(), 0u);
    EXPECT_TRUE(f.InstrEdit->hasFocus());

    services.shown.clear();
    services.answers = {Answer::Cancel};  // Cancel: the editor stays open
    f.OkButton->click();
    EXPECT_EQ(services.texts(), QStringList{"!! Compile Error !!"});
    EXPECT_TRUE(f.isVisible());

    services.answers = {Answer::Ok};
    f.OkButton->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(EditFormTest, EnterAndDeleteKeepTheCurrentLineInsideTheListing)
{
    auto& f = open(5);
    for (int i = 0; i < 70; ++i)
        pressKey(Qt::Key_Return);
    EXPECT_EQ(f.currentLine(), 63u);
    EXPECT_EQ(f.ListingListBox->currentRow(), 63);

    f.DeleteButton->click();
    EXPECT_EQ(f.ListingListBox->count(), 63);
    EXPECT_EQ(f.currentLine(), 62u);
    typeLine({"nop"});  // stores line 62, stays on it
    EXPECT_EQ(row(62), "Nop\t\t\t\t");

    for (int i = 0; i < 63; ++i)
        f.DeleteButton->click();
    EXPECT_EQ(f.ListingListBox->count(), 0);
    typeInto(f.InstrEdit, "add");
    pressKey(Qt::Key_Tab);  // nothing to store into
    f.CompileButton->click();
    EXPECT_EQ(services.texts().last(), "Error: Listbox empty");
}

TEST_F(EditFormTest, ButtonPressedByKeyStoresThePendingEditFirst)
{
    open(6);
    typeText("beep");
    pressKey(Qt::Key_Tab);
    typeText("7");
    pressKey(Qt::Key_C, Qt::AltModifier);  // Compile without leaving the box
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !services.shown.empty(); }));  // a shortcut clicks later
    EXPECT_EQ(services.texts(), QStringList{"Compile successful.  Byte count = 2"});
    EXPECT_EQ(slotBytes(6, 3), (std::vector<std::uint8_t>{233, 7, 255}));
}

TEST_F(EditFormTest, OperandPatternAndCompletionFollowTheInstruction)
{
    auto& f = open(7);
    typeInto(f.InstrEdit, "gosub");
    EXPECT_EQ(f.PatternLabel->text(), "[function] subroutine");
    auto* completer = f.Op1Edit->completer();
    ASSERT_NE(completer, nullptr);
    completer->setCompletionPrefix("us");
    EXPECT_EQ(completer->currentCompletion(), "User1");
    EXPECT_EQ(f.Op2Edit->completer()->completionCount(), 0);

    typeInto(f.InstrEdit, "Txcom1");
    completer->setCompletionPrefix("lab");
    EXPECT_EQ(completer->currentCompletion(), "Label32");
    typeInto(f.InstrEdit, "nothing");
    EXPECT_EQ(f.PatternLabel->text(), "");
}

// The click that closes the completion list still does what it says, with the
// typed text stored first.
TEST_F(EditFormTest, ClickWithTheCompletionListOpenActs)
{
    const struct {
        const char* target;
        int row;  // of the listing, for a click on it
        std::size_t currentLine;
        int storedRow;
        QStringList texts;
    } cases[] = {
        {"CompileButton", -1, 0, 0, {"Compile successful.  Byte count = 2"}},
        {"InsertButton", -1, 0, 1, {}},
        {"ListingListBox", 3, 3, 0, {}},
    };
    for (const auto& c : cases) {
        auto& f = open(9);
        services.shown.clear();
        typeText("dec");
        pressKey(Qt::Key_Tab);
        typeText("memory4");
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        auto* target = f.findChild<QWidget*>(c.target);
        if (c.row < 0)
            click(target);
        else
            click(f.ListingListBox->viewport(),
                  f.ListingListBox->visualItemRect(f.ListingListBox->item(c.row)).center());
        EXPECT_EQ(services.texts(), c.texts) << c.target;
        EXPECT_EQ(row(c.storedRow), "Dec\tMemory4\t\t\t") << c.target;
        EXPECT_EQ(f.currentLine(), c.currentLine) << c.target;
    }
}

TEST_F(EditFormTest, CancelKeepsWhatCompileWrote)
{
    auto& f = open(8);
    typeLine({"Beep", "3"});
    f.CompileButton->click();
    typeLine({"Beep", "9"});
    f.HelpButton->click();
    pressKey(Qt::Key_F1);
    EXPECT_EQ(services.helpShown, (QStringList{"CfgTSedit", "CfgTSedit"}));
    services.answers = {Answer::Yes};  // discard Beep 9
    f.CancelButton->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(slotBytes(8, 3), (std::vector<std::uint8_t>{233, 3, 255}));
}

// Cancel, Esc and the close button ask before an edit not compiled since goes;
// No stays in the editor.
TEST_F(EditFormTest, LeavingWithAnUncompiledEditAsks)
{
    const std::function<void(TCfgTSeditForm&)> leave[] = {
        [](TCfgTSeditForm& f) { QTest::mouseClick(f.CancelButton, Qt::LeftButton); },
        [](TCfgTSeditForm&) { pressKey(Qt::Key_Escape); },
        [](TCfgTSeditForm& f) { f.close(); },
    };
    for (const auto& how : leave) {
        services.shown.clear();
        auto& f = open(4);
        how(f);  // nothing typed: no question
        EXPECT_FALSE(f.isVisible());
        open(4);
        typeText("Xyz");  // still in the box (no completion list open)
        services.answers = {Answer::No, Answer::Yes};
        how(*form);
        EXPECT_TRUE(form->isVisible());
        how(*form);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(services.texts(), QStringList(2, "Discard the changes to function 4?"));
    }
    open(4);
    typeLine({"Beep", "3"});
    form->CompileButton->click();
    pressKey(Qt::Key_Escape);  // compiled: nothing to ask
    EXPECT_FALSE(form->isVisible());
}

TEST_F(EditFormTest, CommentTakesWhatTheStoreHolds)
{
    auto& f = open(2);
    f.CommentEdit->setFocus();
    QApplication::clipboard()->setText(QString("c").repeated(31));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.CommentEdit->text(), QString(29, 'c'));
    EXPECT_EQ(f.InstrEdit->text(), "End");
    EXPECT_EQ(row(0), "End\t\t\t\t");
}

}  // namespace
}  // namespace quelvar
