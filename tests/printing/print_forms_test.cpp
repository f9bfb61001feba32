// The page print format, page items and print labels dialogs, driven by keyboard.

#include "mnemonics.h"
#include "model/param_items.h"
#include "printing/label_codec.h"
#include "printing/label_form.h"
#include "printing/page_items_form.h"
#include "printing/print_format_form.h"
#include "script/keyboard.h"
#include "scripted_services.h"
#include "ui/string_grid.h"
#include "ui/tab_stop_list.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

using Column = TCfgPageItemsForm::Column;

class PageItemsFormTest : public ::testing::Test {
protected:
    PageItemsFormTest() { ResetSetupToDefaults(image); }

    TCfgPageItemsForm& open(int page)
    {
        form = std::make_unique<TCfgPageItemsForm>(image, services, page);
        showActive(*form);
        return *form;
    }
    bool editorOpen() const
    {
        return form->PFGrid->viewport()->isAncestorOf(QApplication::focusWidget());
    }
    QString cell(int row, int column) const { return form->PFGrid->cellText(row, column); }
    // Moves to a cell as a click does and types into its editor.
    void typeIntoCell(int row, int column, const QString& text)
    {
        form->PFGrid->setCurrentCell(row, column);
        ASSERT_TRUE(QTest::qWaitFor([this] { return editorOpen(); }));
        typeText(text);
    }

    SetupImage image{};
    ScriptedServices services;
    std::unique_ptr<TCfgPageItemsForm> form;
};

TEST_F(PageItemsFormTest, FactoryPagesShowAndStoreUnchanged)
{
    const SetupImage factory = image;
    const struct {
        int page;
        QStringList firstEntry;  // item, row, column
    } cases[] = {
        {1, {"Dispweight", "1", "1"}},
        {2, {"Gross", "3", "5"}},
        {3, {"", "0", "255"}},
        {4, {"", "255", "255"}},
    };
    for (const auto& c : cases) {
        auto& f = open(c.page);
        EXPECT_EQ(f.windowTitle(), QString("Page %1 Format").arg(c.page));
        EXPECT_EQ((QStringList{cell(0, Column::kItemColumn), cell(0, Column::kRowColumn),
                               cell(0, Column::kColumnColumn)}),
                  c.firstEntry);
        EXPECT_EQ(cell(15, Column::kEntryColumn), "16");
        pressKey(Qt::Key_Return);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QDialog::Accepted);
    }
    EXPECT_EQ(image, factory);
    ASSERT_EQ(form->PageItemsListbox->count(), 68);
    EXPECT_EQ(form->PageItemsListbox->item(0)->text(), "0\tItem number is set to 0");
    EXPECT_EQ(form->PageItemsListbox->item(67)->text(), "\tUNPROGRAMMED");
    EXPECT_TRUE(services.shown.empty());
}

// A cell typed into and left open is stored by OK, pressed by Enter or Alt+O.
TEST_F(PageItemsFormTest, KeyboardEditedEntriesAreStored)
{
    for (auto ok : {QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::ALT | Qt::Key_O)}) {
        ResetSetupToDefaults(image);
        auto& f = open(3);
        ASSERT_TRUE(QTest::qWaitFor([this] { return editorOpen(); }));  // on entry 1's item
        typeText("Tare");
        for (const char* text : {"7", "12", "0", "3", "4"}) {  // Tab goes on cell by cell
            pressKey(Qt::Key_Tab);
            typeText(text);
        }
        pressKey(ok.key(), ok.keyboardModifiers());
        EXPECT_TRUE(QTest::qWaitFor([&f] { return !f.isVisible(); }));
        const std::size_t at = 270;
        EXPECT_EQ(std::vector(image.begin() + at, image.begin() + at + 7),
                  (std::vector<std::uint8_t>{7, 12, 6, 3, 4, 0, 255}));
    }
    EXPECT_TRUE(services.shown.empty());
}

// OK checks every cell before it stores one; a refused cell is opened with its text
// selected, and Cancel then leaves the image as it was.
TEST_F(PageItemsFormTest, RefusedEntriesChangeNothing)
{
    const SetupImage factory = image;
    const struct {
        int row;
        int column;
        const char* typed;
        QString shown;
    } cases[] = {
        {1, Column::kItemColumn, "gross", "Entry 2: Item entry not valid: gross"},
        {2, Column::kItemColumn, "256", "Entry 3: Item entry not valid: 256"},
        {1, Column::kRowColumn, "x", "Entry 2 Row: 'x' is not a valid integer value"},
        {3, Column::kColumnColumn, "300", "Entry 4 Column: 300 is out of range (0 to 255)"},
    };
    for (const auto& c : cases) {
        services.shown.clear();
        auto& f = open(2);
        typeIntoCell(c.row, c.column, c.typed);
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        EXPECT_EQ(services.texts(), QStringList{c.shown});
        EXPECT_EQ(f.PFGrid->currentRow(), c.row);
        EXPECT_EQ(f.PFGrid->currentColumn(), c.column);
        ASSERT_TRUE(QTest::qWaitFor([this] { return editorOpen(); }));
        const auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_EQ(editor->selectedText(), c.typed);
        EXPECT_EQ(editor->maxLength(), c.column == Column::kItemColumn ? 11 : 3);
        QTest::mouseClick(f.CancelButton, Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
    }
    EXPECT_EQ(image, factory);
}

// A code no item carries shows as its number and is stored back; a number typed
// stores that code.
TEST_F(PageItemsFormTest, UnnamedItemCodesRoundTrip)
{
    image[222 + 5] = 31;  // page 2, entry 2
    const SetupImage before = image;
    open(2);
    EXPECT_EQ(cell(1, Column::kItemColumn), "31");
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_EQ(image, before);
    open(2);
    typeIntoCell(2, Column::kItemColumn, "70");
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_EQ(image[222 + 8], 70);
    EXPECT_EQ(image[222 + 5], 31);
}

TEST_F(PageItemsFormTest, PickListReplacesTheCurrentItem)
{
    auto& f = open(2);
    EXPECT_EQ(mnemonicFaults(f), QStringList{});
    f.OKButton->setFocus();
    pressKey(Qt::Key_Tab, Qt::ShiftModifier);  // into the list: its first row is current,
    ASSERT_TRUE(f.PageItemsListbox->hasFocus());  // not chosen
    pressKey(Qt::Key_Return);
    EXPECT_EQ(cell(0, Column::kItemColumn), "Gross");
    EXPECT_TRUE(f.isVisible());

    f.PFGrid->setCurrentCell(-1, -1);
    f.PageItemsListbox->setFocus();
    f.PageItemsListbox->setCurrentRow(12);
    pressKey(Qt::Key_Return);  // no current entry: nothing happens
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.PageItemsListbox->hasFocus());

    f.PFGrid->setCurrentCell(1, Column::kRowColumn);
    f.PageItemsListbox->setFocus();
    f.PageItemsListbox->setCurrentRow(65);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(cell(1, Column::kItemColumn), "Avpiecewt");
    EXPECT_EQ(cell(1, Column::kRowColumn), "4");
    EXPECT_TRUE(f.PFGrid->hasFocus());
    EXPECT_TRUE(f.isVisible());

    f.HelpButton->click();
    pressKey(Qt::Key_F1);
    EXPECT_EQ(services.helpShown, (QStringList{"CfgPage", "CfgPage"}));
}

TEST(PrintFormatForm, PageButtonsOpenTheirPage)
{
    SetupImage image{};
    ScriptedServices services;
    TPrintFormatForm form(image, services);
    showActive(form);
    QString caption;
    EXPECT_EQ(mnemonicFaults(form), QStringList{});
    whenDialogOpens<TCfgPageItemsForm>(
        &form, [&](TCfgPageItemsForm& items) { caption = items.PageFormatLable->text(); });
    pressKey(Qt::Key_F1);
    form.HelpButton->click();
    form.FPButtons[2]->click();
    EXPECT_EQ(caption, "&Page 3 Format");
    EXPECT_EQ(services.helpShown, (QStringList{"CfgPage", "CfgPage"}));
}

class LabelFormTest : public ::testing::Test {
protected:
    LabelFormTest()
    {
        ResetSetupToDefaults(image);
        storeLabel(image, *findPrintLabel(32), "Net <N> kg");
        const std::uint8_t unnamed[] = {'A', 253, 99, 252, 31, 0};
        std::copy(std::begin(unnamed), std::end(unnamed), image.begin() + 1561);
    }

    SetupImage image{};
    ScriptedServices services;
};

TEST_F(LabelFormTest, UntouchedLabelsStoreTheirOwnBytes)
{
    const SetupImage before = image;
    TCfgLabelForm form(image, services);
    showActive(form);
    EXPECT_EQ(form.LabelEditBoxes[0]->text(), "Net <N> kg");
    EXPECT_EQ(form.LengthLabels[0]->text(), "9/16");
    EXPECT_EQ(form.LabelEditBoxes[3]->text(), "A<253><99><252><31>");
    EXPECT_EQ(form.LengthLabels[3]->text(), "5/30");
    EXPECT_EQ(form.LabelEditBoxes[9]->objectName(), "L90EditBox");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(image, before);
    EXPECT_TRUE(services.shown.empty());
}

// A label that does not fit is refused with its excess selected; nothing is stored
// until every label fits.
TEST_F(LabelFormTest, LongLabelsAreRefused)
{
    const SetupImage before = image;
    TCfgLabelForm form(image, services);
    showActive(form);
    EXPECT_EQ(mnemonicFaults(form), QStringList{});
    typeInto(form.LabelEditBoxes[9], QString(31, 'z'));
    typeInto(form.LabelEditBoxes[0], "12345678901234<G>");
    EXPECT_EQ(form.LengthLabels[0]->text(), "16/16");
    typeText("<22>xyz");
    EXPECT_EQ(form.LengthLabels[0]->text(), "20/16");
    EXPECT_TRUE(form.LengthLabels[0]->styleSheet().contains("red"));
    const struct {
        int index;
        const char* message;
        const char* excess;
    } cases[] = {
        {0, "Label 32 exceeds maximum length", "<22>xyz"},
        {9, "Label 90 exceeds maximum length", "z"},
    };
    for (const auto& c : cases) {
        services.shown.clear();
        QTest::mouseClick(form.okButton, Qt::LeftButton);
        EXPECT_EQ(services.texts(), QStringList{c.message});
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), form.LabelEditBoxes[c.index]);
        EXPECT_EQ(form.LabelEditBoxes[c.index]->selectedText(), c.excess);
        EXPECT_EQ(image, before);
        pressKey(Qt::Key_Delete);
    }
    QTest::mouseClick(form.okButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(readLabel(image, *findPrintLabel(32)), "12345678901234<G>");
    EXPECT_EQ(readLabel(image, *findPrintLabel(90)), std::string(30, 'z'));
}

// A character the indicator has no code for is named, not stored as '?'.
TEST_F(LabelFormTest, CharacterOutsideTheIndicatorsSetIsRefused)
{
    const SetupImage before = image;
    TCfgLabelForm form(image, services);
    showActive(form);
    // Typed as an input method types them (the test's keyboard knows only ASCII).
    form.LabelEditBoxes[2]->setText(QString::fromUtf8("Temp \u00B0C"));
    form.LabelEditBoxes[5]->setText(QString::fromUtf8("5 \xE2\x82\xAC"));
    click(form.okButton);
    EXPECT_EQ(services.texts(),
              QStringList{QString::fromUtf8(
                  "Label 86: \"\xE2\x82\xAC\" (U+20AC) is not in the indicator's character set")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.LabelEditBoxes[5]->hasFocus());
    EXPECT_EQ(form.LabelEditBoxes[5]->selectedText(), QString::fromUtf8("\xE2\x82\xAC"));
    EXPECT_EQ(image, before);
    typeInto(form.LabelEditBoxes[5], "5 EUR");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(readLabel(image, *findPrintLabel(34)), "Temp <176>C");
}

TEST_F(LabelFormTest, ReferenceListAndHelp)
{
    TCfgLabelForm form(image, services);
    showActive(form);
    EXPECT_EQ(form.ListBox1->item(0)->text(), "\tNull");
    EXPECT_EQ(form.ListBox1->count(), 47);
    form.PrintItemButton->click();
    ASSERT_EQ(form.ListBox1->count(), 67);
    EXPECT_EQ(form.ListBox1->item(0)->text(), "0\t0");
    EXPECT_EQ(form.ListBox1->item(66)->text(), "\tUNPROGRAMMED");
    form.RegisterButton->click();
    EXPECT_EQ(form.ListBox1->item(1)->text(), "G\tGross");
    form.helpButton->click();
    pressKey(Qt::Key_F1);
    EXPECT_EQ(services.helpShown, (QStringList{"CfgLabels", "CfgLabels"}));
    form.cancelButton->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace quelvar
