#include "cli/cli.h"

namespace quelvar::cli {

std::span<const Command> modelCommands()
{
    return {};
}

}  // namespace quelvar::cli
