#include "keyboard.h"
#include "script/edit_form.h"
#include "script/listing_edit.h"
#include "script/select_form.h"
#include "scripted_services.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

class SelectFormTest : public ::testing::Test {
protected:
    SelectFormTest() { showActive(form); }

    static ::quelvar::Setup describedSetup()
    {
        ::quelvar::Setup setup;
        setup.image.fill(0xFF);
        storeFunctionDescription(setup.functionDescriptions, 0, "slot zero");
        storeFunctionDescription(setup.functionDescriptions, 1, "weigh and add");
        return setup;
    }

    void whenEditorOpens(std::function<void(TCfgTSeditForm&)> inEditor)
    {
        whenDialogOpens<TCfgTSeditForm>(&form, [this, inEditor](TCfgTSeditForm& editor) {
            inEditor(editor);
            editorOpened = true;
        });
    }

    ::quelvar::Setup setup = describedSetup();
    ScriptedServices services;
    TCfgTSselectForm form{setup, services};
    bool editorOpened = false;
};

TEST_F(SelectFormTest, StartsOnFunctionOne)
{
    EXPECT_EQ(form.windowTitle(), "Tally Script Function Select");
    EXPECT_EQ(form.FNoEdit->text(), "1");
    EXPECT_EQ(form.FNameEdit->text(), "User1");
    EXPECT_EQ(form.DescriptionMemo->toPlainText(), "weigh and add");
    ASSERT_EQ(form.FNameList->count(), 15);
    EXPECT_EQ(form.FNameList->item(14)->text(), "User15");
    EXPECT_EQ(form.FNameList->currentRow(), 0);
    form.HelpButton->click();
    pressKey(Qt::Key_F1);
    EXPECT_EQ(services.helpShown, (QStringList{"CfgTSselect", "CfgTSselect"}));
}

TEST_F(SelectFormTest, ClickOnTheCurrentRowAfterFunctionZeroPicksIt)
{
    typeInto(form.FNoEdit, "0");  // row 0 stays current, unselected
    const QRect row = form.FNameList->visualItemRect(form.FNameList->item(0));
    QTest::mouseClick(form.FNameList->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(form.functionNumber(), 1);
    EXPECT_EQ(form.FNoEdit->text(), "1");
    EXPECT_EQ(form.DescriptionMemo->toPlainText(), "weigh and add");
}

TEST_F(SelectFormTest, TypedNumberChoosesTheFunction)
{
    const struct {
        const char* typed;
        const char* box;
        const char* name;
        const char* description;
    } cases[] = {
        {"0", "0", "", "slot zero"},
        {"20", "1", "User1", "weigh and add"},  // outside 0..15: function 1
        {"15", "15", "User15", ""},
        {"16", "1", "User1", "weigh and add"},
        {"07", "7", "User7", ""},
    };
    for (const auto& c : cases) {
        typeInto(form.FNoEdit, c.typed);
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(form.FNoEdit->text(), c.box) << c.typed;
        EXPECT_EQ(form.FNameEdit->text(), c.name) << c.typed;
        EXPECT_EQ(form.DescriptionMemo->toPlainText(), c.description) << c.typed;
    }
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(SelectFormTest, NumberBoxTakesOnlyDigits)
{
    typeInto(form.FNoEdit, "a1-2x");
    EXPECT_EQ(form.FNoEdit->text(), "12");
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Tab);  // an empty box is no number: function 1 stays
    EXPECT_EQ(services.texts(), QStringList{"'' is not a valid integer value"});
    EXPECT_EQ(form.functionNumber(), 1);
}

TEST_F(SelectFormTest, DescriptionIsStoredOnLeavingCutTo255)
{
    typeInto(form.FNoEdit, "2");
    pressKey(Qt::Key_Tab);  // on to the list
    pressKey(Qt::Key_Tab);  // on to the memo
    ASSERT_TRUE(form.DescriptionMemo->hasFocus());
    form.DescriptionMemo->setPlainText(QString(300, 'x'));
    form.FNameList->setFocus();  // leaving the memo stores the text for function 2
    EXPECT_EQ(functionDescription(setup.functionDescriptions, 2), std::string(255, 'x'));

    form.FNameList->setCurrentRow(0);  // a row picked in the list shows its function
    EXPECT_EQ(form.FNoEdit->text(), "1");
    EXPECT_EQ(form.DescriptionMemo->toPlainText(), "weigh and add");

    form.DescriptionMemo->setFocus();
    form.DescriptionMemo->setPlainText("closed by Escape");
    pressKey(Qt::Key_Escape);  // there is no Cancel: the text is kept
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(functionDescription(setup.functionDescriptions, 1), "closed by Escape");
}

TEST_F(SelectFormTest, EditOpensTheCurrentFunctionIncludingZero)
{
    const struct {
        const char* typed;
        const char* caption;
    } cases[] = {{"0", "Edit Tally Script Function 0  "},
                 {"12", "Edit Tally Script Function 12  User12"}};
    for (const auto& c : cases) {
        QString caption;
        showActive(form);  // the offscreen platform does not give the focus back by itself
        whenEditorOpens([&](TCfgTSeditForm& editor) { caption = editor.windowTitle(); });
        typeInto(form.FNoEdit, c.typed);
        pressKey(Qt::Key_Return);  // Edit is the default button; the number is taken first
        EXPECT_EQ(caption, c.caption);
    }
    whenEditorOpens([](TCfgTSeditForm& editor) { EXPECT_EQ(editor.functionNumber(), 3); });
    form.FNameList->setCurrentRow(2);
    emit form.FNameList->itemDoubleClicked(form.FNameList->item(2));
    EXPECT_TRUE(editorOpened);
}

}  // namespace
}  // namespace quelvar
