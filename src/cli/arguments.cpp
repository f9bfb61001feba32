// Arguments and options several commands share, checked while parsing.

#include "cli/cli.h"

#include "script/tally_script.h"

#include <charconv>

namespace quelvar::cli {

std::shared_ptr<std::string> addFile(CLI::App& command, const std::string& name,
                                     const std::string& help)
{
    auto path = std::make_shared<std::string>();
    command.add_option(name, *path, help)->required();
    return path;
}

CLI::Validator decimalIn(long low, long high, const std::string& what)
{
    // CLI11 reads "010" as octal and "0x10" as hex; a technician means decimal.
    auto check = [=](std::string& text) -> std::string {
        long n = 0;
        const char* end = text.data() + text.size();
        auto [ptr, ec] = std::from_chars(text.data(), end, n);
        if (text.empty() || ec != std::errc{} || ptr != end || n < low || n > high)
            return "'" + text + "' is not " + what + " (" + std::to_string(low) + "-" +
                   std::to_string(high) + ")";
        text = std::to_string(n);
        return {};
    };
    return CLI::Validator(check, std::to_string(low) + "-" + std::to_string(high));
}

std::shared_ptr<int> addFunctionNumber(CLI::App& command)
{
    auto n = std::make_shared<int>(-1);
    command.add_option("N", *n, "user function number")
        ->required()
        ->transform(decimalIn(0, static_cast<long>(kFunctionCount) - 1, "a function number"));
    return n;
}

}  // namespace quelvar::cli
