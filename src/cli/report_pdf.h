#pragma once
// The entry of the PDF painter module (report_pdf.cpp), which quelvar-cli loads only
// for `report --pdf`: the one place its signature is written.

#include "printing/report_pages.h"

#include <string>

// Writes the report as a PDF on that paper, atomically; false with the reason when it
// could not.
extern "C" bool quelvarWriteReportPdf(const quelvar::SetupReport& report,
                                      quelvar::ReportPaper paper,
                                      quelvar::ReportOrientation orientation,
                                      const std::string& path, std::string& reason);

namespace quelvar::cli {
inline constexpr const char* kReportPdfModule = "quelvar-report-pdf.so";
inline constexpr const char* kReportPdfEntry = "quelvarWriteReportPdf";
}  // namespace quelvar::cli
