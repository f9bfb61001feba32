#pragma once
// The help window: the built-in pages in a browser with a contents list beside it.
// One window serves the whole run; showing a topic raises it.

#include <QRect>
#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace quelvar {

// Where a window of `wanted` size opens over `owner` (its frame): centred on it,
// at most 90 % of the `available` screen area each way, and wholly inside it.
QRect placeOver(QSize wanted, const QRect& owner, const QRect& available);

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner = nullptr);

    // Shows the page of `keyword`; an unknown keyword shows the index with a note.
    void showTopic(const QString& keyword);
    void showContext(int number);
    QString currentTopic() const { return m_topic; }

private:
    void loadTopic(const QString& keyword);
    void placeOverOwner();

    QListWidget* contentsList;
    QTextBrowser* topicBrowser;
    QString m_topic;
};

}  // namespace quelvar
