#pragma once
// Typing as a person does: keys go to the open completion popup when there is
// one (as the window system delivers them), else to the widget with the focus.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quelvar {

inline QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    // The offscreen platform activates a completion popup like a window and leaves
    // it active once closed; a window system keeps the dialog active throughout.
    QWidget* focused = QApplication::focusWidget();
    QWidget* active = QApplication::activeWindow();
    if (focused && active && !active->isVisible()) {
        QApplication::setActiveWindow(focused->window());
        focused->setFocus();
    }
    return focused;
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

inline void typeText(const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(keyTarget(), c.toLatin1());
}

// Clicks `widget` at `pos` (its centre by default) as the window system delivers
// the click: while a popup is open, the press goes to the popup.
inline void click(QWidget* widget, QPoint pos = {})
{
    if (pos.isNull()) pos = widget->rect().center();
    if (QWidget* popup = QApplication::activePopupWidget())
        QTest::mousePress(popup, Qt::LeftButton, {},
                          popup->mapFromGlobal(widget->mapToGlobal(pos)));
    else
        QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// Puts the focus into `box` as Tab would (selecting its text) and types `text`.
inline void typeInto(QLineEdit* box, const QString& text)
{
    if (box->hasFocus())
        box->selectAll();
    else
        box->setFocus(Qt::TabFocusReason);
    typeText(text);
}

// Types the fields of one listing line into the editor's five boxes, starting in
// the instruction box, and presses Enter.
inline void typeLine(const QStringList& fields)
{
    for (int i = 0; i < 5; ++i) {
        if (i < fields.size() && !fields[i].isEmpty())
            typeText(fields[i]);
        else
            pressKey(Qt::Key_Delete);  // clears the selected text of the box
        if (i < 4) pressKey(Qt::Key_Tab);
    }
    pressKey(Qt::Key_Return);
}

inline void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    // A dialog counts as active while its owner is; the keys go to the one that
    // has become the application's active window.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
}

// Runs `inDialog` on the modal dialog of type D that opens next (in the event loop
// of its exec), then closes it with Cancel if `inDialog` left it open. `owner`
// owns the wait.
template <typename D> void whenDialogOpens(QObject* owner, std::function<void(D&)> inDialog)
{
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [poll, inDialog] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        showActive(*dialog);
        inDialog(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    poll->start(0);
}

}  // namespace quelvar
