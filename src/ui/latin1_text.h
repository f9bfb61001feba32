#pragma once
// Texts of the setup are single-byte: a character outside Latin-1 typed into a box
// is stored as '?'. Use these wherever a widget's text becomes setup text.

#include <QString>
#include <QStringList>
#include <span>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace quelvar {

QString fromSetupText(std::string_view text);
std::string toSetupText(const QString& text);
// A list's texts (load cells, baud rates) for a combo box.
QStringList fromSetupTexts(std::span<const std::string_view> texts);

// The description memo shows line breaks as plain newlines; the description keeps
// the line breaks its file had (CR LF unless it holds bare LF breaks), so opening
// a file and leaving the memo alone never counts as a change.
QString descriptionToMemo(const std::string& description);
std::string memoToDescription(const QString& memoText, const std::string& current);

// Setup text in a memo. The memo itself turns a lone CR into a line break and a
// no-break space into a blank, so what it shows is remembered: until the text is
// edited, reading the memo gives back exactly the bytes that were shown.
class MemoText {
public:
    void show(QPlainTextEdit& memo, const std::string& text);
    std::string read(const QPlainTextEdit& memo) const;
    // From now on the memo refuses what would make its text longer than
    // `maxLength` bytes (a line break may take two): the end of what was typed or
    // pasted goes, the rest stays. `memo` outlives this object.
    void limit(QPlainTextEdit& memo, std::size_t maxLength);

private:
    std::string m_text;  // the setup text last shown
    QString m_shown;     // the memo's text right after it was shown
    bool m_showing = false;
};

}  // namespace quelvar
