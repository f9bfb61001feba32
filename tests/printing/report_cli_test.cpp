#include "cli_runner.h"
#include "expected_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quelvar::test;

namespace {

struct ReportCli : testing::Test {
    TempDir dir;
    std::string file = dir.path("factory.sf");
    void SetUp() override { ASSERT_EQ(runCli({"new", file}).exitCode, 0); }
};

TEST_F(ReportCli, TextIsTheSavedFactoryReport)
{
    const CliRun run = runCli({"report", file, "--text", "--date", "12/6/26"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // The saved report names line1.sf; only the title differs.
    std::string expected = run.out;
    for (auto at = expected.find("factory.sf"); at != std::string::npos;
         at = expected.find("factory.sf"))
        expected.replace(at, 10, "line1.sf");
    EXPECT_TRUE(matchesExpectedFile(expected, "report/factory.txt"));
}

TEST_F(ReportCli, UsageErrors)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"report", file},
        {"report", file, "--text", "--pdf", dir.path("r.pdf")},
        {"report", "--text"},
        {"report", file, "--text", "--date"},
        {"report", file, file, "--text"},
        {"report", file, "--html"},
        {"report", file, "--text", "--paper", "a5"},
    };
    for (const auto& args : wrong)
        EXPECT_EQ(runCli(args).exitCode, 2) << args.back();
    const CliRun missing = runCli({"report", dir.path("none.sf"), "--text"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

#ifdef QUELVAR_REPORT_PDF
// One page per text page on the paper asked for, each with its header and its
// number; a folder that cannot be written fails without leaving anything behind.
TEST_F(ReportCli, PdfHasEveryPageWithItsHeader)
{
    const std::string pdf = dir.path("report.pdf");
    const std::vector<std::string> paper = {"--date", "12/6/26", "--paper", "A4", "--landscape"};
    std::vector<std::string> args = {"report", file, "--pdf", pdf};
    args.insert(args.end(), paper.begin(), paper.end());
    const CliRun run = runCli(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    args = {"report", file, "--text"};
    args.insert(args.end(), paper.begin(), paper.end());
    const CliRun text = runCli(args);
    const auto pages = std::count(text.out.begin(), text.out.end(), '\f') + 1;
    EXPECT_EQ(pages, 6);  // Letter portrait takes 4
    const CliRun pdfText = runProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(pdfText.exitCode, 0) << pdfText.err;
    std::vector<std::string> pdfPages(1);
    for (char c : pdfText.out) {
        if (c == '\f')
            pdfPages.emplace_back();
        else
            pdfPages.back().push_back(c);
    }
    if (pdfPages.back().empty()) pdfPages.pop_back();
    ASSERT_EQ(static_cast<long>(pdfPages.size()), pages);
    for (std::size_t p = 0; p < pdfPages.size(); ++p) {
        const std::string header = splitLines(pdfPages[p]).at(0);
        EXPECT_TRUE(header.starts_with("Setup File Report: factory.sf ")) << header;
        EXPECT_NE(header.find(" 12/6/26 "), std::string::npos) << header;
        EXPECT_TRUE(header.ends_with(" " + std::to_string(p + 1))) << header;
    }
    const CliRun refused = runCli({"report", file, "--pdf", dir.path("no/such/folder/r.pdf")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("cannot write"), std::string::npos) << refused.err;
    // A FIFO (or /dev/stdout) is written through, not replaced by a plain file.
    ASSERT_EQ(::mkfifo(dir.path("fifo").c_str(), 0600), 0);
    const int reader = ::open(dir.path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_EQ(runCli({"report", file, "--pdf", dir.path("fifo")}).exitCode, 0);
    char start[4] = {};
    EXPECT_EQ(::read(reader, start, 4), 4);
    EXPECT_EQ(std::string(start, 4), "%PDF");
    ::close(reader);
}
#endif

}  // namespace
