#pragma once
// Context help: each control carries a help context number (or a dialog a topic
// keyword), and F1 opens the topic of the control that has the focus.
//
//     setHelpContext(OpenButton, 3800);
//     setHelpTopic(this, "CfgScale");         // a dialog: F1 opens its Help topic
//     installContextHelp(this, services);     // binds F1 in this window

class QString;
class QWidget;

namespace quelvar {

class Services;

void setHelpContext(QWidget* widget, int number);
void setHelpTopic(QWidget* window, const QString& keyword);

// The help context of `widget` or of its nearest parent that has one; 0 when none.
int helpContextOf(const QWidget* widget);

// F1 in `window`: the focused control's context number, else the window's topic.
void installContextHelp(QWidget* window, Services& services);

}  // namespace quelvar
