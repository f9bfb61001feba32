#pragma once
// What quelvar-cli and quelvar-indicator-sim share about their command lines: usage
// errors that name what was wrong, and a bash completion script made from the very
// CLI::App the program parses with, so the two cannot drift apart.
//
//   CLI::App app("...", "quelvar-indicator-sim");
//   ... add options, with the value kinds below as type names ...
//   addBashCompletionFlag(app);
//   if (const int status = parseCommandLine(app, argc, argv); status >= 0) return status;
//
// The completion of an option's value (or a positional argument) follows its type
// name: a list in braces completes those words, and these name the rest.

#include <CLI/CLI.hpp>

#include <string>

namespace quelvar::cli {

inline constexpr const char* kDeviceValue = "DEVICE";  // serial devices
inline constexpr const char* kSetupValue = "SETUP";    // setup files and texts (.sf, .toml)
inline constexpr const char* kPathValue = "PATH";      // any file

// Accepts plain decimal digits with a value from `low` to `high` and hands the
// number on in canonical form; anything else is a usage error naming `what`.
CLI::Validator decimalIn(long low, long high, const std::string& what);

// Refuses an empty value ("the device is empty"): `-o "$OUT"` with OUT unset is a
// mistake, never a request for the default.
CLI::Validator notEmpty(const std::string& what);

// Parses; -1 when the program goes on. Otherwise the program ends with the status
// returned: 0 after --help or --version printed, 2 after a usage error, reported on
// stderr as "PROGRAM: what was wrong" and the usage. An option nobody declared is
// named first ("unknown option --bogus"), before any argument found missing, and so is
// a word that names no command ("unknown command exprot").
int parseCommandLine(CLI::App& app, int argc, char** argv);

// The bash completion script of the program: subcommands, options, and the values
// and files each takes.
std::string bashCompletion(const CLI::App& app);

// --bash-completion prints that script and ends the program with status 0.
void addBashCompletionFlag(CLI::App& app);

}  // namespace quelvar::cli
