#include "cli/cli.h"

#include <iostream>
#include <vector>

using namespace quelvar::cli;

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands;
    for (auto group : {modelCommands(), transferCommands(), scriptCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
    return commands;
}

int usage(const std::vector<Command>& commands)
{
    std::cerr << "usage: quelvar-cli COMMAND ARGS...\n";
    for (const auto& c : commands) std::cerr << "  quelvar-cli " << c.name << ' ' << c.usage << '\n';
    return kUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto commands = allCommands();
    if (argc < 2) return usage(commands);
    const std::string name = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : commands)
        if (c.name == name) return c.run(args, std::cout, std::cerr);
    std::cerr << "quelvar-cli: unknown command '" << name << "'\n";
    return usage(commands);
}
