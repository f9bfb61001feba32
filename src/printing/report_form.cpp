#include "printing/report_form.h"

#include "printing/report_painter.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QToolBar>

namespace quelvar {

TReportForm::TReportForm(Setup& setup, const std::string& fileName, const std::string& date,
                         Services& services, QWidget* owner)
    : QPrintPreviewDialog(owner), m_services(services),
      m_report(buildSetupReport(setup, fileName, date))
{
    setObjectName("TReportForm");
    setWindowTitle(m_report.fileName.empty()
                       ? QString("Setup File Report")
                       : "Setup File Report: " + QString::fromStdString(m_report.fileName));
    printer()->setDocName("Setup File Report");
    printer()->setPageLayout(reportPageLayout());
    ExportPdfAction = new QAction("Export PDF...", this);
    ExportPdfAction->setObjectName("ExportPdfAction");
    ExportPdfAction->setToolTip("Save the report as a PDF file");
    if (auto* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        toolBar->addAction(ExportPdfAction);
    }
    connect(ExportPdfAction, &QAction::triggered, this, &TReportForm::ExportPdfActionTriggered);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &TReportForm::paintRequested);
}

std::vector<ReportPage> TReportForm::pages()
{
    return paginateReport(m_report, reportLayoutOf(printer()->pageLayout()));
}

// The preview (on every change of paper or orientation) and the printer both come
// here. A printer that cannot start (no
// printer, an output file that cannot be written) is reported, never ignored.
void TReportForm::paintRequested(QPrinter* printer)
{
    if (ReportPainter(m_report).paint(*printer)) return;
    const QString file = printer->outputFileName();
    m_services.error("The report could not be printed",
                     file.isEmpty() ? QString() : QString("Cannot write %1").arg(file));
}

void TReportForm::ExportPdfActionTriggered()
{
    const QString name = QString::fromStdString(m_report.fileName);
    const auto path = m_services.choosePdfFile(
        name.isEmpty() ? QString("Setup File Report.pdf") : QFileInfo(name).completeBaseName() + ".pdf");
    if (!path) return;
    QString reason;
    if (!ReportPainter::writePdf(m_report, printer()->pageLayout(), *path, reason))
        m_services.error(QString("The report could not be written to %1").arg(*path), reason);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TReportForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TReportForm(c.setup, {}, "12/6/26", c.services, c.owner);
})
