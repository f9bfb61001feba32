#include "printing/report_pages.h"

#include "expected_text.h"
#include "report_setups.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

using namespace quelvar;

namespace {

constexpr ReportLayout kLetter = {19050, 25400};

SetupReport busyReport()
{
    Setup setup = test::busySetup();
    return buildSetupReport(setup, "/home/tech/Waage-S\u00FCd.sf", "12/6/26");
}

SetupReport factoryReport()
{
    Setup setup = test::factorySetup();
    return buildSetupReport(setup, "/home/tech/line1.sf", "12/6/26");
}

// Every placed line that prints: page, y, font, then each cell's x and text.
std::string geometry(const std::vector<ReportPage>& pages)
{
    std::ostringstream out;
    for (const ReportPage& page : pages)
        for (const PlacedLine& placed : page.lines) {
            std::ostringstream cells;
            for (const ReportCell& cell : placed.line.cells)
                if (!cell.text.empty()) cells << " | " << cell.x << ' ' << cell.text;
            const ReportFontSpec font = reportFontSpec(placed.line.font);
            if (!cells.str().empty())
                out << page.number << ' ' << placed.y << ' ' << font.family << ' ' << font.points
                    << cells.str() << '\n';
        }
    return out.str();
}

std::string withoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

TEST(SetupReport, GeometryOfEveryPlacedCell)
{
    EXPECT_TRUE(test::matchesExpectedFile(geometry(paginateReport(factoryReport(), kLetter)),
                                          "report/factory_geometry.txt"));
    const ReportLayout a4 = reportLayout(ReportPaper::A4, ReportOrientation::Portrait);
    EXPECT_TRUE(test::matchesExpectedFile(geometry(paginateReport(busyReport(), a4)),
                                          "report/busy_geometry.txt"));
}

// A placed line inside the margins, each text clear of the next column's.
void expectInside(const PlacedLine& placed, ReportLayout layout)
{
    EXPECT_LE(placed.y + placed.line.height, layout.height);
    const auto& cells = placed.line.cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (cells[c].text.empty()) continue;
        const bool nextPrints = c + 1 < cells.size() && !cells[c + 1].text.empty();
        const int limit = nextPrints ? cells[c + 1].x : layout.width;
        EXPECT_LE(cells[c].x + reportTextWidth(cells[c].text, placed.line.font), limit)
            << cells[c].text;
    }
}

// Each report line placed once, in order, whole (wrapped texts lose no character);
// a block that fits a page is on one page.
void expectWholeOnPaper(const SetupReport& report, ReportLayout layout)
{
    std::map<int, std::vector<std::string>> pieces;  // per report line, each cell's text
    std::map<int, std::set<int>> blockPages;
    std::map<int, int> blockHeight;
    int lastSource = 0;
    for (const ReportPage& page : paginateReport(report, layout))
        for (const PlacedLine& placed : page.lines) {
            expectInside(placed, layout);
            if (placed.source < 0 || placed.repeated) continue;
            EXPECT_GE(placed.source, lastSource);
            lastSource = placed.source;
            auto& texts = pieces[placed.source];
            texts.resize(placed.line.cells.size());
            for (std::size_t c = 0; c < texts.size(); ++c)
                texts[c] += withoutBlanks(placed.line.cells[c].text);
            if (const int block = report.lines[placed.source].block) {
                blockPages[block].insert(page.number);
                blockHeight[block] += placed.line.height;
            }
        }
    ASSERT_EQ(pieces.size(), report.lines.size());
    for (std::size_t i = 0; i < report.lines.size(); ++i)
        for (std::size_t c = 0; c < report.lines[i].cells.size(); ++c)
            EXPECT_EQ(pieces[int(i)][c], withoutBlanks(report.lines[i].cells[c].text));
    for (const auto& [block, pages] : blockPages) {
        if (pages.size() > 1)
            EXPECT_GT(blockHeight[block], layout.height - kReportHeaderHeight) << block;
    }
}

// On every paper a block that does not fit a page names itself atop the next.
TEST(SetupReport, EveryPaperShowsEveryLineWhole)
{
    EXPECT_EQ(reportLayout(ReportPaper::Letter, ReportOrientation::Portrait).width, kLetter.width);
    for (const SetupReport& report : {factoryReport(), busyReport()})
        for (ReportPaper paper : {ReportPaper::Letter, ReportPaper::A4, ReportPaper::Legal})
            for (auto orientation : {ReportOrientation::Portrait, ReportOrientation::Landscape}) {
                const ReportLayout layout = reportLayout(paper, orientation);
                SCOPED_TRACE(std::to_string(layout.width) + "x" + std::to_string(layout.height));
                expectWholeOnPaper(report, layout);
            }
}

// What a technician reads: labels as their dialog shows them, codes no table names
// as codes, the file's name as spelled, no control byte on a page, and a listing
// longer than a page named again with "(continued)". One text line per placed line.
TEST(SetupReport, TextFormReadsAsTheSetupHoldsIt)
{
    const auto pages = paginateReport(busyReport(), kLetter);
    const std::string text = reportText(pages);
    for (const char* expected :
         {"\n 84\tPrint label 84\tTicket {Tkt}  Net <N> kg\t0\t2\n",
          "\n 32\tPrint label 32\tA<10>B<12>C\t0\t2\n", "\n 85\tPrint label 85\tTemp <176>C\t",
          "\n 86\tPrint label 86\tWWWWWWWWWWWW\t0\t2\n\t\tWWWWWWWWWWWW\t\t\n\t\tWWWWWW\t\t\n",
          "Setup File Report: Waage-S\u00FCd.sf    12/6/26\t1\n", "\n2\t2\t10\t<31>\t<31>\t\n",
          "\n3\t200\t201\t99\t<200>\t<201>\t<99>\t", "\nCaf\xC3\xA9<9>gate<1>.\n",
          "\nSum the decks\nthen wait\n", "Prompt    W<1>IT", "\nTS Function User2 (continued)\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    std::size_t placed = 0;
    for (const ReportPage& page : pages)
        placed += page.lines.size() - 1;  // the title and page number share a line
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), placed + pages.size() - 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), pages.size() - 1);
    EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\f';
    }));
}

// A title longer than its room before the page number goes on below it, and the
// body starts under the header on every page.
TEST(SetupReport, LongTitleWrapsInTheHeader)
{
    quelvar::Setup setup = test::factorySetup();
    const std::string name = std::string(25, 'N') + " " + std::string(30, 'M') + ".sf";
    for (const ReportPage& page : paginateReport(buildSetupReport(setup, name, "d"), kLetter)) {
        ASSERT_GE(page.lines.size(), 4u);
        EXPECT_EQ(page.lines[0].line.cells[0].text, "Setup File Report: " + std::string(25, 'N'));
        EXPECT_EQ(page.lines[1].line.cells[0].text, std::to_string(page.number));
        EXPECT_EQ(page.lines[2].line.cells[0].text, std::string(30, 'M') + ".sf    d");
        EXPECT_EQ(page.lines[2].y, kReportHeaderHeight);
        EXPECT_EQ(page.lines[3].y, 2 * kReportHeaderHeight);
    }
}

TEST(SetupReport, ListingSetsTheGuardByteOfUsedFunctionsOnly)
{
    quelvar::Setup setup = test::busySetup();
    const quelvar::Setup before = setup;
    buildSetupReport(setup, "", "");
    EXPECT_EQ(setup.image[image::functionSlotOffset(3) + 63], 255);
    setup.image[image::functionSlotOffset(3) + 63] = 7;
    EXPECT_EQ(setup, before);
}

}  // namespace
