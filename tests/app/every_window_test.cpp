// Every window the program shows (the main window, and each one the screenshot
// registry holds): every button and labelled box has an Alt-letter of its own, and
// Enter on a focused button presses that button, not the default one; every edit box
// takes at most what its field stores.

#include "app/main_form.h"
#include "mnemonics.h"
#include "model/setup_document.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"
#include "ui/screenshot_registry.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace quelvar;

namespace {

// The buttons a person can reach (a tool bar's action buttons and the buttons that only
// open a menu aside), cut off from their handlers so that pressing them changes nothing.
QList<QAbstractButton*> pressableButtons(QWidget& window)
{
    QList<QAbstractButton*> buttons;
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        auto* tool = qobject_cast<QToolButton*>(button);
        const bool menuOnly = tool && tool->menu() && tool->popupMode() == QToolButton::InstantPopup;
        if ((!qobject_cast<QPushButton*>(button) && !tool) || (tool && tool->defaultAction()) || menuOnly ||
            !button->isVisibleTo(&window) || !button->isEnabled())
            continue;
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        buttons << button;
    }
    return buttons;
}

// The buttons that Enter did not press while they had the focus.
QStringList enterFaults(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return {"never active"};
    QStringList faults;
    QAbstractButton* pressed = nullptr;
    const auto buttons = pressableButtons(window);
    for (auto* button : buttons)
        QObject::connect(button, &QAbstractButton::clicked, [&pressed, button] { pressed = button; });
    for (auto* button : buttons) {
        pressed = nullptr;
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Return);
        if (pressed != button) faults << button->text();
    }
    return faults;
}

// What each edit box stores, in characters: a name 11, a Byte 3, a Word 5, a Long
// with its sign 11, a decimal 12 (ten digits, sign, point). Labels type fields in
// braces longer than their bytes: their counters and OK refuse what does not fit.
const std::pair<const char*, int> kBoxLengths[] = {
    {"(Register|Offset|Span|Poweron|\\w+key|Upper|Lower|Function\\d?)Edit(Box)?", 11},
    {"Reg\\d\\dEditBox|(countby|fullscale|overload|altCountby|altConvFact)EditBox", 12},
    {"(Station|EOP|PC\\d\\d|filter|displayUpdate|autoZero|ZTD|MDB|MDT|DispIntensity)EditBox", 3},
    {"ZTBEditBox|Timer\\dEdit", 5},
    {"Pass\\dEdit", 6},
    {"SetpointEditBox|FNoEdit", 2},
    {"InstrEdit", 10},
    {"Op\\dEdit", 12},
    {"CommentEdit", 29},
    {"L\\d\\dEditBox", 32767},
};

// The named boxes a person types into whose maximum length is not their field's.
QStringList lengthFaults(QWidget& window)
{
    QStringList faults;
    for (auto* box : window.findChildren<QLineEdit*>()) {
        if (box->objectName().isEmpty() || box->isReadOnly()) continue;
        int expected = -1;
        for (const auto& [pattern, length] : kBoxLengths) {
            const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern));
            if (whole.match(box->objectName()).hasMatch()) expected = length;
        }
        if (box->maxLength() != expected)
            faults << QString("%1 %2").arg(box->objectName()).arg(box->maxLength());
    }
    return faults;
}

}  // namespace

TEST(EveryWindow, HasItsOwnAltLettersAndEnterPressesTheFocusedButton)
{
    SetupDocument document;
    FakeSerialDriver driver;
    ComPort port{driver};
    ScriptedServices services;
    TMainForm main(document, port, services);
    // Twenty-four buttons and the twenty-three letters their names can give: the
    // second Help goes without (the tool bar's Help and F1 reach help as well).
    EXPECT_EQ(mnemonicFaults(main), QStringList{"no Alt-letter: Help"});
    ScreenshotContext context{document, document.setup(), port, services, &main};
    for (const auto& entry : screenshotEntries()) {
        SCOPED_TRACE(entry.className);
        std::unique_ptr<QWidget> window(entry.factory(context));
        EXPECT_EQ(mnemonicFaults(*window), QStringList{});
        EXPECT_EQ(enterFaults(*window), QStringList{});
        EXPECT_EQ(lengthFaults(*window), QStringList{});
    }
    EXPECT_EQ(enterFaults(main), QStringList{});
}
