// quelvar-report-pdf: the module that paints the setup report into a PDF, as the
// editor paints it. quelvar-cli loads it only for `report --pdf`, so no other
// command loads Qt.

#include "cli/report_pdf.h"

#include "printing/report_painter.h"

#include <QGuiApplication>
#include <memory>

bool quelvarWriteReportPdf(const quelvar::SetupReport& report, quelvar::ReportPaper paper,
                           quelvar::ReportOrientation orientation, const std::string& path,
                           std::string& reason)
{
    // Fonts need an application object; no display is needed for a PDF.
    static int argc = 3;
    static char* argv[] = {const_cast<char*>("quelvar-cli"), const_cast<char*>("-platform"),
                           const_cast<char*>("offscreen"), nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) application = std::make_unique<QGuiApplication>(argc, argv);
    QString why;
    const bool written = quelvar::ReportPainter::writePdf(
        report, quelvar::reportPageLayout(paper, orientation), QString::fromLocal8Bit(path), why);
    reason = why.toLocal8Bit().toStdString();
    return written;
}
