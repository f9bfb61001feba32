#pragma once
// quelvar-cli: each area of the program contributes its commands, one subcommand each.
// Exit status: 0 success, 1 the operation failed, 2 usage error.
//
// A command is a name, a line of help and a function that declares the command's
// arguments and options on its CLI::App and returns what runs once they are parsed:
//
//   Run defineParams(CLI::App& command)
//   {
//       auto file = addSetupFile(command);
//       return [file](std::ostream& out, std::ostream& err) { ... return kOk; };
//   }
//   Command{"params", "the parameter list", defineParams},
//
// Parsing checks every value (CLI::App reports a bad one with the command's usage and
// exit 2), so a run function sees only sound arguments.

#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {
struct Setup;
struct SetupReadResult;
struct SetupReport;
enum class ReportPaper;
enum class ReportOrientation;
}  // namespace quelvar

namespace quelvar::cli {

enum Exit : int { kOk = 0, kFailed = 1, kUsage = 2 };

using Run = std::function<int(std::ostream& out, std::ostream& err)>;

struct Command {
    std::string_view name;
    std::string_view help;
    Run (*define)(CLI::App& command);
};

// Reads a whole setup file; anything else (missing, unreadable, short) is reported
// on `err` in one line and gives false. A longer file is read as the editor reads
// it, its first 22016 bytes, and `err` says the rest was ignored.
bool loadSetup(const std::string& path, Setup& setup, std::ostream& err);
// The same for a read already made: says what was wrong with it on `err`.
bool reportSetupRead(const std::string& path, const SetupReadResult& result, std::ostream& err);

// A required positional argument holding a path, filled in when the command is parsed;
// `kind` is what completes it (command_line.h).
std::shared_ptr<std::string> addFile(CLI::App& command, const std::string& name,
                                     const std::string& help, const char* kind = kPathValue);
inline std::shared_ptr<std::string> addSetupFile(CLI::App& command)
{
    return addFile(command, "FILE", "setup file (.sf)", kSetupValue);
}

// A required function number 0-15.
std::shared_ptr<int> addFunctionNumber(CLI::App& command);

std::span<const Command> modelCommands();
std::span<const Command> transferCommands();
std::span<const Command> scriptCommands();
std::span<const Command> printingCommands();
std::span<const Command> reportCommands();
std::span<const Command> textCommands();

// Writes the report as a PDF on that paper, atomically, with the painter module;
// false with the reason when it could not (the module is built only with the editor).
bool writeReportPdf(const SetupReport& report, ReportPaper paper, ReportOrientation orientation,
                    const std::string& path, std::string& reason);

}  // namespace quelvar::cli
