#pragma once
// quelvar-cli: each area of the program contributes its commands.
// Exit status: 0 success, 1 the operation failed, 2 usage error.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar::cli {

enum Exit : int { kOk = 0, kFailed = 1, kUsage = 2 };

struct Command {
    std::string_view name;
    std::string_view usage;  // arguments after the command name
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

std::span<const Command> modelCommands();
std::span<const Command> transferCommands();

}  // namespace quelvar::cli
