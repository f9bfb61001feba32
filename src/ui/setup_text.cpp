#include "ui/setup_text.h"

namespace quelvar {

QString fromSetupText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toSetupText(const QString& text)
{
    return text.toLatin1().toStdString();
}

QString descriptionToMemo(const std::string& description)
{
    return fromSetupText(description).replace("\r\n", "\n");
}

std::string memoToDescription(const QString& memoText, const std::string& current)
{
    const bool bareLineFeeds =
        current.find('\n') != std::string::npos && current.find("\r\n") == std::string::npos;
    QString text = memoText;
    if (!bareLineFeeds) text.replace("\n", "\r\n");
    return toSetupText(text);
}

}  // namespace quelvar
