#include "editors/keyboard_form.h"
#include "editors/setpoint_form.h"
#include "editors/timers_form.h"
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

template <typename Form> class EventFormTest : public ::testing::Test {
protected:
    EventFormTest() { showActive(form); }

    struct Refused {
        QLineEdit* box;
        const char* typed;
        const char* message;
        const char* after;  // what the box holds for the next one
    };
    // OK refuses each in turn, focusing its box with the text selected; Cancel then
    // leaves the image as it was.
    void refuseThenCancel(std::initializer_list<Refused> refused)
    {
        for (const Refused& r : refused) {
            typeInto(r.box, r.typed);
            services.shown.clear();
            QTest::mouseClick(form.OKButton, Qt::LeftButton);
            EXPECT_EQ(services.texts(), QStringList{r.message});
            EXPECT_EQ(QApplication::focusWidget(), r.box) << r.typed;
            EXPECT_EQ(r.box->selectedText(), r.typed);
            EXPECT_EQ(image, factory);
            typeInto(r.box, r.after);
        }
        QTest::mouseClick(form.cancelButton, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(image, factory);
    }

    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
    Form form{image, services};
};

using KeyboardFormTest = EventFormTest<TCfgKeyboardForm>;
using TimersFormTest = EventFormTest<TCfgTimersForm>;

TEST(EventForms, HelpF1AndAltLetters)
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
        EXPECT_EQ(mnemonicFaults(*form), QStringList{}) << form->windowTitle().toStdString();
        pressKey(Qt::Key_F1);
        QTest::mouseClick(help, Qt::LeftButton);
        form->hide();
    }
    EXPECT_EQ(services.helpShown, (QStringList{"KeyboardEvent", "KeyboardEvent", "CfgSetpoints",
                                               "CfgSetpoints", "CfgTimers", "CfgTimers"}));
}

// Tabbing into a list makes its first row current, but only a row moved to or
// clicked is taken by Enter.
TEST(EventForms, EnterTakesOnlyAChosenRow)
{
    const SetupImage factory = factoryImage();
    SetupImage image = factory;
    ScriptedServices services;
    TCfgKeyboardForm keyboard(image, services);
    TCfgSetpointForm setpoints(image, services);
    TCfgTimersForm timers(image, services);
    const struct {
        QDialog* form;
        QLineEdit* before;  // the box before the list, and the one it fills
        QListWidget* list;
        QLineEdit* target;
    } cases[] = {
        {&keyboard, keyboard.F2keyEditBox, keyboard.FuncListBox, keyboard.F2keyEditBox},
        {&setpoints, setpoints.FunctionEditBox, setpoints.regListBox, setpoints.UpperEditBox},
        {&setpoints, setpoints.FunctionEditBox, setpoints.FuncListBox, setpoints.FunctionEditBox},
        {&timers, timers.Function5Edit, timers.FuncListBox, timers.Function5Edit},
    };
    for (const auto& c : cases) {
        showActive(*c.form);
        const QString before = c.target->text();
        c.before->setFocus(Qt::TabFocusReason);
        while (!c.list->hasFocus())
            pressKey(Qt::Key_Tab);
        pressKey(Qt::Key_Return);
        EXPECT_EQ(c.target->text(), before) << c.list->objectName().toStdString();
        EXPECT_TRUE(c.form->isVisible());
        c.list->setFocus();
        pressKey(Qt::Key_Down);
        pressKey(Qt::Key_Return);
        EXPECT_EQ(c.target->text(), c.list->item(1)->text().section('\t', 0, 0));
        c.form->reject();
    }
    EXPECT_EQ(image, factory);
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
    EXPECT_EQ(form.F1keyEditBox->maxLength(), 11);
    ASSERT_EQ(form.FuncListBox->count(), 48);
    EXPECT_EQ(form.FuncListBox->item(0)->text(), "\tDo not execute a function");
    EXPECT_TRUE(form.PoweronEditBox->hasFocus());
    pressKey(Qt::Key_Return);  // OK is the default button
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

// OK checks every box before it stores one: a refused name is focused and selected,
// and Cancel then leaves the image as it was.
TEST_F(KeyboardFormTest, RefusedNameStoresNothing)
{
    typeInto(form.PoweronEditBox, "user3");  // the first letter is raised
    typeInto(form.GrossNetkeyEditBox, " tare ");
    refuseThenCancel({
        {form.F1keyEditBox, "USER3", "Invalid Function - F1 key: USER3", "Weighin"},
        {form.ZerokeyEditBox, "bad", "Invalid Function - Zero key: Bad", "bad"},
    });

    TCfgKeyboardForm again(image, services);
    showActive(again);
    typeInto(again.PoweronEditBox, "user3");
    typeInto(again.GrossNetkeyEditBox, " tare ");
    QTest::mouseClick(again.OKButton, Qt::LeftButton);
    EXPECT_EQ(image[456], 3);
    EXPECT_EQ(image[461], 129);
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
    QTest::mouseClick(form.cancelButton, Qt::LeftButton);
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
    EXPECT_EQ(form.Timer2Edit->maxLength(), 5);
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(TimersFormTest, OkStoresFunctionsAndTimes)
{
    typeInto(form.Function3Edit, " user5");
    typeInto(form.Timer1Edit, "100");
    typeInto(form.Timer2Edit, "0");
    typeInto(form.Timer4Edit, "258");
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    EXPECT_TRUE(services.shown.empty());
    const int expected[] = {100, 0, 255, 0, 0, 255, 255, 255, 5, 2, 1, 255};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(image[467 + i], expected[i]) << 467 + i;
}

// The lowest-numbered bad name is reported first, as typed, then the times; a
// time must fit its word.
TEST_F(TimersFormTest, RefusedOkStoresNothing)
{
    typeInto(form.Function1Edit, "User1");
    typeInto(form.Timer1Edit, "7");
    typeInto(form.Function4Edit, "nope");
    refuseThenCancel({
        {form.Function2Edit, " bad ", "Timer 2 Function: Invalid Function:  bad ", "Tare"},
        {form.Function4Edit, "nope", "Timer 4 Function: Invalid Function: nope", "Zero"},
        {form.Timer3Edit, "abc", "Timer 3: 'abc' is not a valid integer value", "1"},
        {form.Timer5Edit, "70000", "Timer 5: 70000 is out of range (0 to 65535)", "1"},
        {form.Timer2Edit, "-1", "Timer 2: -1 is out of range (0 to 65535)", "-1"},
    });
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
