// quelvar-cli new | params | dump | check: the setup file and its image.

#include "cli/cli.h"

#include "model/check_bytes.h"
#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_file.h"

#include <array>
#include <ostream>

namespace quelvar::cli {

bool wrongArguments(std::span<const std::string> args, std::size_t count, std::string_view name,
                    std::string_view usage, std::ostream& err)
{
    if (args.size() == count) return false;
    err << "usage: quelvar-cli " << name << ' ' << usage << '\n';
    return true;
}

namespace {

int runNew(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    if (wrongArguments(args, 1, "new", "FILE", err)) return kUsage;
    Setup setup;
    ResetSetupToDefaults(setup.image);
    const FileWriteResult result = writeSetupFile(args[0], setup);
    if (result.ok()) return kOk;
    err << "quelvar-cli: cannot write " << args[0] << ": " << result.reason << '\n';
    return kFailed;
}

int runParams(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 1, "params", "FILE", err)) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    std::string line;
    for (int index = 0; ParamListLine(line, setup.image, index) != 0; ++index)
        out << line << '\n';
    return kOk;
}

int runDump(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 1, "dump", "FILE", err)) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    for (const std::string& line : EaromDumpLines(setup.image))
        out << line << '\n';
    return kOk;
}

int runCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 1, "check", "FILE", err)) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    if (!VerifyCheckBytes(setup.image)) {
        err << "Checksum Error in file " << args[0] << '\n';
        return kFailed;
    }
    out << args[0] << ": check bytes verify\n";
    return kOk;
}

constexpr std::array kModelCommands{
    Command{"new", "FILE        write the factory setup to FILE", runNew},
    Command{"params", "FILE     the parameter list", runParams},
    Command{"dump", "FILE       the setup image dump, 8 bytes a line", runDump},
    Command{"check", "FILE      verify the check bytes of the setup image", runCheck},
};

}  // namespace

bool loadSetup(const std::string& path, Setup& setup, std::ostream& err)
{
    const SetupReadResult result = readSetupFile(path, setup);
    if (!result.opened) {
        err << "quelvar-cli: cannot open " << path << ": " << result.reason << '\n';
        return false;
    }
    if (result.blocks != kSetupBlockCount) {
        err << "quelvar-cli: " << path << ": read " << result.blocks << " of " << kSetupBlockCount
            << " blocks: " << result.reason << '\n';
        return false;
    }
    if (result.fileSize > kSetupFileSize) {
        err << "quelvar-cli: " << path << ": the file is " << result.fileSize
            << " bytes long, longer than a setup file (" << kSetupFileSize << "); not read\n";
        return false;
    }
    if (!result.closed) {
        err << "quelvar-cli: " << path << ": error closing file: " << result.reason << '\n';
        return false;
    }
    return true;
}

std::span<const Command> modelCommands()
{
    return kModelCommands;
}

}  // namespace quelvar::cli
