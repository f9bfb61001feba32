#include "../script/keyboard.h"
#include "editors/aout_form.h"
#include "editors/fixed_registers_form.h"
#include "editors/misc_form.h"
#include "editors/passwords.h"
#include "editors/passwords_form.h"
#include "factory_image.h"
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

TEST_F(MiscEditorFormsTest, FactoryStateAndOkChangeNothing)
{
    auto misc = open<TMiscForm>();
    EXPECT_EQ(misc->windowTitle(), "Miscelaneous");
    EXPECT_EQ(misc->DispIntensityEditBox->text(), "10");
    for (const char* on :
         {"ATSFenable", "WDTDisable", "BatOutButton", "MPLDButton", "PDDButton", "IDAEyes"})
        EXPECT_TRUE(checked(*misc, on)) << on;
    misc->OKButton->click();

    auto aout = open<TCfgAoutForm>();
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
         std::initializer_list<QDialog*>{misc.get(), aout.get(), passwords.get(), fixed.get()})
        EXPECT_EQ(form->result(), QDialog::Accepted) << form->windowTitle().toStdString();
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

TEST_F(MiscEditorFormsTest, MiscStoresOnesAndZerosAndStopsAtABadIntensity)
{
    writeByte(image, 103, 2);  // any non-zero byte is on
    auto misc = open<TMiscForm>();
    EXPECT_TRUE(checked(*misc, "WDTEnable"));
    misc->findChild<QRadioButton*>("PDEButton")->setChecked(true);
    typeInto(misc->DispIntensityEditBox, "x");
    misc->OKButton->click();
    EXPECT_EQ(services.texts(), QStringList{"'x' is not a valid integer value"});
    EXPECT_TRUE(misc->isVisible());
    EXPECT_EQ(image, factory);

    typeInto(misc->DispIntensityEditBox, "260");
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(misc->isVisible());
    EXPECT_EQ(image[77], 4);  // low 8 bits
    EXPECT_EQ(image[103], 1);
    EXPECT_EQ(image[66], 1);
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

TEST_F(MiscEditorFormsTest, AnalogRegisterBox)
{
    const struct {
        const char* typed;  // nullptr: double-click the row of "Net"
        std::uint8_t code;
        QStringList shown;
    } cases[] = {
        {"gross", 64, {"Register name is invalid"}},
        {nullptr, 66, {}},
        {"", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "double-click");
        services.shown.clear();
        auto aout = open<TCfgAoutForm>();
        if (c.typed) {
            typeInto(aout->RegisterEditBox, c.typed);
            if (!*c.typed) pressKey(Qt::Key_Delete);
        } else {
            aout->RegisterListbox->setCurrentRow(3);
            emit aout->RegisterListbox->itemDoubleClicked(aout->RegisterListbox->item(3));
        }
        typeInto(aout->OffsetEditBox, "-5");
        typeInto(aout->SpanEditBox, "2000");
        aout->OKButton->click();
        EXPECT_FALSE(aout->isVisible());
        EXPECT_EQ(services.texts(), c.shown);
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

TEST_F(MiscEditorFormsTest, FixedRegistersStopAtTheFirstBadText)
{
    auto fixed = open<TCfgFixedSetpointsForm>();
    const char* typed[] = {"-12.50", "3", "12a", "4"};
    for (int i = 0; i < 4; ++i)
        typeInto(fixed->RegEditBoxes[i], typed[i]);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(services.texts(), QStringList{"'12a' is not a valid decimal value"});
    EXPECT_TRUE(fixed->isVisible());
    EXPECT_EQ(fixedRegisterText(image, 43), "-12.50");
    EXPECT_EQ(fixedRegisterText(image, 44), "3");
    EXPECT_TRUE(std::equal(image.begin() + 420, image.begin() + 456, factory.begin() + 420));

    TCfgFixedSetpointsForm reopened(image, services);
    EXPECT_EQ(reopened.RegEditBoxes[0]->text(), "-12.50");
}

}  // namespace
}  // namespace quelvar
