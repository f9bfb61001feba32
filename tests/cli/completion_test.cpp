// The bash completion scripts quelvar-cli and quelvar-indicator-sim print, run by
// bash on the words typed so far.

#include "cli_runner.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quelvar::test;

namespace {

// What the program's own script offers for `words` (the last one being typed), one
// a line in order, in a folder holding a.sf, b.toml, c.txt and sub/.
std::string offered(const std::string& program, const std::vector<std::string>& words)
{
    TempDir dir;
    for (const char* name : {"a.sf", "b.toml", "c.txt"})
        dir.write(name, "");
    std::filesystem::create_directory(dir.path("sub"));
    std::string script = "source <('" + program + "' --bash-completion) && cd '" + dir.path() +
                         "' && COMP_WORDS=(";
    for (const std::string& word : words)
        script += "'" + word + "' ";
    script += ") COMP_CWORD=" + std::to_string(words.size() - 1) + " && _" +
              (program == QUELVAR_CLI ? "quelvar_cli" : "quelvar_indicator_sim") +
              " 2>/dev/null; printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort";
    const CliRun run = runProgram("/bin/bash", {"-c", script});
    return run.exitCode == 0 ? run.out : "failed: " + run.err;
}

}  // namespace

TEST(Completion, OffersCommandsOptionsValuesAndFiles)
{
    const std::string cli = QUELVAR_CLI, sim = QUELVAR_INDICATOR_SIM;
    const struct {
        std::string program;
        std::vector<std::string> words;
        std::string offered;
    } cases[] = {
        {cli, {"quelvar-cli", "ex"}, "export\n"},
        {cli, {"quelvar-cli", "--v"}, "--version\n"},
        {cli, {"quelvar-cli", "upload", "--pa"}, "--parity\n"},
        {cli, {"quelvar-cli", "upload", "a.sf", "--parity", ""}, "e\nn\no\n"},
        {cli, {"quelvar-cli", "download", "--data", "=", ""}, "7\n8\n"},
        {cli, {"quelvar-cli", "params", ""}, "a.sf\nb.toml\nsub\n"},
        {cli, {"quelvar-cli", "upload", "--port", "/tmp/x", "--baud", "9600", ""},
         "a.sf\nb.toml\nsub\n"},
        {cli, {"quelvar-cli", "compile", "a.sf", ""}, "\n"},  // N: nothing to offer
        {cli, {"quelvar-cli", "compile", "a.sf", "1", ""}, "a.sf\nb.toml\nc.txt\nsub\n"},
        {cli, {"quelvar-cli", "report", "a.sf", "--pdf", "c"}, "c.txt\n"},
        {cli, {"quelvar-cli", "report", "a.sf", "--paper", ""}, "a4\nlegal\nletter\n"},
        {sim, {"quelvar-indicator-sim", "--fault", "g"}, "garbage=\n"},
        {sim, {"quelvar-indicator-sim", "--baud", "9600", "--lo"}, "--load\n"},
        {sim, {"quelvar-indicator-sim", "--save", ""}, "a.sf\nb.toml\nsub\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offered(c.program, c.words), c.offered) << testing::PrintToString(c.words);
}
