#include "ui/help_viewer.h"

#include "ui/help_topics.h"
#include "ui/screenshot_registry.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

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

void HelpViewer::showTopic(const QString& keyword)
{
    loadTopic(keyword);
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
