#include "app/screenshots.h"

#include "ui/screenshot_registry.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <memory>

namespace quelvar {

namespace {

bool saveWindow(QWidget& window, const QString& path)
{
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
    window.hide();
    return saved;
}

}  // namespace

QStringList renderScreenshots(const QString& folder, QWidget& mainWindow,
                              ScreenshotContext& context, QStringList& failures)
{
    QStringList written;
    QDir dir(folder);
    if (!dir.mkpath(".")) {
        failures << QString("cannot create the folder %1").arg(folder);
        return written;
    }
    auto save = [&](QWidget& window, const QString& name) {
        const QString path = dir.filePath(name + ".png");
        if (saveWindow(window, path))
            written << path;
        else
            failures << QString("cannot write %1").arg(path);
    };
    // The pointer stays off the windows, so no button is drawn as hovered.
    QCursor::setPos(-1000, -1000);
    save(mainWindow, "main-window");
    mainWindow.show();
    for (const auto& entry : screenshotEntries()) {
        std::unique_ptr<QWidget> dialog(entry.factory(context));
        if (dialog)
            save(*dialog, QString::fromLatin1(entry.className));
        else
            failures << QString("%1 was not built").arg(entry.className);
    }
    mainWindow.hide();
    return written;
}

}  // namespace quelvar
