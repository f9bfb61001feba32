#pragma once
// The setup report laid out on paper: the room inside the margins in, pages of
// placed lines out. Columns keep their places on every paper; a section whose
// columns would pass the right margin is drawn closer together, a text too long
// for its room wraps, and a block moves whole to the next page when it fits there.
// No line is lost on any paper.
//
//     auto pages = paginateReport(report, reportLayout(ReportPaper::Legal,
//                                                      ReportOrientation::Portrait));
//     std::string text = reportText(pages);   // quelvar-cli report --text

#include "printing/setup_report.h"

#include <string>
#include <vector>

namespace quelvar {

// The room inside the page's margins, in hundredths of a millimetre.
struct ReportLayout {
    int width = 0;
    int height = 0;
};

enum class ReportPaper { Letter, A4, Legal };
enum class ReportOrientation { Portrait, Landscape };

// The paper with the report's 12.7 mm margins.
ReportLayout reportLayout(ReportPaper paper, ReportOrientation orientation);

struct PlacedLine {
    int y = 0;  // of the line's top, from the top margin
    ReportLine line;
    int source = -1;        // the report line it shows (part of); -1 in the page header
    bool repeated = false;  // a block's heading again atop a page its block goes on to
};

struct ReportPage {
    int number = 0;
    std::vector<PlacedLine> lines;  // the header's title and page number first, at y 0
};

std::vector<ReportPage> paginateReport(const SetupReport& report, ReportLayout layout);

// The pages as text: one line per placed line, its cells joined by TAB (the title
// and the page number on one line), a form feed line between pages.
std::string reportText(const std::vector<ReportPage>& pages);

}  // namespace quelvar
