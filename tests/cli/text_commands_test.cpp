// quelvar-cli export | import | diff, run as a user runs them.

#include "cli_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

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
    dir.write("short.toml", "[scale]\ncapacity = \"500\"\n[end]\n");
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
    dir.write("bad.toml", "[scale]\ncapacity = \"500\"\ncount_by = \"3\"\n[end]\n");
    const CliRun r = runCli({"import", dir.path("bad.toml"), "-o", dir.path("out.sf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, dir.path("bad.toml") + ":3: scale.count_by: Invalid Count-By: 3\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path("out.sf")));
    EXPECT_EQ(runCli({"import", dir.path("bad.toml")}).exitCode, 2);  // -o is required
    EXPECT_EQ(runCli({"export", file, "-o", ""}).exitCode, 2);        // not the standard output
    for (const std::string& unreadable : {dir.path(), dir.path("none.toml")}) {
        const CliRun read = runCli({"import", unreadable, "-o", dir.path("out.sf")});
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(read.err.starts_with("quelvar-cli: cannot read " + unreadable)) << read.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path("out.sf")));
    }
}

}  // namespace

// Every command that writes to standard output checks it: a full disk is never success.
TEST_F(TextCli, AnOutputThatCannotBeWrittenFailsTheCommand)
{
    const std::vector<std::vector<std::string>> commands = {
        {"export", file}, {"params", file},     {"dump", file},          {"labels", file},
        {"pages", file},  {"listing", file},    {"decompile", file, "1"}, {"report", file, "--text"},
    };
    for (const auto& args : commands) {
        const CliRun run = runCli(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_EQ(run.err, "quelvar-cli: cannot write the output: No space left on device\n");
    }
}

// export > site.toml on a disk that fills up, then import and diff: the first step fails.
TEST_F(TextCli, AnExportCutByAFileSizeLimitStopsTheChainAtOnce)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const CliRun exported = runCli({"export", file}, dir.path("cut.toml"));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_EQ(exported.err, "quelvar-cli: cannot write the output: File too large\n");
    ASSERT_EQ(dir.fileSize("cut.toml"), 4096u);
    const CliRun imported = runCli({"import", dir.path("cut.toml"), "-o", dir.path("cut.sf")});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_EQ(imported.err, dir.path("cut.toml") +
                                ": the text ends before its end marker; was it cut off?\n");
    EXPECT_EQ(runCli({"diff", file, dir.path("cut.toml")}).exitCode, 2);
}

TEST_F(TextCli, OutputNeverReplacesInput)
{
    ASSERT_EQ(runCli({"export", file, "-o", dir.path("f.toml")}).exitCode, 0);
    std::filesystem::create_symlink(file, dir.path("link.sf"));
    const std::string setup = dir.read("f.sf");
    const std::string text = dir.read("f.toml");
    const std::vector<std::vector<std::string>> runs = {
        {"export", file, "-o", file},
        {"export", file, "-o", dir.path("link.sf")},
        {"import", dir.path("f.toml"), "-o", dir.path("f.toml")},
    };
    for (const auto& args : runs) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args[3];
        EXPECT_TRUE(run.err.ends_with("names the input file; choose another output\n")) << run.err;
    }
    EXPECT_EQ(dir.read("f.sf"), setup);
    EXPECT_EQ(dir.read("f.toml"), text);
}

// diff reads each side by what it holds, whatever its name says; import says what it
// filled in.
TEST_F(TextCli, DiffReadsASideByItsContent)
{
    ASSERT_EQ(runCli({"export", file, "-o", dir.path("text.sf")}).exitCode, 0);
    std::filesystem::copy_file(file, dir.path("setup.toml"));
    const CliRun diff = runCli({"diff", dir.path("text.sf"), dir.path("setup.toml")});
    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    dir.write("short.txt", "[scale]\ncapacity = \"500\"\n[end]\n");
    const CliRun imported = runCli({"import", dir.path("short.txt"), "-o", dir.path("s.sf")});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_TRUE(imported.err.starts_with(dir.path("short.txt") + ": ")) << imported.err;
    EXPECT_NE(imported.err.find(" settings took factory values: scale (19), "), std::string::npos);
    EXPECT_EQ(runCli({"diff", file, dir.path("short.txt")}).out, "scale.capacity: 100 -> 500\n");
    dir.write("long.txt", "#" + std::string(30000, '-') + "\n[scale]\ncapacity = 500\n[end]\n");
    EXPECT_EQ(runCli({"diff", file, dir.path("long.txt")}).out, "scale.capacity: 100 -> 500\n");
    // A pipe gives its bytes once: `diff <(quelvar-cli export a.sf) f.sf`.
    for (const std::string& side : {dir.path("long.txt"), dir.path("s.sf")}) {
        const std::string script = "cat \"$1\" | \"$0\" diff /dev/stdin \"$2\"";
        const CliRun piped = runProgram("/bin/sh", {"-c", script, QUELVAR_CLI, side, file});
        EXPECT_EQ(piped.out, "scale.capacity: 500 -> 100\n") << side << ": " << piped.err;
    }
}
