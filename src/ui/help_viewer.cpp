#include "ui/help_viewer.h"

#include "ui/help_topics.h"
#include "ui/screenshot_registry.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QListWidget>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

// The pages live in a static library: their resources must be pulled in by name.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace quelvar {

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window), contentsList(new QListWidget(this)),
      topicBrowser(new QTextBrowser(this))
{
    initHelpResources();
    setObjectName("HelpViewer");
    setWindowTitle("Quelvar Help");
    contentsList->setObjectName("contentsList");
    topicBrowser->setObjectName("topicBrowser");
    topicBrowser->setSearchPaths({":/help"});
    for (const auto& topic : helpTopics()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(topic.title), contentsList);
        item->setData(Qt::UserRole, QString::fromLatin1(topic.keyword));
    }
    contentsList->setMaximumWidth(contentsList->sizeHintForColumn(0) + 24);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(contentsList);
    layout->addWidget(topicBrowser, 1);
    resize(760, 520);

    connect(contentsList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { loadTopic(item->data(Qt::UserRole).toString()); });
    connect(contentsList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { loadTopic(item->data(Qt::UserRole).toString()); });
    auto* closeKey = new QShortcut(QKeySequence::Cancel, this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    connect(topicBrowser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { m_topic = url.fileName().section('.', 0, 0); });
}

QRect placeOver(QSize wanted, const QRect& owner, const QRect& available)
{
    const QSize size = wanted.boundedTo(available.size() * 0.9);
    QRect placed(QPoint(), size);
    placed.moveCenter(owner.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() - size.width() + 1));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() - size.height() + 1));
    return placed;
}

// On the screen of the window it was asked from, frame and all (a window not shown
// yet has no frame: a title bar is counted for it).
void HelpViewer::placeOverOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen) return;
    QSize frame = frameGeometry().size() - size();
    if (frame.isNull()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect available = screen->availableGeometry();
    const QRect placed =
        placeOver(size() + frame, owner ? owner->frameGeometry() : available, available);
    resize(placed.size() - frame);
    move(placed.topLeft());
}

void HelpViewer::showTopic(const QString& keyword)
{
    loadTopic(keyword);
    if (!isVisible()) placeOverOwner();
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContext(int number)
{
    showTopic(helpTopicForContext(number));
}

void HelpViewer::loadTopic(const QString& keyword)
{
    const bool known = isHelpTopic(keyword);
    topicBrowser->setSource(QUrl("qrc:/help/" + (known ? keyword : QString("index")) + ".html"));
    if (!known)
        topicBrowser->insertHtml(QString("<p><i>There is no help topic named \"%1\".</i></p>")
                                     .arg(keyword.toHtmlEscaped()));
    for (int i = 0; i < contentsList->count(); ++i)
        if (contentsList->item(i)->data(Qt::UserRole).toString() == m_topic)
            contentsList->setCurrentRow(i);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(HelpViewer, [](quelvar::ScreenshotContext& c) {
    auto* viewer = new quelvar::HelpViewer(c.owner);
    viewer->showTopic("contents");
    return viewer;
})
