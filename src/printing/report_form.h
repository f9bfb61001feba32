#pragma once
// The setup report form: builds the report of the setup in memory and shows its
// pages in the print preview, from which the user prints them or exports them as a
// PDF ("Export PDF..." on the preview's tool bar). The pages are laid out for the
// paper and orientation chosen in the preview, again whenever they change; the
// tool bar's paper list offers Letter, A4 and Legal even where no printer is set up.
//
//     TReportForm report(document.setup(), document.fileName(), todayShortDate(),
//                        services, this);
//     report.exec();

#include "model/setup.h"
#include "printing/report_pages.h"

#include <QPrintPreviewDialog>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QPrinter;

namespace quelvar {

class Services;

class TReportForm : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // The report is built here, once: what the preview, the printer and the PDF
    // show is the setup as it was when the form was created.
    TReportForm(Setup& setup, const std::string& fileName, const std::string& date,
                Services& services, QWidget* owner = nullptr);

    // The pages for the paper the preview shows now.
    std::vector<ReportPage> pages();

    QAction* ExportPdfAction;
    QComboBox* PaperComboBox;

    void ExportPdfActionTriggered();
    void PaperComboBoxChange();

private:
    void addToolBarItems();
    void paintRequested(QPrinter* printer);

    Services& m_services;
    SetupReport m_report;
};

}  // namespace quelvar
