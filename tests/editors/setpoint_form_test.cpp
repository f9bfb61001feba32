#include "editors/setpoint_form.h"
#include "form_test_support.h"
#include "mnemonics.h"
#include "script/keyboard.h"
#include "scripted_services.h"
#include "ui/tab_stop_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace quelvar {
namespace {

class SetpointFormTest : public ::testing::Test {
protected:
    SetpointFormTest() { open(); }

    TCfgSetpointForm& open()
    {
        form = std::make_unique<TCfgSetpointForm>(image, services);
        showActive(*form);
        return *form;
    }
    std::array<int, 3> record(int k) const
    {
        const std::size_t at = 479 + 3 * static_cast<std::size_t>(k);
        return {image[at], image[at + 1], image[at + 2]};
    }
    QStringList boxes() const
    {
        return {form->SetpointEditBox->text(), form->UpperEditBox->text(),
                form->LowerEditBox->text(), form->FunctionEditBox->text()};
    }
    void typeNames(const QString& upper, const QString& lower, const QString& function)
    {
        retype(form->UpperEditBox, upper);
        retype(form->LowerEditBox, lower);
        retype(form->FunctionEditBox, function);
    }

    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
    std::unique_ptr<TCfgSetpointForm> form;
};

TEST_F(SetpointFormTest, FreshSetupShowsSetpointOneEmpty)
{
    EXPECT_EQ(form->windowTitle(), "Configure Setpoint Events");
    EXPECT_EQ(boxes(), (QStringList{"1", "", "", ""}));
    EXPECT_TRUE(form->UpperEditBox->hasFocus());
    EXPECT_EQ(form->regListBox->count(), 51);
    EXPECT_EQ(form->regListBox->item(0)->text(), "\tNo register selected");
    EXPECT_EQ(form->FuncListBox->count(), 48);
    EXPECT_EQ(mnemonicFaults(*form), QStringList{});
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(image, factory);  // a setpoint left as it was keeps its bytes
}

TEST_F(SetpointFormTest, NamesStoreTheirCodes)
{
    const struct {
        const char* upper;
        const char* lower;
        const char* function;
        std::array<int, 3> bytes;
        const char* message;
    } cases[] = {
        {"gross", "", "", {255, 255, 255}, "Upper register - invalid name: gross"},
        {"True", "Gross", "", {255, 255, 255}, "Lower register - invalid name: Gross"},
        {"Gross", "Motion", "", {255, 255, 255}, "Lower register - invalid name: Motion"},
        {"Gross", "Net", "user2", {255, 255, 255}, "Function register - invalid name: user2"},
        {"Gross", "Fixed43", "User2", {64, 43, 2}, nullptr},
        {"True", "Motion", "Tare", {115, 107, 129}, nullptr},
    };
    for (const auto& c : cases) {
        open();
        services.shown.clear();
        typeNames(c.upper, c.lower, c.function);
        form->OKButton->click();
        EXPECT_EQ(record(1), c.bytes) << c.upper << c.lower;
        EXPECT_EQ(form->isVisible(), c.message != nullptr);
        EXPECT_EQ(services.texts(), c.message ? QStringList{c.message} : QStringList{});
    }
    open();  // the last one: True, Motion, Tare
    EXPECT_EQ(boxes(), (QStringList{"1", "True", "Motion", "Tare"}));
    EXPECT_EQ(form->registerListMode(), TCfgSetpointForm::Registers);
    form->LowerEditBox->setFocus();
    EXPECT_EQ(form->registerListMode(), TCfgSetpointForm::StatusConditions);
    EXPECT_EQ(form->regListBox->count(), 52);
}

TEST_F(SetpointFormTest, ArrowsStoreAndStepWithinOneToFifteen)
{
    typeNames("Gross", "", "");
    form->upButton->click();
    EXPECT_EQ(boxes(), (QStringList{"2", "", "", ""}));
    typeInto(form->SetpointEditBox, "40");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(form->currentSetpoint(), 15);
    typeNames("gross", "", "");  // at 15 the up arrow neither stores nor moves
    form->upButton->click();
    EXPECT_EQ(form->SetpointEditBox->text(), "15");
    typeInto(form->SetpointEditBox, "0");
    pressKey(Qt::Key_Return);  // goes to the setpoint typed, not OK
    EXPECT_EQ(services.texts(), QStringList{"Upper register - invalid name: gross"});
    EXPECT_TRUE(form->UpperEditBox->hasFocus());
    EXPECT_EQ(form->SetpointEditBox->text(), "15");
    retype(form->UpperEditBox, "");
    typeInto(form->SetpointEditBox, "0");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(boxes(), (QStringList{"1", "Gross", "", ""}));
    retype(form->UpperEditBox, "Net");
    typeInto(form->SetpointEditBox, "9");
    form->cancelButton->click();  // what the arrow and leaving the box stored stays
    EXPECT_EQ(record(1), (std::array{64, 0, 255}));  // changed: stored whole
    EXPECT_EQ(record(2), (std::array{255, 255, 255}));
    EXPECT_EQ(record(15), (std::array{0, 0, 255}));
}

TEST_F(SetpointFormTest, NumbersNotTakenByLeavingNeverReachSetpointZero)
{
    image[479] = 100;  // timer 5's time and function, before setpoint 1
    image[481] = 7;
    const struct {
        const char* typed;
        QPushButton* TCfgSetpointForm::*button;
        int shown;
    } cases[] = {
        {"-1", &TCfgSetpointForm::upButton, 2},
        {"0", &TCfgSetpointForm::downButton, 1},
        {"", &TCfgSetpointForm::upButton, 1},  // no number: nothing moves
    };
    for (const auto& c : cases) {
        open();
        retype(form->SetpointEditBox, c.typed);
        ((*form).*c.button)->click();  // the arrows take no focus
        EXPECT_EQ(form->currentSetpoint(), c.shown) << c.typed;
        EXPECT_EQ(form->SetpointEditBox->text(), QString::number(c.shown));
        form->OKButton->click();
    }
    EXPECT_EQ(services.texts(), QStringList{"'' is not a valid integer value"});
    EXPECT_EQ(image[479], 100);
    EXPECT_EQ(image[481], 7);
    EXPECT_EQ(record(1), (std::array{255, 255, 255}));
}

// A click on Cancel or Help moves the focus out of the number box without taking the
// number typed there: Cancel closes at once, with nothing stored.
TEST_F(SetpointFormTest, ClickOnCancelOrHelpTakesNoNumber)
{
    const struct {
        const char* upper;
        const char* number;
        QPushButton* TCfgSetpointForm::*button;
    } cases[] = {
        {"Gross", "3", &TCfgSetpointForm::cancelButton},
        {"gross", "x", &TCfgSetpointForm::cancelButton},
        {"Gross", "3", &TCfgSetpointForm::helpButton},
    };
    for (const auto& c : cases) {
        open();
        services.shown.clear();
        typeInto(form->UpperEditBox, c.upper);
        typeInto(form->SetpointEditBox, c.number);
        QTest::mouseClick((*form).*c.button, Qt::LeftButton);
        EXPECT_EQ(form->isVisible(), c.button == &TCfgSetpointForm::helpButton) << c.number;
        EXPECT_EQ(services.texts(), QStringList{});
        EXPECT_EQ(image, factory);
    }
    EXPECT_EQ(form->SetpointEditBox->text(), "3");
    EXPECT_EQ(services.helpShown, QStringList{"CfgSetpoints"});
}

TEST_F(SetpointFormTest, ListsOfferWhatTheTargetBoxTakes)
{
    writeSetpoint(image, 2, {115, 107, 129});  // True, Motion, Tare
    open();
    form->upButton->click();  // the upper box is still the target
    EXPECT_EQ(form->registerListMode(), TCfgSetpointForm::Registers);
    doubleClickRow(form->regListBox, 8);
    EXPECT_EQ(form->UpperEditBox->text(), form->regListBox->item(8)->text().section('\t', 0, 0));
    typeInto(form->UpperEditBox, "False");
    form->LowerEditBox->setFocus();
    doubleClickRow(form->regListBox, 8);
    EXPECT_EQ(form->LowerEditBox->text(), "Motion");
    EXPECT_TRUE(form->LowerEditBox->hasFocus());
    form->FuncListBox->setCurrentRow(21);
    form->FuncListBox->setFocus();
    pressKey(Qt::Key_Return);
    EXPECT_EQ(form->FunctionEditBox->text(), "User1");
    EXPECT_TRUE(form->isVisible());
    form->OKButton->click();
    EXPECT_EQ(record(2), (std::array{116, 107, 1}));
}

}  // namespace
}  // namespace quelvar
