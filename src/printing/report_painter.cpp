#include "printing/report_painter.h"

#include "ui/latin1_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace quelvar {

namespace {

constexpr double kHundredthsPerInch = 2540.0;

QFont reportFont(ReportFont role)
{
    // Liberation Sans and Mono have the metrics of Arial and Courier New.
    QFont font(role == ReportFont::Mono ? "Liberation Mono" : "Liberation Sans");
    font.setStyleHint(role == ReportFont::Mono ? QFont::Monospace : QFont::SansSerif);
    switch (role) {
    case ReportFont::Title: font.setPointSizeF(14); break;
    case ReportFont::PageNumber: font.setPointSizeF(18); break;
    case ReportFont::Body: font.setPointSizeF(10); break;
    case ReportFont::Small: font.setPointSizeF(8); break;
    case ReportFont::Mono: font.setPointSizeF(9.75); break;
    }
    return font;
}

}  // namespace

void setReportPageLayout(QPagedPaintDevice& device)
{
    const double margin = kReportMargin / 100.0;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(margin, margin, margin, margin),
                                     QPageLayout::Millimeter));
}

bool ReportPainter::paint(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (i > 0) device.newPage();
        for (const PlacedLine& placed : m_pages[i].lines)
            paintLine(painter, placed);
    }
    return painter.end();
}

// Each text sits on the line's baseline (the font's descent above the line's
// bottom) and is cut with an ellipsis where it would run into the next column.
void ReportPainter::paintLine(QPainter& painter, const PlacedLine& placed) const
{
    const ReportLine& line = placed.line;
    if (line.cells.empty()) return;
    QPaintDevice* device = painter.device();
    const double scale = device->logicalDpiY() / kHundredthsPerInch;
    const double scaleX = device->logicalDpiX() / kHundredthsPerInch;
    const QFont font(reportFont(line.font), device);
    const QFontMetricsF metrics(font, device);
    painter.setFont(font);
    const double baseline = (placed.y + line.height) * scale - metrics.descent();
    for (const ReportCell& cell : line.cells) {
        const QString text =
            metrics.elidedText(fromSetupText(cell.text), Qt::ElideRight, cell.width * scaleX);
        painter.drawText(QPointF(cell.x * scaleX, baseline), text);
    }
}

bool ReportPainter::writePdf(const std::vector<ReportPage>& pages, const QString& path,
                             QString& reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle("Setup File Report");
        writer.setCreator("Quelvar 2");
        setReportPageLayout(writer);
        if (!ReportPainter(pages).paint(writer)) {
            file.cancelWriting();
            reason = file.errorString().isEmpty() ? QString("cannot paint the report")
                                                  : file.errorString();
            return false;
        }
    }
    if (file.commit()) return true;
    reason = file.errorString();
    return false;
}

}  // namespace quelvar
