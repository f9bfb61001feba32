#include "editors/scale_form.h"
#include "factory_image.h"
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

    pressKey(Qt::Key_F1);
    form.helpButton->click();
    EXPECT_EQ(services.helpShown, (QStringList{"CfgScale", "CfgScale"}));
    form.okButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(ScaleFormTest, ConversionErrorKeepsWhatWasStoredBeforeIt)
{
    typeInto(form.countbyEditBox, "0.5");
    typeInto(form.fullscaleEditBox, "10000");
    typeInto(form.filterEditBox, "300");
    typeInto(form.ZTBEditBox, "abc");
    form.okButton->click();
    EXPECT_EQ(services.texts(), QStringList{"'abc' is not a valid integer value"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(image[12], 5);
    EXPECT_EQ(image[11], 1);
    EXPECT_EQ(readLong(image, 22), 20000u);
    EXPECT_EQ(image[0], 44);
    EXPECT_EQ(readWord(image, 6), 12);

    typeInto(form.ZTBEditBox, "200");
    typeInto(form.overloadEditBox, "12,5");
    form.okButton->click();
    EXPECT_EQ(services.texts().last(), "'12,5' is not a valid decimal value");
    typeInto(form.overloadEditBox, "10200");
    form.okButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(readWord(image, 6), 200);
    EXPECT_EQ(readLong(image, 26), 20400u);

    TCfgScaleForm reopened(image, services);
    EXPECT_EQ(reopened.fullscaleEditBox->text(), "10000");
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
