#pragma once
// Typing as a person does: keys go to the open completion popup when there is
// one (as the window system delivers them), else to the widget with the focus.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quelvar {

inline QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::focusWidget();
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

inline void typeText(const QString& text)
{
    for (QChar c : text) QTest::keyClick(keyTarget(), c.toLatin1());
}

// Puts the focus into `box` as Tab would (selecting its text) and types `text`.
inline void typeInto(QLineEdit* box, const QString& text)
{
    if (box->hasFocus()) box->selectAll();
    else box->setFocus(Qt::TabFocusReason);
    typeText(text);
}

// Types the fields of one listing line into the editor's five boxes, starting in
// the instruction box, and presses Enter.
inline void typeLine(const QStringList& fields)
{
    for (int i = 0; i < 5; ++i) {
        if (i < fields.size() && !fields[i].isEmpty()) typeText(fields[i]);
        else pressKey(Qt::Key_Delete);  // clears the selected text of the box
        if (i < 4) pressKey(Qt::Key_Tab);
    }
    pressKey(Qt::Key_Return);
}

inline void showActive(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace quelvar
