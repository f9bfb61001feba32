#pragma once
// Paints the setup report's pages with one QPainter onto any paged device: the
// printer of the print preview, or a PDF. Positions come from the report in
// hundredths of a millimetre and are turned into device units here; type sizes are
// points, so they are the same on every device.
//
//     ReportPainter painter(pages);
//     painter.paint(printer);                      // false: painting could not start
//     ReportPainter::writePdf(pages, "/tmp/r.pdf", reason);

#include "printing/setup_report.h"

#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace quelvar {

// Letter, portrait, 12.7 mm margins.
void setReportPageLayout(QPagedPaintDevice& device);

class ReportPainter {
public:
    explicit ReportPainter(const std::vector<ReportPage>& pages) : m_pages(pages) {}

    // Paints every page, a new page before each after the first. False when the
    // device could not be opened for painting.
    bool paint(QPagedPaintDevice& device) const;

    // Writes the pages to a PDF file atomically: the file appears whole or not at
    // all. False with the reason when it could not be written.
    static bool writePdf(const std::vector<ReportPage>& pages, const QString& path,
                         QString& reason);

private:
    void paintLine(QPainter& painter, const PlacedLine& placed) const;

    const std::vector<ReportPage>& m_pages;
};

}  // namespace quelvar
