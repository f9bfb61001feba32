// Every window the program shows (the main window, and each one the screenshot
// registry holds): every button and labelled box has an Alt-letter of its own, and
// Enter on a focused button presses that button, not the default one.

#include "app/main_form.h"
#include "mnemonics.h"
#include "model/setup_document.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "serial/fake_serial_driver.h"
#include "ui/screenshot_registry.h"

#include <QAbstractButton>
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
    }
    EXPECT_EQ(enterFaults(main), QStringList{});
}
