#include "printing/report_painter.h"

#include "model/file_io.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace quelvar {

namespace {

constexpr double kHundredthsPerInch = 2540.0;

}  // namespace

QFont reportQFont(ReportFont role)
{
    const ReportFontSpec face = reportFontSpec(role);
    QFont font(QString::fromUtf8(face.family.data(), static_cast<qsizetype>(face.family.size())));
    font.setStyleHint(role == ReportFont::Mono ? QFont::Monospace : QFont::SansSerif);
    font.setPointSizeF(face.points);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPageLayout reportPageLayout(ReportPaper paper, ReportOrientation orientation)
{
    const QPageSize::PageSizeId size = paper == ReportPaper::A4      ? QPageSize::A4
                                       : paper == ReportPaper::Legal ? QPageSize::Legal
                                                                     : QPageSize::Letter;
    const double margin = kReportMargin / 100.0;
    return QPageLayout(QPageSize(size),
                       orientation == ReportOrientation::Landscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

ReportLayout reportLayoutOf(const QPageLayout& layout)
{
    const QRectF room = layout.paintRect(QPageLayout::Millimeter);
    return {static_cast<int>(room.width() * 100), static_cast<int>(room.height() * 100)};
}

bool ReportPainter::paint(QPagedPaintDevice& device) const
{
    const auto pages = paginateReport(m_report, reportLayoutOf(device.pageLayout()));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) device.newPage();
        for (const PlacedLine& placed : pages[i].lines)
            paintLine(painter, placed);
    }
    return painter.end();
}

// Each text sits on the line's baseline, the font's descent above the line's bottom.
void ReportPainter::paintLine(QPainter& painter, const PlacedLine& placed)
{
    const ReportLine& line = placed.line;
    if (line.cells.empty()) return;
    QPaintDevice* device = painter.device();
    const double scaleY = device->logicalDpiY() / kHundredthsPerInch;
    const double scaleX = device->logicalDpiX() / kHundredthsPerInch;
    const QFont font(reportQFont(line.font), device);
    painter.setFont(font);
    const double baseline =
        (placed.y + line.height) * scaleY - QFontMetricsF(font, device).descent();
    for (const ReportCell& cell : line.cells)
        painter.drawText(QPointF(cell.x * scaleX, baseline), QString::fromStdString(cell.text));
}

bool ReportPainter::writePdf(const SetupReport& report, const QPageLayout& layout,
                             const QString& path, QString& reason)
{
    // Painted in memory, then written as every save is (a device or FIFO written through).
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle("Setup File Report");
        writer.setCreator("Quelvar 2");
        writer.setPageLayout(layout);
        if (!ReportPainter(report).paint(writer)) {
            reason = "cannot paint the report";
            return false;
        }
    }
    const FileWriteResult written = writeFileAtomically(
        path.toLocal8Bit().toStdString(), std::string_view(pdf.constData(), std::size_t(pdf.size())));
    reason = QString::fromStdString(written.reason);
    return written.ok();
}

}  // namespace quelvar
