#include "editors/ports_form.h"
#include "factory_image.h"
#include "mnemonics.h"
#include "script/keyboard.h"
#include "scripted_services.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace quelvar {
namespace {

class PortsFormTest : public ::testing::Test {
protected:
    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
};

TEST_F(PortsFormTest, FactoryStateShownAndKeptByOk)
{
    TCfgPortsForm form(image, services);
    showActive(form);
    EXPECT_EQ(form.windowTitle(), "I/O Port Parameters");
    for (QComboBox* baud : {form.BR1ComboBox, form.BR2ComboBox})
        EXPECT_EQ(baud->currentText(), " 9600");
    for (QComboBox* bits : {form.DB1ComboBox, form.DB2ComboBox})
        EXPECT_EQ(bits->currentText(), "   8");
    for (QComboBox* parity : {form.P1ComboBox, form.P2ComboBox})
        EXPECT_EQ(parity->currentText(), " none");
    EXPECT_EQ(form.TXFComboBox->currentText(), " Condec");
    EXPECT_EQ(form.StationEditBox->text(), "255");
    EXPECT_EQ(form.PrinterSelectComboBox->currentText(), " Com Port 1");
    EXPECT_TRUE(form.AutoLFyes->isChecked());
    EXPECT_EQ(form.EOPEditBox->text(), "12");
    EXPECT_EQ(form.findChild<QLineEdit*>("PC43EditBox")->text(), "255");

    EXPECT_EQ(mnemonicFaults(form), QStringList{});

    pressKey(Qt::Key_F1);
    form.HelpButton->click();
    EXPECT_EQ(services.helpShown, (QStringList{"CfgPorts", "CfgPorts"}));
    form.OKButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

// A refusal names the box, puts the focus into it and stores nothing, so Cancel
// leaves the image as it was.
TEST_F(PortsFormTest, RefusedOkStoresNothing)
{
    TCfgPortsForm form(image, services);
    showActive(form);
    form.DB1ComboBox->setCurrentIndex(0);
    typeInto(form.EOPEditBox, "13");
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {form.PCEditBoxes[1][1], "x", "Print Code 2: 'x' is not a valid integer value"},
        {form.StationEditBox, "300", "Station ID: 300 is out of range (0 to 255)"},
    };
    for (const auto& c : cases) {
        const QString before = c.box->text();
        typeInto(c.box, c.typed);
        services.shown.clear();
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        EXPECT_EQ(services.texts(), QStringList{c.message});
        EXPECT_EQ(QApplication::focusWidget(), c.box) << c.typed;
        EXPECT_EQ(c.box->selectedText(), c.typed);
        typeInto(c.box, before);
    }
    typeInto(form.StationEditBox, "300");
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

// Values that differ from the factory's and from each other, each in its own byte.
TEST_F(PortsFormTest, OkStoresEveryBoxInItsPlace)
{
    TCfgPortsForm form(image, services);
    showActive(form);
    const std::pair<QComboBox*, int> chosen[] = {
        {form.BR1ComboBox, 2}, {form.DB1ComboBox, 0},          {form.P1ComboBox, 1},
        {form.BR2ComboBox, 4}, {form.DB2ComboBox, 1},          {form.P2ComboBox, 2},
        {form.TXFComboBox, 3}, {form.PrinterSelectComboBox, 0}};
    for (const auto& [list, index] : chosen)
        list->setCurrentIndex(index);
    typeInto(form.StationEditBox, "7");
    typeInto(form.EOPEditBox, "13");
    for (int code = 0; code < 4; ++code)
        for (int i = 0; i < 3; ++i)
            typeInto(form.PCEditBoxes[code][i], QString::number(code * 3 + i + 1));
    QTest::mouseClick(form.AutoLFno, Qt::LeftButton);
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    ASSERT_FALSE(form.isVisible());
    const std::uint8_t ports[] = {2, 3, 6, 5, 7, 4};  // bytes 68 to 73
    EXPECT_TRUE(std::equal(std::begin(ports), std::end(ports), image.begin() + 68));
    const std::uint8_t printer[] = {1, 0, 13};  // bytes 78 to 80
    EXPECT_TRUE(std::equal(std::begin(printer), std::end(printer), image.begin() + 78));
    const std::uint8_t codes[] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    EXPECT_TRUE(std::equal(std::begin(codes), std::end(codes), image.begin() + 158));
}

// Codes outside the lists show no choice and stay while their lists are left alone;
// choosing the data bits of a mode outside the table chooses its parity too.
TEST_F(PortsFormTest, CodesOutsideTheListsStayUntilChosen)
{
    image[68] = 0xFF;
    image[69] = 0;
    image[73] = 9;
    const SetupImage before = image;
    TCfgPortsForm form(image, services);
    showActive(form);
    for (QComboBox* list : {form.DB1ComboBox, form.P1ComboBox, form.BR1ComboBox, form.TXFComboBox})
        EXPECT_EQ(list->currentIndex(), -1) << list->objectName().toStdString();
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    EXPECT_EQ(image, before);

    TCfgPortsForm chosen(image, services);
    showActive(chosen);
    chosen.DB1ComboBox->setFocus();
    pressKey(Qt::Key_Down);
    EXPECT_EQ(chosen.P1ComboBox->currentText(), " none");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(image[68], 1);  // 7 data bits, no parity
    EXPECT_EQ(image[69], 0);
}

// The Alt-letter of a Yes/No pair goes to the checked button and chooses nothing.
TEST_F(PortsFormTest, PairLetterFocusesTheCheckedButton)
{
    for (const std::uint8_t autoLF : {0, 1}) {
        image[79] = autoLF;
        const SetupImage before = image;
        TCfgPortsForm form(image, services);
        showActive(form);
        QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), autoLF ? form.AutoLFyes : form.AutoLFno);
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        EXPECT_EQ(image, before);
    }
}

}  // namespace
}  // namespace quelvar
