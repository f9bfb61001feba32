// quelvar-cli labels | set-label | pages | set-page, run as a user runs them.

#include "cli_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quelvar::test;

namespace {

class PrintingCli : public ::testing::Test {
protected:
    PrintingCli() { EXPECT_EQ(run({"new", file}).exitCode, 0); }

    CliRun run(std::vector<std::string> args) { return runCli(args); }
    // The output line that starts with `start`, empty when there is none.
    std::string lineStarting(const std::string& output, const std::string& start)
    {
        for (std::size_t at = 0; at < output.size();) {
            const std::size_t end = output.find('\n', at);
            const std::string line = output.substr(at, end - at);
            if (line.starts_with(start)) return line;
            at = end == std::string::npos ? output.size() : end + 1;
        }
        return {};
    }

    TempDir dir;
    const std::string file = dir.path("f.sf");
};

TEST_F(PrintingCli, SetLabelStoresWhatLabelsShows)
{
    CliRun labels = run({"labels", file});
    EXPECT_EQ(labels.exitCode, 0);
    EXPECT_EQ(labels.out, "32\t\n33\t\n34\t\n84\t\n85\t\n86\t\n87\t\n88\t\n89\t\n90\t\n");

    const struct {
        const char* number;
        const char* text;
        int exitCode;
        const char* err;
        const char* shown;  // the line of `labels` afterwards
    } cases[] = {
        {"84", "Net <N> kg {Tkt}", 0, "", "84\tNet <N> kg {Tkt}"},
        {"32", "123456789012345<G>", 0, "Label 32 exceeds maximum length\n",
         "32\t123456789012345<253>"},
        {"33", "<13>[[x", 0, "", "33\t<13>[[x"},
        {"85", "Temp \u00B0C", 0, "", "85\tTemp <176>C"},  // stored as the dialog stores it
        {"85", "5 \xE2\x82\xAC", 1,
         "quelvar-cli: Label 85: \"\xE2\x82\xAC\" (U+20AC) is not in the indicator's character set\n",
         "85\tTemp <176>C"},
    };
    for (const auto& c : cases) {
        CliRun set = run({"set-label", file, c.number, c.text});
        EXPECT_EQ(set.exitCode, c.exitCode) << set.err;
        EXPECT_EQ(set.err, c.err);
        EXPECT_EQ(lineStarting(run({"labels", file}).out, std::string(c.number) + '\t'), c.shown);
    }
    EXPECT_EQ(run({"check", file}).exitCode, 0);

    const std::string before = dir.read("f.sf");
    for (const char* number : {"35", "91", "x", "084x"})
        EXPECT_EQ(run({"set-label", file, number, "a"}).exitCode, 2) << number;
    EXPECT_EQ(dir.read("f.sf"), before);
}

TEST_F(PrintingCli, SetPageStoresWhatPagesShows)
{
    CliRun pages = run({"pages", file});
    EXPECT_EQ(pages.exitCode, 0);
    EXPECT_EQ(std::count(pages.out.begin(), pages.out.end(), '\n'), 64);
    EXPECT_TRUE(pages.out.starts_with("1\t1\t1\t1\tDispweight\n1\t2\t0\t255\t\n"));
    EXPECT_EQ(lineStarting(pages.out, "2\t3\t"), "2\t3\t5\t5\tNet");
    EXPECT_EQ(lineStarting(pages.out, "4\t16\t"), "4\t16\t255\t255\t");

    ASSERT_EQ(run({"set-page", file, "3", "2", "7", "268", "Tare"}).exitCode, 0);
    ASSERT_EQ(run({"set-page", file, "3", "3", "-1", "1", ""}).exitCode, 0);
    ASSERT_EQ(run({"set-page", file, "3", "4", "2", "2", "31"}).exitCode, 0);  // no name
    pages = run({"pages", file});
    EXPECT_EQ(lineStarting(pages.out, "3\t4\t"), "3\t4\t2\t2\t31");
    EXPECT_EQ(lineStarting(pages.out, "3\t2\t"), "3\t2\t7\t12\tTare");
    EXPECT_EQ(lineStarting(pages.out, "3\t3\t"), "3\t3\t255\t1\t");
    EXPECT_EQ(run({"check", file}).exitCode, 0);

    const std::string before = dir.read("f.sf");
    CliRun refused = run({"set-page", file, "3", "2", "7", "12", "tare"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Item entry not valid: tare\n");
    const std::vector<std::vector<std::string>> usage = {
        {"5", "1", "1", "1", "Net"}, {"1", "17", "1", "1", "Net"}, {"1", "1", "x", "1", "Net"},
        {"1", "1", "1", "", "Net"},  {"1", "1", "1", "1"},
    };
    for (auto args : usage) {
        args.insert(args.begin(), {"set-page", file});
        EXPECT_EQ(run(args).exitCode, 2) << args[2] << ' ' << args[3] << ' ' << args[4];
    }
    EXPECT_EQ(dir.read("f.sf"), before);
}

}  // namespace
