#pragma once
// The setup report form: builds the report of the setup in memory and shows its
// pages in the print preview, from which the user prints them or exports them as a
// PDF ("Export PDF..." on the preview's tool bar).
//
//     TReportForm report(document.setup(), document.fileName(), todayShortDate(),
//                        services, this);
//     report.exec();

#include "model/setup.h"
#include "printing/setup_report.h"

#include <QPrintPreviewDialog>
#include <string>
#include <vector>

class QAction;
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

    const std::vector<ReportPage>& pages() const { return m_pages; }

    QAction* ExportPdfAction;

    void ExportPdfActionTriggered();

private:
    void paintRequested(QPrinter* printer);

    Services& m_services;
    std::vector<ReportPage> m_pages;
};

}  // namespace quelvar
