#include "editors/ports_form.h"
#include "factory_image.h"
#include "script/keyboard.h"
#include "scripted_services.h"

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

    pressKey(Qt::Key_F1);
    form.HelpButton->click();
    EXPECT_EQ(services.helpShown, (QStringList{"CfgPorts", "CfgPorts"}));
    form.OKButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(PortsFormTest, ConversionErrorKeepsWhatWasStoredBeforeIt)
{
    TCfgPortsForm form(image, services);
    form.show();
    form.DB1ComboBox->setCurrentIndex(0);
    form.P1ComboBox->setCurrentIndex(1);
    form.P2ComboBox->setCurrentIndex(2);
    form.StationEditBox->setText("300");
    form.PCEditBoxes[1][0]->setText("27");
    form.PCEditBoxes[1][1]->setText("x");
    form.OKButton->click();
    EXPECT_EQ(services.texts(), QStringList{"'x' is not a valid integer value"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(image[68], 2);   // 7 data bits, even
    EXPECT_EQ(image[70], 6);   // 8 data bits, odd
    EXPECT_EQ(image[72], 44);  // 300 keeps its low 8 bits
    EXPECT_EQ(image[162], 0);  // print code 2 not stored
}

TEST_F(PortsFormTest, CodesOutsideTheListsAreLeftAlone)
{
    image[68] = 0xFF;
    image[69] = 0;
    image[73] = 9;
    TCfgPortsForm form(image, services);
    EXPECT_EQ(form.DB1ComboBox->currentIndex(), -1);
    EXPECT_EQ(form.P1ComboBox->currentIndex(), -1);
    EXPECT_EQ(form.BR1ComboBox->currentIndex(), -1);
    EXPECT_EQ(form.TXFComboBox->currentIndex(), -1);
    const SetupImage before = image;
    form.OKButton->click();
    EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace quelvar
