#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/output.h"

#include <csignal>
#include <unistd.h>

#include <iostream>
#include <ostream>
#include <vector>

using namespace quelvar::cli;

namespace {

struct Declared {
    CLI::App* command;
    Run run;
};

std::vector<Declared> declareCommands(CLI::App& app)
{
    std::vector<Declared> declared;
    for (auto group : {modelCommands(), transferCommands(), scriptCommands(), printingCommands(),
                       reportCommands(), textCommands()})
        for (const Command& c : group) {
            CLI::App* command = app.add_subcommand(std::string(c.name), std::string(c.help));
            declared.push_back({command, c.define(*command)});
        }
    return declared;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app("Quelvar 2 from a shell: setup files, Tally Script, print labels and page "
                 "formats, upload and download.",
                 "quelvar-cli");
    app.get_formatter()->label("Usage", "usage");
    app.set_version_flag("--version", "quelvar-cli " QUELVAR_VERSION);
    addBashCompletionFlag(app);
    app.require_subcommand(1);
    const std::vector<Declared> commands = declareCommands(app);
    if (const int status = parseCommandLine(app, argc, argv); status >= 0) return status;
    // A file size limit then fails the write, which is reported, instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& [command, run] : commands) {
        if (!command->parsed()) continue;
        CheckedOutput output(STDOUT_FILENO);
        std::ostream out(&output);
        const int code = run(out, std::cerr);
        return finishOutput(output, code, std::cerr);
    }
    return kUsage;
}
