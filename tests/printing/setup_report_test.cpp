#include "printing/setup_report.h"

#include "expected_text.h"
#include "report_setups.h"

#include <gtest/gtest.h>

using namespace quelvar;

namespace {

std::vector<ReportPage> pagesOf(quelvar::Setup& setup)
{
    return paginateReport(buildSetupReport(setup, "/home/tech/line1.sf", "12/6/26"));
}

TEST(SetupReport, TextMatchesTheSavedReports)
{
    struct Case {
        quelvar::Setup setup;
        const char* expected;
    } cases[] = {{test::factorySetup(), "report/factory.txt"},
                 {test::fullSetup(), "report/full.txt"}};
    for (auto& c : cases)
        EXPECT_TRUE(test::matchesExpectedFile(reportText(pagesOf(c.setup)), c.expected));
}

// Every page starts with its header and numbers follow on; no line reaches past the
// bottom margin, and no page could have taken its successor's first line.
TEST(SetupReport, PagesKeepInsideTheirMargins)
{
    for (quelvar::Setup setup : {test::factorySetup(), test::fullSetup()}) {
        const auto pages = pagesOf(setup);
        ASSERT_GE(pages.size(), 4u);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const auto& lines = pages[p].lines;
            ASSERT_GE(lines.size(), 3u);
            EXPECT_EQ(pages[p].number, static_cast<int>(p) + 1);
            EXPECT_EQ(lines[0].line.cells.at(0).text, "Setup File Report: line1.sf    12/6/26");
            EXPECT_EQ(lines[1].line.cells.at(0).text, std::to_string(p + 1));
            EXPECT_EQ(lines[2].y, kReportHeaderHeight);
            const auto& last = lines.back();
            EXPECT_LE(last.y + last.line.height, kReportBodyHeight);
            if (p + 1 < pages.size()) {
                EXPECT_GT(last.y + last.line.height + pages[p + 1].lines[2].line.height,
                          kReportBodyHeight);
            }
        }
    }
}

// Cells never reach into the next column or past the right margin, and the text
// block's lines fit its width; wrapped words lose no character.
TEST(SetupReport, CellsAndTextBlockFitTheirRoom)
{
    quelvar::Setup setup = test::fullSetup();
    setup.description = std::string(100, 'x') + " " + std::string(30, 'y');
    const SetupReport report = buildSetupReport(setup, "", "d");
    EXPECT_EQ(report.title, "Setup File Report:     d");
    std::string block;
    for (const ReportLine& line : report.lines) {
        for (std::size_t i = 0; i < line.cells.size(); ++i) {
            const ReportCell& cell = line.cells[i];
            const int end = i + 1 < line.cells.size() ? line.cells[i + 1].x : kReportBodyWidth;
            EXPECT_EQ(cell.x + cell.width, end) << cell.text;
        }
        if (line.section != 5 || line.cells.empty()) continue;
        EXPECT_LE(line.cells[0].text.size() * kReportMonoAdvance,
                  static_cast<std::size_t>(kReportTextBlockWidth));
        block += line.cells[0].text + "|";
    }
    // A word longer than a line goes to a line of its own and is cut there.
    EXPECT_TRUE(block.starts_with("Application Description:|" + std::string(92, 'x') + "|" +
                                  std::string(8, 'x') + " " + std::string(30, 'y') + "||"))
        << block;
}

TEST(SetupReport, ListingSetsTheGuardByteOfUsedFunctionsOnly)
{
    quelvar::Setup setup = test::fullSetup();
    const quelvar::Setup before = setup;
    buildSetupReport(setup, "", "");
    EXPECT_EQ(setup.image[image::functionSlotOffset(3) + 63], 255);
    setup.image[image::functionSlotOffset(3) + 63] = 7;
    EXPECT_EQ(setup, before);
}

}  // namespace
