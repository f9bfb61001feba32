#pragma once
// The setup report as data: the title and every line of the five sections with
// their cells, in order, before they are laid out on paper (report_pages.h does
// that for a given paper). Lengths are whole hundredths of a millimetre and texts
// are UTF-8, so the report is the same on screen, in a PDF, on paper and as text.
//
//     SetupReport report = buildSetupReport(setup, document.fileName(), todayShortDate());
//     auto pages = paginateReport(report, layout);   // report_pages.h

#include "model/setup.h"
#include "printing/report_fonts.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

inline constexpr int kReportMargin = 1270;
inline constexpr int kReportHeaderHeight = 595;

struct ReportCell {
    int x = 0;  // where the text starts, from the left margin
    std::string text;
    bool operator==(const ReportCell&) const = default;
};

enum class LineKind {
    Row,      // a table line: a text too long for its column wraps within the column
    Heading,  // a title or column heading: kept whole on its line, pushing the
              // next heading right where it must; repeated atop a page its block
              // goes on to, the first with " (continued)"
    Text,     // a line of the text block: wrapped at blanks to the block's width
};

struct ReportLine {
    int section = 0;  // 1-5; 0 for the page header
    int height = 0;
    ReportFont font = ReportFont::Body;
    std::vector<ReportCell> cells;  // the columns the line prints, left to right
    LineKind kind = LineKind::Row;
    int block = 0;  // lines of one block (a page format, a function's dump or
                    // listing) share a number and keep to one page when they fit
};

struct SetupReport {
    std::string fileName;  // the setup file's name without its folder; empty for none
    std::string title;     // "Setup File Report: NAME    DATE"
    std::vector<ReportLine> lines;
};

// Listing the used functions sets each one's guard byte, as the configuration
// display does, so the setup may count as changed afterwards. `fileName` is the
// current file name as the file system spells it (UTF-8); its folder is left out.
SetupReport buildSetupReport(Setup& setup, std::string_view fileName, std::string_view date);

// Today in the system's short date format.
std::string todayShortDate();

}  // namespace quelvar
