#include "editors/scale_form.h"
#include "factory_image.h"
#include "mnemonics.h"
#include "model/bytes.h"
#include "script/keyboard.h"
#include "scripted_services.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

class ScaleFormTest : public ::testing::Test {
protected:
    ScaleFormTest() { showActive(form); }

    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
    TCfgScaleForm form{image, services};
};

TEST_F(ScaleFormTest, FactoryStateShownAndKeptByOk)
{
    EXPECT_EQ(form.windowTitle(), "Configure Scale Parameters");
    const std::pair<QLineEdit*, const char*> texts[] = {
        {form.countbyEditBox, "0.01"},
        {form.fullscaleEditBox, "100"},
        {form.overloadEditBox, "102"},
        {form.altCountbyEditBox, "0.5"},
        {form.altConvFactEditBox, "45359"},
        {form.filterEditBox, "9"},
        {form.displayUpdateEditBox, "1"},
        {form.autoZeroEditBox, "100"},
        {form.ZTBEditBox, "12"},
        {form.ZTDEditBox, "1"},
        {form.MDBEditBox, "6"},
        {form.MDTEditBox, "15"},
    };
    for (const auto& [box, text] : texts)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    EXPECT_EQ(form.loadcellComboBox->currentText(), "3 mv/v");
    EXPECT_EQ(form.unitsComboBox->currentText(), " lb");
    EXPECT_EQ(form.altUnitsComboBox->currentText(), " kg");
    EXPECT_TRUE(form.POZno->isChecked());
    EXPECT_TRUE(form.MBNo->isChecked());
    EXPECT_EQ(form.spanLabel->text(), "1096964");
    EXPECT_EQ(form.offLabel1->text(), "2178");
    EXPECT_EQ(form.offLabel2->text(), "0");

    EXPECT_EQ(mnemonicFaults(form), QStringList{});
    pressKey(Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.filterEditBox);

    pressKey(Qt::Key_F1);
    form.helpButton->click();
    EXPECT_EQ(services.helpShown, (QStringList{"CfgScale", "CfgScale"}));
    form.okButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
    EXPECT_TRUE(services.shown.empty());
}

// OK checks every box before it stores one: a refusal names the box, puts the focus
// into it and stores nothing, so Cancel leaves the image as it was.
TEST_F(ScaleFormTest, RefusedOkStoresNothing)
{
    typeInto(form.countbyEditBox, "0.5");
    typeInto(form.fullscaleEditBox, "10000");
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {form.ZTBEditBox, "1O", "Zero Tracking Band: '1O' is not a valid integer value"},
        {form.filterEditBox, "300", "Vibration Filter: 300 is out of range (0 to 255)"},
        {form.overloadEditBox, "12,5", "Overload Weight: '12,5' is not a valid decimal value"},
    };
    for (const auto& c : cases) {
        const QString before = c.box->text();
        typeInto(c.box, c.typed);
        pressKey(Qt::Key_Tab);
        services.shown.clear();
        QTest::mouseClick(form.okButton, Qt::LeftButton);
        EXPECT_EQ(services.texts(), QStringList{c.message});
        EXPECT_EQ(QApplication::focusWidget(), c.box) << c.typed;
        EXPECT_EQ(c.box->selectedText(), c.typed);
        EXPECT_EQ(image, factory);
        typeInto(c.box, before);
    }
    typeInto(form.ZTBEditBox, "1O");
    QTest::mouseClick(form.okButton, Qt::LeftButton);
    QTest::mouseClick(form.cancelButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

// Values that differ from the factory's and from each other, each in its own bytes;
// the capacity and overload are counted in the new count-by.
TEST_F(ScaleFormTest, OkStoresEveryBoxInItsPlace)
{
    const std::pair<QLineEdit*, const char*> typed[] = {
        {form.countbyEditBox, "0.5"},    {form.fullscaleEditBox, "10000"},
        {form.overloadEditBox, "10200"}, {form.altConvFactEditBox, "1.2345"},
        {form.filterEditBox, "30"},      {form.displayUpdateEditBox, "4"},
        {form.autoZeroEditBox, "5"},     {form.ZTBEditBox, "300"},
        {form.ZTDEditBox, "3"},          {form.MDBEditBox, "7"},
        {form.MDTEditBox, "8"},
    };
    for (const auto& [box, text] : typed)
        typeInto(box, text);
    QTest::mouseClick(form.MBYes, Qt::LeftButton);
    QTest::mouseClick(form.POZyes, Qt::LeftButton);
    QTest::mouseClick(form.okButton, Qt::LeftButton);
    ASSERT_FALSE(form.isVisible());
    const std::pair<std::size_t, std::uint8_t> bytes[] = {
        {12, 5}, {11, 1}, {0, 30}, {1, 4}, {8, 5}, {5, 3}, {3, 7}, {2, 8}, {4, 1}, {67, 0}};
    for (const auto& [offset, value] : bytes)
        EXPECT_EQ(image[offset], value) << offset;
    EXPECT_EQ(readWord(image, 6), 300);
    EXPECT_EQ(readLong(image, 22), 20000u);
    EXPECT_EQ(readLong(image, 26), 20400u);
    EXPECT_EQ(readLong(image, 17), 12345u);

    TCfgScaleForm reopened(image, services);
    EXPECT_EQ(reopened.fullscaleEditBox->text(), "10000");
    EXPECT_EQ(reopened.ZTBEditBox->text(), "300");
}

// A unit or load cell code outside its list shows the first choice; the code stays
// until another choice is made.
TEST_F(ScaleFormTest, CodesOutsideTheListsStayUntilChosen)
{
    writeWord(image, 9, 9);
    writeWord(image, 13, 0xFFFF);
    image[21] = 5;
    const SetupImage before = image;
    TCfgScaleForm odd(image, services);
    showActive(odd);
    for (QComboBox* list : {odd.unitsComboBox, odd.altUnitsComboBox, odd.loadcellComboBox})
        EXPECT_EQ(list->currentIndex(), 0) << list->objectName().toStdString();
    QTest::mouseClick(odd.okButton, Qt::LeftButton);
    EXPECT_EQ(image, before);

    TCfgScaleForm chosen(image, services);
    showActive(chosen);
    chosen.unitsComboBox->setFocus();
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(readWord(image, 9), 1);
    EXPECT_EQ(readWord(image, 13), 0xFFFF);
}

TEST_F(ScaleFormTest, CountByCheckedWhenLeft)
{
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"15", "0.01"}, {"a", "0.01"}, {"0.0", "0.01"}, {"5 ", "5 "}, {"0.02", "0.02"}};
    for (const auto& c : cases) {
        services.shown.clear();
        typeInto(form.countbyEditBox, c.typed);
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(form.countbyEditBox->text(), c.kept) << c.typed;
        const QStringList expected =
            QString(c.kept) == c.typed ? QStringList{}
                                       : QStringList{QString("Invalid Count-By: %1").arg(c.typed)};
        EXPECT_EQ(services.texts(), expected) << c.typed;
    }
    form.okButton->click();
    EXPECT_EQ(image[12], 2);
    EXPECT_EQ(image[11], 2);
    EXPECT_EQ(readLong(image, 22), 5000u);  // capacity 100 in steps of 0.02
}

TEST_F(ScaleFormTest, EnterInACountByBoxChecksItFirst)
{
    typeInto(form.altCountbyEditBox, "3");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(services.texts(), QStringList{"Invalid Count-By: 3"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(image, factory);
    EXPECT_EQ(form.altCountbyEditBox->text(), "0.5");

    typeInto(form.altCountbyEditBox, "7");
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(services.texts().size(), 1);
    EXPECT_EQ(image, factory);
}

}  // namespace
}  // namespace quelvar
