// quelvar-cli listing | decompile | compile, run as a user runs them.

#include "cli_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quelvar::test;

namespace {

// quelvar-cli with arguments naming files in `dir`.
CliRun cli(const TempDir& dir, const std::vector<std::string>& args)
{
    std::vector<std::string> withPaths;
    for (const auto& a : args) {
        bool isFile = a.ends_with(".sf") || a.ends_with(".txt");
        withPaths.push_back(isFile ? dir.path(a) : a);
    }
    return runCli(withPaths);
}

// The start of `text`, as long as `expected`.
std::string beginning(const std::string& text, const std::string& expected)
{
    return text.substr(0, expected.size());
}

const std::string kWorkedExample = "Add\tMemory1\tGross\tTare\tsum\n"
                                   "If\tMotion\t\t\t\n"
                                   "Prompt\tWAIT\t\t\t\n"
                                   "End if\t\t\t\t\n"
                                   "Set\tMemory2\t300\t\t\n"
                                   "Gosub\tUser2\t\t\t\n"
                                   "End\t\t\t\t\n";

constexpr std::size_t kLineCommentsInFile = 2048 + 512 + 4096;

TEST(ScriptCli, CompilesTheWorkedExampleIntoAFactoryFile)
{
    TempDir dir;
    ASSERT_EQ(cli(dir, {"new", "f.sf"}).exitCode, 0);
    dir.write("user1.txt", kWorkedExample);
    CliRun run = cli(dir, {"compile", "f.sf", "1", "user1.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Compile successful.  Byte count = 18\n");

    const std::string file = dir.read("f.sf");
    ASSERT_EQ(file.size(), 22016u);
    const std::vector<unsigned char> expected = {200, 1, 64,  65,  241, 107, 232, 87, 65, 73,
                                                 84,  0, 240, 209, 2,   44,  243, 2,  255};
    EXPECT_EQ(file.substr(591, 19), std::string(expected.begin(), expected.end()));
    EXPECT_EQ(file.substr(kLineCommentsInFile + 960, 4), std::string("sum\0", 4));
    EXPECT_EQ(cli(dir, {"check", "f.sf"}).exitCode, 0);

    run = cli(dir, {"decompile", "f.sf", "1"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string rebuilt = "Add\tMemory1\tGross\tTare\tsum\nIf\tMotion\t\t\t\n"
                                "Prompt\tWAIT\t\t\t\nEnd if\t\t\t\t\nSet\tMemory2\t44\t\t\n"
                                "Gosub\tUser2\t\t\t\nEnd\t\t\t\t\n";
    EXPECT_EQ(beginning(run.out, rebuilt), rebuilt);

    run = cli(dir, {"listing", "f.sf"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string list = "Application Description: \n\nTS Function User1\n\n"
                             "200   1  64  65  Add       Memory1   Gross     Tare      sum\n";
    EXPECT_EQ(beginning(run.out, list), list);
}

TEST(ScriptCli, DecompiledListingCompilesBackToTheSameFile)
{
    TempDir dir;
    ASSERT_EQ(cli(dir, {"new", "f.sf"}).exitCode, 0);
    dir.write("user3.txt", "Txcom1\tLabel4\t\t\tsend\r\nDp adjust\tNet\t3\t\t\r\nEnd\t\t\t\t");
    ASSERT_EQ(cli(dir, {"compile", "f.sf", "3", "user3.txt"}).exitCode, 0);
    const std::string compiled = dir.read("f.sf");
    CliRun run = cli(dir, {"decompile", "f.sf", "3"});
    const std::string first = "Txcom1\tLabel84\t\t\tsend\n";
    EXPECT_EQ(beginning(run.out, first), first);
    dir.write("again.txt", run.out);
    run = cli(dir, {"compile", "f.sf", "3", "again.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Compile successful.  Byte count = 5\n");
    EXPECT_EQ(dir.read("f.sf"), compiled);
}

TEST(ScriptCli, FailuresLeaveTheFileUntouched)
{
    struct Case {
        const char* listing;  // nullptr: no listing file
        const char* function;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {"Add\tMemory1\tGros\tTare\t\n", "1", 1, "line 1: Error: Register 2 name\n"},
        {"Nop\t\t\t\t\nIf\tMOTION\t\t\t\n", "2", 1, "line 2: Error: Status code not found\n"},
        {"Nop\t\t\t\t\nNop\t\t\n", "0", 1, "line 2: Error: Missing TAB\n"},
        {"\t\t\t\t\n", "15", 1, "line 1: Error: Instruction code not found\n"},
        {"", "1", 1, "Error: Listbox empty\n"},
        {"End\t\t\t\t\n", "16", 2, "quelvar-cli: N: '16' is not a function number (0-15)\n"},
        {"End\t\t\t\t\n", "1x", 2, "quelvar-cli: N: '1x' is not a function number (0-15)\n"},
        {nullptr, "1", 1, "quelvar-cli: cannot read DIR/listing.txt: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        TempDir dir;
        ASSERT_EQ(cli(dir, {"new", "f.sf"}).exitCode, 0);
        const std::string before = dir.read("f.sf");
        if (c.listing) dir.write("listing.txt", c.listing);
        CliRun run = cli(dir, {"compile", "f.sf", c.function, "listing.txt"});
        EXPECT_EQ(run.exitCode, c.exitCode);
        std::string expected = c.err;
        if (auto at = expected.find("DIR/"); at != std::string::npos)
            expected.replace(at, 3, dir.path());
        // A usage error goes on with the command's usage.
        EXPECT_EQ(c.exitCode == 2 ? beginning(run.err, expected) : run.err, expected);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(dir.read("f.sf"), before);
    }
}

TEST(ScriptCli, UsageAndMissingSetupFile)
{
    TempDir dir;
    EXPECT_EQ(cli(dir, {"compile", "f.sf", "1"}).exitCode, 2);
    EXPECT_EQ(cli(dir, {"decompile", "f.sf"}).exitCode, 2);
    EXPECT_EQ(cli(dir, {"listing"}).exitCode, 2);
    CliRun run = cli(dir, {"listing", "missing.sf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing.sf"), std::string::npos);
}

}  // namespace
