#pragma once
// Paints the setup report with one QPainter onto any paged device: the printer of
// the print preview, or a PDF. The pages are laid out for the device's paper by
// the report core; positions come in hundredths of a millimetre and are turned
// into device units here, type sizes are points.
//
//     ReportPainter painter(report);
//     painter.paint(printer);                      // false: painting could not start
//     ReportPainter::writePdf(report, reportPageLayout(ReportPaper::A4,
//                             ReportOrientation::Landscape), "/tmp/r.pdf", reason);

#include "printing/report_pages.h"

#include <QPageLayout>
#include <QString>

class QFont;
class QPagedPaintDevice;
class QPainter;

namespace quelvar {

// The paper with the report's 12.7 mm margins.
QPageLayout reportPageLayout(ReportPaper paper = ReportPaper::Letter,
                             ReportOrientation orientation = ReportOrientation::Portrait);
// The room inside the layout's margins, for the report core.
ReportLayout reportLayoutOf(const QPageLayout& layout);
// The font a text of the report is drawn in: the family, size and spacing its
// widths were measured with.
QFont reportQFont(ReportFont role);

class ReportPainter {
public:
    explicit ReportPainter(const SetupReport& report) : m_report(report) {}

    // Lays out the pages for the device's paper and paints them, a new page before
    // each after the first. False when the device could not be opened for painting.
    bool paint(QPagedPaintDevice& device) const;

    // Writes the pages to a PDF file atomically: the file appears whole or not at
    // all. False with the reason when it could not be written.
    static bool writePdf(const SetupReport& report, const QPageLayout& layout, const QString& path,
                         QString& reason);

private:
    static void paintLine(QPainter& painter, const PlacedLine& placed);

    const SetupReport& m_report;
};

}  // namespace quelvar
