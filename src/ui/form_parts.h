#pragma once
// Pieces the parameter dialogs are built from: named controls, labels that are
// their boxes' buddies, and the row of buttons at the foot of a dialog.

#include <QString>
#include <initializer_list>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quelvar {

// OK, Cancel and Help carry the same Alt-letters in every dialog.
inline constexpr const char* kOkCaption = "&OK";
inline constexpr const char* kCancelCaption = "&Cancel";
inline constexpr const char* kHelpCaption = "&Help";

QPushButton* formButton(const char* name, const QString& caption);
// `widthChars` average characters wide.
QLineEdit* formEditBox(const char* name, int widthChars);
QLabel* buddyLabel(const QString& text, QWidget* buddy);
// A heading over a group of settings.
QLabel* headingLabel(const QString& text);
// The buttons right-aligned; the first is the default button (Enter), so Enter
// in a box confirms the dialog.
QBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

}  // namespace quelvar
