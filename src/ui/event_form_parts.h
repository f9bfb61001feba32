#pragma once
// Pieces the keyboard, setpoint and timer dialogs share: name boxes, the name lists
// with their column stop, Enter on a list row, focus-in and leave handlers.

#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;
class QWidget;

namespace quelvar {

class TabStopListBox;

QLineEdit* nameBox(const char* objectName, int maxLength = 32767);

// Tab goes from each widget to the next one in the list.
void chainTabOrder(std::initializer_list<QWidget*> widgets);

// A list with one tab stop just past the longest of `names`, so the descriptions
// form one column.
TabStopListBox* nameList(const char* objectName, const std::vector<std::string_view>& names);
void fillList(QListWidget* list, const std::vector<std::string>& rows);

// The whole text selected, so typing replaces it.
void focusBox(QLineEdit* box);
std::string setupTextOf(const QLineEdit* box);

// `handler` runs when `widget` receives the focus.
void onFocusIn(QWidget* widget, std::function<void()> handler);
// `handler` runs when `box` loses the focus to another control of its window (not
// when the window itself loses it, as it does to a message box or when it closes).
void onLeave(QWidget* box, std::function<void()> handler);
// `handler` runs on Enter in `widget`; that Enter does not press the dialog's
// default button.
void onEnterKey(QWidget* widget, std::function<void()> handler);
// `handler` runs on a double-click on a row of `list` and on Enter in it once a row
// is chosen (moved to or clicked, not only current because the list took the focus);
// that Enter never presses the dialog's default button.
void onRowChosen(QListWidget* list, std::function<void()> handler);
// Removes the handlers above from every widget in `window`. A dialog calls it from
// its destructor: QWidget's destructor, which runs after it, can still move the focus.
void removeEventHandlers(QWidget* window);

}  // namespace quelvar
