#pragma once
// The help pages built into the program: one per topic keyword the dialogs open,
// plus "index" and "contents". Context numbers of the main window's controls map to
// the topic that explains the control.

#include <QString>
#include <span>

namespace quelvar {

struct HelpTopic {
    const char* keyword;  // "CfgScale"; the page is :/help/<keyword>.html
    const char* title;    // shown in the contents list
};

std::span<const HelpTopic> helpTopics();
bool isHelpTopic(const QString& keyword);
// The topic for a help context number; "index" for a number nobody uses.
QString helpTopicForContext(int number);

}  // namespace quelvar
