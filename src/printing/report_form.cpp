#include "printing/report_form.h"

#include "printing/report_painter.h"
#include "ui/context_help.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalBlocker>
#include <QToolBar>
#include <algorithm>

namespace quelvar {

namespace {

constexpr std::pair<ReportPaper, const char*> kPapers[] = {
    {ReportPaper::Letter, "Letter"}, {ReportPaper::A4, "A4"}, {ReportPaper::Legal, "Legal"}};

// The paper list's entry for the printer's paper, -1 for another paper.
int paperIndex(const QPageLayout& layout)
{
    for (int i = 0; i < static_cast<int>(std::size(kPapers)); ++i)
        if (layout.pageSize().isEquivalentTo(reportPageLayout(kPapers[i].first).pageSize()))
            return i;
    return -1;
}

}  // namespace

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
    addToolBarItems();
    setHelpTopic(this, "Print");
    installContextHelp(this, m_services);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &TReportForm::paintRequested);
}

void TReportForm::addToolBarItems()
{
    ExportPdfAction = new QAction("Export PDF...", this);
    ExportPdfAction->setObjectName("ExportPdfAction");
    ExportPdfAction->setIconText("&Export PDF");  // the tool bar's caption, with Alt+E
    ExportPdfAction->setToolTip("Save the report as a PDF file");
    PaperComboBox = new QComboBox;
    PaperComboBox->setObjectName("PaperComboBox");
    PaperComboBox->setToolTip("Paper");
    for (const auto& [paper, name] : kPapers)
        PaperComboBox->addItem(name);
    if (auto* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        auto* paperLabel = new QLabel("&Paper ");
        paperLabel->setBuddy(PaperComboBox);
        toolBar->addWidget(paperLabel);
        toolBar->addWidget(PaperComboBox);
        toolBar->addAction(ExportPdfAction);
        // Wide enough that no tool hides behind the tool bar's overflow button.
        resize(std::max(width(), toolBar->sizeHint().width() + 24), std::max(height(), 600));
    }
    connect(ExportPdfAction, &QAction::triggered, this, &TReportForm::ExportPdfActionTriggered);
    connect(PaperComboBox, &QComboBox::currentIndexChanged, this,
            &TReportForm::PaperComboBoxChange);
}

// The chosen paper, turned as the preview has it, with the report's margins.
void TReportForm::PaperComboBoxChange()
{
    const ReportPaper paper = kPapers[PaperComboBox->currentIndex()].first;
    const bool landscape = printer()->pageLayout().orientation() == QPageLayout::Landscape;
    printer()->setPageLayout(reportPageLayout(paper, landscape ? ReportOrientation::Landscape
                                                               : ReportOrientation::Portrait));
    if (auto* preview = findChild<QPrintPreviewWidget*>()) preview->updatePreview();
}

std::vector<ReportPage> TReportForm::pages()
{
    return paginateReport(m_report, reportLayoutOf(printer()->pageLayout()));
}

// The preview (on every change of paper or orientation) and the printer both come
// here. A printer that cannot start (no printer, an output file that cannot be
// written) is reported, never ignored.
void TReportForm::paintRequested(QPrinter* printer)
{
    {
        // The printer's own page setup may have chosen the paper.
        const QSignalBlocker quiet(PaperComboBox);
        PaperComboBox->setCurrentIndex(paperIndex(printer->pageLayout()));
    }
    if (ReportPainter(m_report).paint(*printer)) return;
    const QString file = printer->outputFileName();
    m_services.error("The report could not be printed",
                     file.isEmpty() ? QString() : QString("Cannot write %1").arg(file));
}

void TReportForm::ExportPdfActionTriggered()
{
    const QString name = QString::fromStdString(m_report.fileName);
    const auto path =
        m_services.choosePdfFile(name.isEmpty() ? QString("Setup File Report.pdf")
                                                : QFileInfo(name).completeBaseName() + ".pdf");
    if (!path) return;
    QString reason;
    if (!ReportPainter::writePdf(m_report, printer()->pageLayout(), *path, reason))
        m_services.error(QString("The report could not be written to %1").arg(*path), reason);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TReportForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TReportForm(c.setup, {}, "12/6/26", c.services, c.owner);
})
