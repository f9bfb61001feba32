// quelvar-cli export | import | diff, run as a user runs them.

#include "cli_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quelvar::test;

namespace {

class TextCli : public ::testing::Test {
protected:
    TextCli() { EXPECT_EQ(runCli({"new", file}).exitCode, 0); }

    TempDir dir;
    const std::string file = dir.path("f.sf");
};

TEST_F(TextCli, ExportThenImportGivesTheSameFile)
{
    ASSERT_EQ(runCli({"set-label", file, "84", "Net <N> kg"}).exitCode, 0);
    const CliRun shown = runCli({"export", file});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("[scale]\n"), std::string::npos);
    ASSERT_EQ(runCli({"export", file, "-o", dir.path("f.toml")}).exitCode, 0);
    EXPECT_EQ(dir.read("f.toml"), shown.out);
    const CliRun back = runCli({"import", dir.path("f.toml"), "-o", dir.path("g.sf")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(dir.read("g.sf"), dir.read("f.sf"));
}

TEST_F(TextCli, DiffSaysWhatChangedAndExitsOneWhenAnythingDid)
{
    dir.write("short.toml", "[scale]\ncapacity = \"500\"\n");
    ASSERT_EQ(runCli({"import", dir.path("short.toml"), "-o", dir.path("big.sf")}).exitCode, 0);
    const struct {
        std::string a, b;
        int exitCode;
        std::string out;
    } cases[] = {
        {file, file, 0, ""},
        {file, dir.path("short.toml"), 1, "scale.capacity: 100 -> 500\n"},
        {dir.path("big.sf"), dir.path("short.toml"), 0, ""},
        {file, dir.path("none.sf"), 2, ""},
    };
    for (const auto& c : cases) {
        const CliRun diff = runCli({"diff", c.a, c.b});
        EXPECT_EQ(diff.exitCode, c.exitCode) << c.a << " " << c.b << ": " << diff.err;
        EXPECT_EQ(diff.out, c.out);
    }
}

TEST_F(TextCli, ARefusedTextNamesItsLineAndWritesNothing)
{
    dir.write("bad.toml", "[scale]\ncapacity = \"500\"\ncount_by = \"3\"\n");
    const CliRun r = runCli({"import", dir.path("bad.toml"), "-o", dir.path("out.sf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, dir.path("bad.toml") + ":3: scale.count_by: Invalid Count-By: 3\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path("out.sf")));
    EXPECT_EQ(runCli({"import", dir.path("bad.toml")}).exitCode, 2);  // -o is required
    for (const std::string& unreadable : {dir.path(), dir.path("none.toml")}) {
        const CliRun read = runCli({"import", unreadable, "-o", dir.path("out.sf")});
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(read.err.starts_with("quelvar-cli: cannot read " + unreadable)) << read.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path("out.sf")));
    }
}

}  // namespace
