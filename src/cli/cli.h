#pragma once
// quelvar-cli: each area of the program contributes its commands.
// Exit status: 0 success, 1 the operation failed, 2 usage error.

#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {
struct Setup;
}

namespace quelvar::cli {

enum Exit : int { kOk = 0, kFailed = 1, kUsage = 2 };

struct Command {
    std::string_view name;
    std::string_view usage;  // arguments after the command name
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

// Reads a whole setup file; anything else (missing, unreadable, short or too
// long) is reported on `err` in one line and gives false.
bool loadSetup(const std::string& path, Setup& setup, std::ostream& err);

// True (with the usage line on `err`) unless exactly `count` arguments were given.
bool wrongArguments(std::span<const std::string> args, std::size_t count, std::string_view name,
                    std::string_view usage, std::ostream& err);

std::span<const Command> modelCommands();
std::span<const Command> transferCommands();
std::span<const Command> scriptCommands();

}  // namespace quelvar::cli
