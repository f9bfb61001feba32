#include "ui/latin1_text.h"

#include "model/setup_file.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

namespace quelvar {

QString fromSetupText(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toSetupText(const QString& text)
{
    return text.toLatin1().toStdString();
}

QStringList fromSetupTexts(std::span<const std::string_view> texts)
{
    QStringList list;
    for (std::string_view text : texts)
        list << fromSetupText(text);
    return list;
}

QString descriptionToMemo(const std::string& description)
{
    return fromSetupText(descriptionToMemoText(description));
}

std::string memoToDescription(const QString& memoText, const std::string& current)
{
    return memoTextToDescription(toSetupText(memoText), current);
}

namespace {

// The memo's text with its no-break spaces kept, lines ending in LF.
QString memoText(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    return text;
}

}  // namespace

void MemoText::show(QPlainTextEdit& memo, const std::string& text)
{
    if (text == m_text && memoText(memo) == m_shown) return;
    // The memo's change signal may read it back before it is done: it gets `text`.
    m_text = text;
    m_showing = true;
    memo.setPlainText(descriptionToMemo(m_text));
    m_showing = false;
    m_shown = memoText(memo);
}

std::string MemoText::read(const QPlainTextEdit& memo) const
{
    const QString text = memoText(memo);
    return m_showing || text == m_shown ? m_text : memoToDescription(text, m_text);
}

void MemoText::limit(QPlainTextEdit& memo, std::size_t maxLength)
{
    QObject::connect(memo.document(), &QTextDocument::contentsChange, &memo,
                     [this, &memo, maxLength](int position, int, int added) {
                         std::size_t length = read(memo).size();
                         if (added <= 0 || length <= maxLength) return;
                         const QString text = memoText(memo);
                         const std::size_t lineBreak = memoToDescription("\n", m_text).size();
                         // What was added may count the document's closing paragraph
                         // end, which the text does not hold.
                         const int inText =
                             std::clamp(int(text.size()) - position, 0, added);
                         int kept = inText;
                         while (kept > 0 && length > maxLength)
                             length -= text[position + --kept] == '\n' ? lineBreak : 1;
                         QTextCursor cursor(memo.document());
                         cursor.setPosition(position + kept);
                         cursor.setPosition(position + inText, QTextCursor::KeepAnchor);
                         cursor.joinPreviousEditBlock();
                         cursor.removeSelectedText();
                         cursor.endEditBlock();
                     });
}

}  // namespace quelvar
