#pragma once
// `quelvar --screenshots DIR`: the main window as main-window.png and every
// registered dialog as <ClassName>.png, each in its factory state.

#include <QString>
#include <QStringList>

class QWidget;

namespace quelvar {

struct ScreenshotContext;

// Renders into `folder` (created when missing); returns the files written, and
// puts a line for each failure into `failures`.
QStringList renderScreenshots(const QString& folder, QWidget& mainWindow,
                              ScreenshotContext& context, QStringList& failures);

}  // namespace quelvar
