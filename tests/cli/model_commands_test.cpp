#include "cli_runner.h"
#include "expected_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quelvar::test;

namespace {

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(CliModel, FactorySetupListsAndDumpsAsExpected)
{
    TempDir dir;
    const std::string file = dir.path("a.sf");
    const CliRun made = runCli({"new", file});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(dir.fileSize("a.sf"), 22016u);

    const CliRun checked = runCli({"check", file});
    EXPECT_EQ(checked.exitCode, 0) << checked.err;

    const CliRun params = runCli({"params", file});
    EXPECT_EQ(params.exitCode, 0) << params.err;
    EXPECT_EQ(lineCount(params.out), 91u);
    EXPECT_TRUE(matchesExpectedFile(params.out, "factory_params.txt"));

    const CliRun dump = runCli({"dump", file});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(lineCount(dump.out), 256u);
    EXPECT_TRUE(matchesExpectedFile(dump.out, "factory_dump.txt"));
}

TEST(CliModel, NewReplacesAnExistingFile)
{
    TempDir dir;
    dir.write("a.sf", "old contents");
    EXPECT_EQ(runCli({"new", dir.path("a.sf")}).exitCode, 0);
    EXPECT_EQ(dir.fileSize("a.sf"), 22016u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.sf"});
}

TEST(CliModel, ChangedImageFailsTheCheck)
{
    TempDir dir;
    ASSERT_EQ(runCli({"new", dir.path("a.sf")}).exitCode, 0);
    dir.corrupt("a.sf", 100);
    const CliRun run = runCli({"check", dir.path("a.sf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Checksum Error in file " + dir.path("a.sf") + "\n");
}

TEST(CliModel, BadFilesGiveOneClearLineAndExitOne)
{
    TempDir dir;
    dir.write("empty.sf", "");
    dir.write("short.sf", std::string(2048, 'a'));
    dir.write("locked.sf", std::string(22016, 'a'));
    ::chmod(dir.path("locked.sf").c_str(), 0);
    ::mkdir(dir.path("folder.sf").c_str(), 0755);
    struct Case {
        std::string name;
        std::string saying;
    };
    std::vector<Case> cases = {
        {"missing.sf", "No such file or directory"},
        {"folder.sf", "Is a directory"},
        {"empty.sf", "read 0 of 4 blocks"},
        {"short.sf", "read 1 of 4 blocks"},
    };
    if (!runningAsRoot()) cases.push_back({"locked.sf", "Permission denied"});
    for (const std::string command : {"params", "dump", "check"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(command + " " + c.name);
            const CliRun run = runCli({command, dir.path(c.name)});
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(lineCount(run.err), 1u) << run.err;
            EXPECT_NE(run.err.find(dir.path(c.name)), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
        }
    }
}

TEST(CliModel, LongerFileIsReadAsTheEditorReadsIt)
{
    TempDir dir;
    ASSERT_EQ(runCli({"new", dir.path("a.sf")}).exitCode, 0);
    dir.write("long.sf", dir.read("a.sf") + std::string(84, 'x'));
    for (const std::string command : {"params", "dump", "check"}) {
        const CliRun run = runCli({command, dir.path("long.sf")});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(lineCount(run.out), lineCount(runCli({command, dir.path("a.sf")}).out));
        EXPECT_EQ(run.err, "quelvar-cli: " + dir.path("long.sf") +
                               ": the file is 22100 bytes long; the bytes after 22016 were ignored\n");
    }
}

TEST(CliModel, NewIntoPlacesItCannotWriteLeavesNothing)
{
    TempDir dir;
    ::mkdir(dir.path("folder.sf").c_str(), 0755);
    ::mkdir(dir.path("readonly").c_str(), 0555);
    std::vector<std::string> targets = {"no/such/folder/a.sf", "folder.sf"};
    if (!runningAsRoot()) targets.push_back("readonly/a.sf");
    for (const auto& target : targets) {
        const CliRun run = runCli({"new", dir.path(target)});
        EXPECT_EQ(run.exitCode, 1) << target;
        EXPECT_EQ(lineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find(dir.path(target)), std::string::npos) << run.err;
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.sf", "readonly"}));
    EXPECT_TRUE(TempDir::isEmptyFolder(dir.path("readonly")));
}

TEST(CliModel, UsageErrorsExitTwoWithTheCommandsUsage)
{
    struct Case {
        std::vector<std::string> args;
        std::string usage;
    };
    const std::string port = "--port=/dev/null";
    const std::vector<Case> cases = {
        {{}, "usage: quelvar-cli [OPTIONS] SUBCOMMAND"},
        {{"exprot", "a.sf"}, "unknown command exprot\nQuelvar"},
        {{"params"}, "usage: quelvar-cli params"},
        {{"dump", "a.sf", "b.sf"}, "usage: quelvar-cli dump"},
        {{"new"}, "usage: quelvar-cli new"},
        {{"decompile", "a.sf", "16"}, "usage: quelvar-cli decompile"},
        {{"compile", "a.sf", "-1", "l.txt"}, "usage: quelvar-cli compile"},
        {{"upload", "a.sf"}, "usage: quelvar-cli upload"},
        {{"upload", "a.sf", port, "--baud", "fast"}, "usage: quelvar-cli upload"},
        {{"download", "a.sf", port, "--baud", "0"}, "usage: quelvar-cli download"},
        {{"download", "a.sf", port, "--parity", "x"}, "usage: quelvar-cli download"},
        {{"upload", "a.sf", port, "--stop", "3"}, "usage: quelvar-cli upload"},
        {{"upload", "a.sf", port, "--data", "9"}, "usage: quelvar-cli upload"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"params", "a.sf", "--bogus"}, "unknown option --bogus"},
        {{"upload", "--bogus"}, "unknown option --bogus"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.starts_with("quelvar-cli: ")) << run.err;
        EXPECT_NE(run.err.find(c.usage), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliModel, HelpAndVersionExitZero)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> calls = {
        {{"--help"}, "usage: quelvar-cli [OPTIONS] SUBCOMMAND"},
        {{"-h"}, "decompile"},
        {{"--version"}, "quelvar-cli 2."},
        {{"upload", "--help"}, "--baud"},
        {{"compile", "-h"}, "usage: quelvar-cli compile [OPTIONS] FILE N LISTING"},
    };
    for (const auto& [args, saying] : calls) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 0) << testing::PrintToString(args);
        EXPECT_NE(run.out.find(saying), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");
    }
}
