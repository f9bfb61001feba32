#pragma once
// The setup report as data: the title and every line of the five sections with
// their cells, and the pages those lines fall on. Every length is in whole
// hundredths of a millimetre, so the page breaks are the same on screen, in a PDF
// and on paper; the painter only draws what is here.
//
//     SetupReport report = buildSetupReport(setup, document.fileName(), todayShortDate());
//     std::vector<ReportPage> pages = paginateReport(report);
//     std::string text = reportText(pages);   // quelvar-cli report --text

#include "model/setup.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

// Letter paper, portrait, 12.7 mm margins; x is measured from the left margin and
// y from the top margin.
inline constexpr int kReportPageWidth = 21590;
inline constexpr int kReportPageHeight = 27940;
inline constexpr int kReportMargin = 1270;
inline constexpr int kReportBodyWidth = kReportPageWidth - 2 * kReportMargin;
inline constexpr int kReportBodyHeight = kReportPageHeight - 2 * kReportMargin;
inline constexpr int kReportHeaderHeight = 595;

// Liberation Sans in 14, 18, 10 and 8 points; Liberation Mono in 9.75 points.
enum class ReportFont { Title, PageNumber, Body, Small, Mono };

// The text block of the last section is set in a fixed-pitch font: one character
// is this wide, and a line holds as many as fit the block's 190.7 mm.
inline constexpr int kReportMonoAdvance = 207;
inline constexpr int kReportMonoLineHeight = 390;
inline constexpr int kReportTextBlockWidth = 19070;

struct ReportCell {
    int x = 0;      // where the text starts
    int width = 0;  // room up to the next cell (or the page's edge): longer texts are cut
    std::string text;
    bool operator==(const ReportCell&) const = default;
};

struct ReportLine {
    int section = 0;  // 1-5; 0 for the page header
    int height = 0;
    ReportFont font = ReportFont::Body;
    std::vector<ReportCell> cells;  // the columns the line prints, left to right
};

struct SetupReport {
    std::string title;  // "Setup File Report: NAME    DATE"
    std::vector<ReportLine> lines;
};

// Listing the used functions sets each one's guard byte, as the configuration
// display does, so the setup may count as changed afterwards. `fileName` is the
// current file name (its folder is left out).
SetupReport buildSetupReport(Setup& setup, std::string_view fileName, std::string_view date);

struct PlacedLine {
    int y = 0;
    ReportLine line;
};

struct ReportPage {
    int number = 0;
    std::vector<PlacedLine> lines;  // the header's title and page number first, both at y 0
};

// Lines go down the page after the header until the next one would pass the bottom
// margin; then a new page starts with its own header.
std::vector<ReportPage> paginateReport(const SetupReport& report);

// The pages as text: one line per report line, its cells joined by TAB (the title
// and the page number on one line), a form feed line between pages.
std::string reportText(const std::vector<ReportPage>& pages);

// Today in the system's short date format.
std::string todayShortDate();

}  // namespace quelvar
