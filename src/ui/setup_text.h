#pragma once
// Texts of the setup are single-byte: a character outside Latin-1 typed into a box
// is stored as '?'. Use these wherever a widget's text becomes setup text.

#include <QString>
#include <string>

namespace quelvar {

QString fromSetupText(const std::string& text);
std::string toSetupText(const QString& text);

// The description memo shows line breaks as plain newlines; the description keeps
// the line breaks its file had (CR LF unless it holds bare LF breaks), so opening
// a file and leaving the memo alone never counts as a change.
QString descriptionToMemo(const std::string& description);
std::string memoToDescription(const QString& memoText, const std::string& current);

}  // namespace quelvar
