// The setup report as a PDF, painted as the editor paints it; built only with the
// editor, since it needs Qt.

#include "cli/cli.h"

#include "printing/report_painter.h"

#include <QGuiApplication>
#include <memory>

namespace quelvar::cli {

bool writeReportPdf(const SetupReport& report, ReportPaper paper, ReportOrientation orientation,
                    const std::string& path, std::string& reason)
{
    // Fonts need an application object; no display is needed for a PDF.
    static int argc = 3;
    static char* argv[] = {const_cast<char*>("quelvar-cli"), const_cast<char*>("-platform"),
                           const_cast<char*>("offscreen"), nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) application = std::make_unique<QGuiApplication>(argc, argv);
    QString why;
    const bool written = ReportPainter::writePdf(report, reportPageLayout(paper, orientation),
                                                 QString::fromLocal8Bit(path), why);
    reason = why.toLocal8Bit().toStdString();
    return written;
}

}  // namespace quelvar::cli
