#include "printing/report_form.h"

#include "printing/report_painter.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QAction>
#include <QPrinter>
#include <QToolBar>

namespace quelvar {

TReportForm::TReportForm(Setup& setup, const std::string& fileName, const std::string& date,
                         Services& services, QWidget* owner)
    : QPrintPreviewDialog(owner), m_services(services),
      m_pages(paginateReport(buildSetupReport(setup, fileName, date)))
{
    setObjectName("TReportForm");
    setWindowTitle("Setup File Report");
    printer()->setDocName("Setup File Report");
    setReportPageLayout(*printer());
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

// The preview and the printer both come here. A printer that cannot start (no
// printer, an output file that cannot be written) is reported, never ignored.
void TReportForm::paintRequested(QPrinter* printer)
{
    if (ReportPainter(m_pages).paint(*printer)) return;
    const QString file = printer->outputFileName();
    m_services.error("The report could not be printed",
                     file.isEmpty() ? QString() : QString("Cannot write %1").arg(file));
}

void TReportForm::ExportPdfActionTriggered()
{
    const auto path = m_services.choosePdfFile("Setup File Report.pdf");
    if (!path) return;
    QString reason;
    if (!ReportPainter::writePdf(m_pages, *path, reason))
        m_services.error(QString("The report could not be written to %1").arg(*path), reason);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TReportForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TReportForm(c.setup, {}, "12/6/26", c.services, c.owner);
})
