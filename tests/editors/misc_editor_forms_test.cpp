#include "../script/keyboard.h"
#include "editors/aout_form.h"
#include "editors/fixed_registers.h"
#include "editors/fixed_registers_form.h"
#include "editors/misc_form.h"
#include "editors/passwords.h"
#include "editors/passwords_form.h"
#include "factory_image.h"
#include "form_test_support.h"
#include "mnemonics.h"
#include "model/bytes.h"
#include "scripted_services.h"
#include "ui/tab_stop_list.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

namespace quelvar {
namespace {

class MiscEditorFormsTest : public ::testing::Test {
protected:
    template <typename Form> std::unique_ptr<Form> open()
    {
        auto form = std::make_unique<Form>(image, services);
        showActive(*form);
        factory = image;
        return form;
    }

    SetupImage image = factoryImage();
    SetupImage factory{};
    ScriptedServices services;
};

bool checked(QWidget& form, const char* name)
{
    return form.findChild<QRadioButton*>(name)->isChecked();
}

// A click on the button's circle: the button is wider than its text.
void clickRadio(QWidget& form, const char* name)
{
    auto* button = form.findChild<QRadioButton*>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

TEST_F(MiscEditorFormsTest, FactoryStateAndOkChangeNothing)
{
    auto misc = open<TMiscForm>();
    EXPECT_EQ(misc->windowTitle(), "Miscellaneous");
    EXPECT_EQ(misc->DispIntensityEditBox->text(), "10");
    for (const char* on :
         {"ATSFenable", "WDTDisable", "BatOutButton", "MPLDButton", "PDDButton", "IDAEyes"})
        EXPECT_TRUE(checked(*misc, on)) << on;
    misc->OKButton->click();

    auto aout = open<TCfgAoutForm>();
    EXPECT_EQ(aout->windowTitle(), "Analog Output");
    EXPECT_EQ(aout->RegisterEditBox->text(), "Gross");
    EXPECT_EQ(aout->OffsetEditBox->text(), "0");
    EXPECT_EQ(aout->SpanEditBox->text(), "10000");
    ASSERT_EQ(aout->RegisterListbox->count(), 51);
    EXPECT_EQ(aout->RegisterListbox->item(0)->text(), "\tNo register selected");
    EXPECT_EQ(aout->RegisterListbox->currentRow(), 1);  // the current register's row
    aout->OKButton->click();

    auto passwords = open<TCfgPasswordsForm>();
    EXPECT_EQ(passwords->Pass1Edit->text(), "");
    EXPECT_EQ(passwords->Pass2Edit->text(), "");
    passwords->OkButton->click();

    auto fixed = open<TCfgFixedSetpointsForm>();
    for (QLineEdit* box : fixed->RegEditBoxes)
        EXPECT_EQ(box->text(), "0");
    fixed->OKButton->click();

    for (QDialog* form :
         std::initializer_list<QDialog*>{misc.get(), aout.get(), passwords.get(), fixed.get()}) {
        EXPECT_EQ(form->result(), QDialog::Accepted) << form->windowTitle().toStdString();
        EXPECT_EQ(mnemonicFaults(*form), QStringList{}) << form->windowTitle().toStdString();
    }
    EXPECT_EQ(image, factory);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(MiscEditorFormsTest, HelpButtonAndF1OpenTheDialogsTopic)
{
    const struct {
        std::function<QDialog*(SetupImage&, Services&)> make;
        const char* topic;
    } cases[] = {
        {[](SetupImage& i, Services& s) { return new TMiscForm(i, s); }, "CfgMisc"},
        {[](SetupImage& i, Services& s) { return new TCfgAoutForm(i, s); }, "CfgAout"},
        {[](SetupImage& i, Services& s) { return new TCfgPasswordsForm(i, s); }, "CfgPasswords"},
        {[](SetupImage& i, Services& s) { return new TCfgFixedSetpointsForm(i, s); }, "CfgFixed"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<QDialog> form(c.make(image, services));
        showActive(*form);
        services.helpShown.clear();
        form->findChildren<QPushButton*>(QRegularExpression("^[Hh]elpButton$")).front()->click();
        pressKey(Qt::Key_F1);
        EXPECT_EQ(services.helpShown, QStringList({c.topic, c.topic}));
    }
}

// Tab enters each choice at its selected button, where the arrow keys move it.
TEST_F(MiscEditorFormsTest, MiscTabOrderFollowsTheColumns)
{
    auto misc = open<TMiscForm>();
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        visited << QApplication::focusWidget()->objectName();
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(visited,
              QStringList({"ATSFenable", "WDTDisable", "BatOutButton", "DispIntensityEditBox",
                           "MPLDButton", "PDDButton", "IDAEyes", "CfgAO"}));
}

// Each switch turned from its factory state lands in its own byte, and only there.
TEST_F(MiscEditorFormsTest, MiscStoresEachSwitchInItsByte)
{
    const struct {
        const char* button;
        std::size_t offset;
        std::uint8_t stored;
    } cases[] = {
        {"ATSFdisable", 76, 0}, {"WDTEnable", 103, 1}, {"BatInButton", 106, 1},
        {"MPLEButton", 367, 1}, {"PDEButton", 66, 1},  {"IDAEno", 366, 0},
    };
    for (const auto& c : cases) {
        image = factoryImage();
        auto misc = open<TMiscForm>();
        clickRadio(*misc, c.button);
        QTest::mouseClick(misc->OKButton, Qt::LeftButton);
        SetupImage expected = factory;
        expected[c.offset] = c.stored;
        EXPECT_EQ(image, expected) << c.button;
    }
}

TEST_F(MiscEditorFormsTest, MiscRefusesABadIntensityAndStoresNothing)
{
    writeByte(image, 103, 2);  // any non-zero byte is on
    auto misc = open<TMiscForm>();
    EXPECT_TRUE(checked(*misc, "WDTEnable"));
    clickRadio(*misc, "PDEButton");
    typeInto(misc->DispIntensityEditBox, "x");
    QTest::mouseClick(misc->OKButton, Qt::LeftButton);
    EXPECT_EQ(services.texts(), QStringList{"Display Intensity: 'x' is not a valid integer value"});
    EXPECT_EQ(QApplication::focusWidget(), misc->DispIntensityEditBox);
    QTest::mouseClick(misc->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(misc->isVisible());
    EXPECT_EQ(image, factory);
}

TEST_F(MiscEditorFormsTest, AnalogOutputKeptAfterMiscIsCancelled)
{
    auto misc = open<TMiscForm>();
    whenDialogOpens<TCfgAoutForm>(misc.get(), [](TCfgAoutForm& aout) {
        aout.RegisterListbox->setFocus();
        aout.RegisterListbox->setCurrentRow(3);
        pressKey(Qt::Key_Return);  // Enter on a row takes it, as a double-click does
        EXPECT_TRUE(aout.isVisible());
        EXPECT_EQ(aout.RegisterEditBox->text(), "Net");
        aout.OKButton->click();
    });
    misc->CfgAO->click();
    misc->CancelButton->click();
    EXPECT_EQ(image[1560], 66);
}

// A dialog opens on its first box with the text selected: typing replaces it.
TEST_F(MiscEditorFormsTest, FirstBoxOpensSelected)
{
    auto aout = open<TCfgAoutForm>();
    auto registers = open<TCfgFixedSetpointsForm>();
    for (auto* box : {aout->RegisterEditBox, registers->findChild<QLineEdit*>("Reg43EditBox")}) {
        EXPECT_EQ(box->window()->focusWidget(), box);
        EXPECT_EQ(box->selectedText(), box->text());
        EXPECT_FALSE(box->text().isEmpty());
    }
}

// Tab into the list and Enter keeps a name typed over the register's own.
TEST_F(MiscEditorFormsTest, TabIntoTheRegisterListAndEnterKeepsTheBox)
{
    auto aout = open<TCfgAoutForm>();
    typeInto(aout->RegisterEditBox, "Net");
    for (int i = 0; i < 3; ++i)
        pressKey(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), aout->RegisterListbox);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(aout->RegisterEditBox->text(), "Net");
}

// A register name not in the table is refused like a bad number: nothing stored.
TEST_F(MiscEditorFormsTest, AnalogRegisterBox)
{
    const struct {
        const char* typed;  // nullptr: double-click the row of "Net"
        std::uint8_t code;  // 0xFF: refused
    } cases[] = {{"gross", 0xFF}, {nullptr, 66}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "double-click");
        services.shown.clear();
        auto aout = open<TCfgAoutForm>();
        if (c.typed) {
            typeInto(aout->RegisterEditBox, c.typed);
            if (!*c.typed) pressKey(Qt::Key_Delete);
        } else {
            doubleClickRow(aout->RegisterListbox, 3);
        }
        typeInto(aout->OffsetEditBox, "-5");
        typeInto(aout->SpanEditBox, "2000");
        QTest::mouseClick(aout->OKButton, Qt::LeftButton);
        if (c.code == 0xFF) {
            EXPECT_EQ(services.texts(), QStringList{"Register: Register name is invalid"});
            EXPECT_EQ(QApplication::focusWidget(), aout->RegisterEditBox);
            EXPECT_EQ(image, factory);
            continue;
        }
        EXPECT_FALSE(aout->isVisible());
        EXPECT_EQ(image[1560], c.code);
        EXPECT_EQ(readLong(image, 1556), 0xFFFFFFFBu);
        EXPECT_EQ(readLong(image, 1552), 2000u);
        image = factoryImage();
    }
}

TEST_F(MiscEditorFormsTest, PasswordBoxesTakeDigitsOnly)
{
    writeText(image, 81, 7, "12ab");  // shown as stored
    auto passwords = open<TCfgPasswordsForm>();
    EXPECT_EQ(passwords->Pass1Edit->text(), "12ab");

    typeInto(passwords->Pass2Edit, "4a-5 6+");
    EXPECT_EQ(passwords->Pass2Edit->text(), "456");
    QGuiApplication::clipboard()->setText("7x");
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(passwords->Pass2Edit->text(), "456");
    QGuiApplication::clipboard()->setText("789");
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(passwords->Pass2Edit->text(), "456789");  // six at most

    pressKey(Qt::Key_Return);
    EXPECT_EQ(passwordText(image, 1), "12ab");
    EXPECT_EQ(passwordText(image, 2), "456789");
}

// Bytes a box cannot show (an erased register, a password of seven digits) stay
// while the box is left alone; a typed value is stored.
TEST_F(MiscEditorFormsTest, UntouchedBoxesKeepBytesTheyCannotShow)
{
    std::fill(image.begin() + 408, image.begin() + 456, 0xFF);
    std::copy_n("7654321", 7, image.begin() + 88);  // no terminator
    auto fixed = open<TCfgFixedSetpointsForm>();
    for (QLineEdit* box : fixed->RegEditBoxes)
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    typeInto(fixed->RegEditBoxes[2], "-12.50");
    QTest::mouseClick(fixed->OKButton, Qt::LeftButton);
    auto passwords = open<TCfgPasswordsForm>();
    QTest::mouseClick(passwords->OkButton, Qt::LeftButton);

    EXPECT_EQ(fixedRegisterText(image, 45), "-12.50");
    SetupImage expected = factory;
    std::copy_n(image.begin() + 420, 6, expected.begin() + 420);
    EXPECT_EQ(image, expected);
    EXPECT_EQ(passwordText(image, 2), "7654321");

    passwords = open<TCfgPasswordsForm>();
    typeInto(passwords->Pass2Edit, "12");
    QTest::mouseClick(passwords->OkButton, Qt::LeftButton);
    EXPECT_EQ(passwordText(image, 2), "12");
}

TEST_F(MiscEditorFormsTest, FixedRegistersRefuseABadTextAndStoreNothing)
{
    auto fixed = open<TCfgFixedSetpointsForm>();
    const char* typed[] = {"-12.50", "3", "12a", "4"};
    for (int i = 0; i < 4; ++i)
        typeInto(fixed->RegEditBoxes[i], typed[i]);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(services.texts(), QStringList{"Register 45: '12a' is not a valid decimal value"});
    EXPECT_EQ(fixed->RegEditBoxes[2]->selectedText(), "12a");
    EXPECT_EQ(image, factory);
    typeInto(fixed->RegEditBoxes[2], "5");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(fixedRegisterText(image, 43), "-12.50");
    EXPECT_EQ(fixedRegisterText(image, 46), "4");
}

}  // namespace
}  // namespace quelvar
