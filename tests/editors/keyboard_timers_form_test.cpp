#include "editors/keyboard_form.h"
#include "editors/setpoint_form.h"
#include "editors/timers_form.h"
#include "form_test_support.h"
#include "script/keyboard.h"
#include "scripted_services.h"
#include "ui/tab_stop_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace quelvar {
namespace {

template <typename Form> class EventFormTest : public ::testing::Test {
protected:
    EventFormTest() { showActive(form); }

    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
    Form form{image, services};
};

using KeyboardFormTest = EventFormTest<TCfgKeyboardForm>;
using TimersFormTest = EventFormTest<TCfgTimersForm>;

TEST(EventForms, HelpAndF1OpenTheirTopics)
{
    SetupImage image = factoryImage();
    ScriptedServices services;
    TCfgKeyboardForm keyboard(image, services);
    TCfgSetpointForm setpoints(image, services);
    TCfgTimersForm timers(image, services);
    const std::pair<QDialog*, QPushButton*> forms[] = {{&keyboard, keyboard.helpButton},
                                                       {&setpoints, setpoints.helpButton},
                                                       {&timers, timers.helpButton}};
    for (auto [form, help] : forms) {
        showActive(*form);
        pressKey(Qt::Key_F1);
        help->click();
        form->hide();
    }
    EXPECT_EQ(services.helpShown, (QStringList{"KeyboardEvent", "KeyboardEvent", "CfgSetpoints",
                                               "CfgSetpoints", "CfgTimers", "CfgTimers"}));
}

TEST_F(KeyboardFormTest, FactoryNamesAndOkKeepTheBytes)
{
    EXPECT_EQ(form.windowTitle(), "Keyboard and Power On Functions");
    const QLineEdit* boxes[] = {form.PoweronEditBox,     form.PrintkeyEditBox, form.UnitskeyEditBox,
                                form.GrossNetkeyEditBox, form.TarekeyEditBox,  form.ZerokeyEditBox,
                                form.F1keyEditBox,       form.F2keyEditBox};
    const char* names[] = {"",     "Printmode", "Units",   "Gross/net",
                           "Tare", "Zero",      "Weighin", "Weighout"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(boxes[i]->text(), names[i]) << i;
    ASSERT_EQ(form.FuncListBox->count(), 48);
    EXPECT_EQ(form.FuncListBox->item(0)->text(), "\tDo not execute a function");
    EXPECT_TRUE(form.PoweronEditBox->hasFocus());
    pressKey(Qt::Key_Return);  // OK is the default button
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(KeyboardFormTest, TypedNamesRaiseTheFirstLetter)
{
    const struct {
        const char* typed;
        int byte;  // at 457 once stored
        const char* message;
    } cases[] = {
        {"USER3", 138, "Invalid Function - F1 key: USER3"},
        {"user3", 3, nullptr},
    };
    for (const auto& c : cases) {
        typeInto(form.F1keyEditBox, c.typed);
        form.OKButton->click();
        EXPECT_EQ(image[457], c.byte) << c.typed;
        EXPECT_EQ(form.isVisible(), c.message != nullptr);
        if (!c.message) continue;
        EXPECT_EQ(services.texts(), QStringList{c.message});
        EXPECT_TRUE(form.F1keyEditBox->hasFocus());
        EXPECT_EQ(form.F1keyEditBox->selectedText(), c.typed);
    }
}

TEST_F(KeyboardFormTest, ListRowsFillTheTargetBoxAndCancelDropsThem)
{
    form.TarekeyEditBox->setFocus();
    doubleClickRow(form.FuncListBox, 0);  // "Do not execute a function"
    EXPECT_EQ(form.TarekeyEditBox->text(), "");
    EXPECT_TRUE(form.FuncListBox->hasFocus());
    form.FuncListBox->setCurrentRow(21);
    pressKey(Qt::Key_Return);  // as a double-click; OK is not pressed
    EXPECT_EQ(form.TarekeyEditBox->text(), "User1");
    EXPECT_TRUE(form.isVisible());
    form.cancelButton->click();
    EXPECT_EQ(image, factory);
}

TEST_F(TimersFormTest, FactoryTimesAndOkKeepTheBytes)
{
    EXPECT_EQ(form.windowTitle(), "Configure Timers");
    for (auto* box : {form.Timer1Edit, form.Timer3Edit, form.Timer5Edit})
        EXPECT_EQ(box->text(), "65535");
    for (auto* box : {form.Function1Edit, form.Function5Edit})
        EXPECT_EQ(box->text(), "");
    EXPECT_EQ(form.targetBox(), form.Function1Edit);
    form.OKButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(TimersFormTest, OkStoresFunctionsAndTimesModulo65536)
{
    typeInto(form.Function3Edit, " user5");
    typeInto(form.Timer1Edit, "100");
    typeInto(form.Timer2Edit, "65536");
    typeInto(form.Timer4Edit, "-1");
    form.OKButton->click();
    EXPECT_TRUE(services.shown.empty());
    const int expected[] = {100, 0, 255, 0, 0, 255, 255, 255, 5, 255, 255, 255};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(image[467 + i], expected[i]) << 467 + i;
}

TEST_F(TimersFormTest, ABadNameOrTimeChangesNothing)
{
    typeInto(form.Function1Edit, "User1");
    typeInto(form.Timer1Edit, "7");
    typeInto(form.Function2Edit, " bad ");
    typeInto(form.Function4Edit, "nope");
    form.OKButton->click();  // the lowest-numbered bad name, as typed
    EXPECT_TRUE(form.Function2Edit->hasFocus());
    typeInto(form.Function2Edit, "Tare");
    typeInto(form.Function4Edit, "Zero");
    typeInto(form.Timer3Edit, "abc");
    form.OKButton->click();
    EXPECT_TRUE(form.Timer3Edit->hasFocus());
    EXPECT_EQ(services.texts(),
              (QStringList{"Invalid Function:  bad ", "'abc' is not a valid integer value"}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(TimersFormTest, ListRowFillsAndFocusesTheTargetBox)
{
    form.Function4Edit->setFocus();
    doubleClickRow(form.FuncListBox, 3);
    EXPECT_EQ(form.Function4Edit->text(), "Tare");
    EXPECT_TRUE(form.Function4Edit->hasFocus());
    EXPECT_EQ(form.Function1Edit->text(), "");
}

}  // namespace
}  // namespace quelvar
