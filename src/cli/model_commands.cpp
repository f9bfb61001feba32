// quelvar-cli new | params | dump | check: the setup file and its image.

#include "cli/cli.h"

#include "model/check_bytes.h"
#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_file.h"

#include <array>
#include <ostream>

namespace quelvar::cli {

namespace {

Run defineNew(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream&, std::ostream& err) {
        Setup setup;
        ResetSetupToDefaults(setup.image);
        const FileWriteResult result = writeSetupFile(*file, setup);
        if (result.ok()) return kOk;
        err << "quelvar-cli: cannot write " << *file << ": " << result.reason << '\n';
        return kFailed;
    };
}

Run defineParams(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        std::string line;
        for (int index = 0; ParamListLine(line, setup.image, index) != 0; ++index)
            out << line << '\n';
        return kOk;
    };
}

Run defineDump(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        for (const std::string& line : EaromDumpLines(setup.image))
            out << line << '\n';
        return kOk;
    };
}

Run defineCheck(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        if (!VerifyCheckBytes(setup.image)) {
            err << "Checksum Error in file " << *file << '\n';
            return kFailed;
        }
        out << *file << ": check bytes verify\n";
        return kOk;
    };
}

constexpr std::array kModelCommands{
    Command{"new", "write the factory setup to FILE", defineNew},
    Command{"params", "the parameter list", defineParams},
    Command{"dump", "the setup image dump, 8 bytes a line", defineDump},
    Command{"check", "verify the check bytes of the setup image", defineCheck},
};

}  // namespace

bool loadSetup(const std::string& path, Setup& setup, std::ostream& err)
{
    return reportSetupRead(path, readSetupFile(path, setup), err);
}

bool reportSetupRead(const std::string& path, const SetupReadResult& result, std::ostream& err)
{
    if (!result.opened) {
        err << "quelvar-cli: cannot open " << path << ": " << result.reason << '\n';
        return false;
    }
    if (result.blocks != kSetupBlockCount) {
        err << "quelvar-cli: " << path << ": read " << result.blocks << " of " << kSetupBlockCount
            << " blocks: " << result.reason << '\n';
        return false;
    }
    if (!result.closed) {
        err << "quelvar-cli: " << path << ": error closing file: " << result.reason << '\n';
        return false;
    }
    // The editor reads such a file the same way.
    if (result.fileSize > kSetupFileSize)
        err << "quelvar-cli: " << path << ": the file is " << result.fileSize
            << " bytes long; the bytes after " << kSetupFileSize << " were ignored\n";
    return true;
}

std::span<const Command> modelCommands()
{
    return kModelCommands;
}

}  // namespace quelvar::cli
