// Arguments and options several commands share, checked while parsing.

#include "cli/cli.h"

#include "script/tally_script.h"

namespace quelvar::cli {

std::shared_ptr<std::string> addFile(CLI::App& command, const std::string& name,
                                     const std::string& help, const char* kind)
{
    auto path = std::make_shared<std::string>();
    command.add_option(name, *path, help)->required()->type_name(kind);
    return path;
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
