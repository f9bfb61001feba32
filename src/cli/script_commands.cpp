// quelvar-cli listing | decompile | compile: Tally Script user functions.

#include "cli/cli.h"

#include "model/file_io.h"
#include "model/setup_file.h"
#include "script/function_listing.h"
#include "script/tally_script.h"

#include <array>
#include <optional>
#include <ostream>

namespace quelvar::cli {

namespace {

constexpr std::size_t kMaxListingFileSize = 1 << 20;

// The listing lines of a text file: one per line, CR LF line ends accepted.
std::optional<std::vector<std::string>> readListing(const std::string& path, std::ostream& err)
{
    FileReadResult file = readFileStart(path, kMaxListingFileSize + 1);
    if (!file.opened || file.readFailed) {
        err << "quelvar-cli: cannot read " << path << ": " << file.reason << '\n';
        return std::nullopt;
    }
    if (file.bytes.size() > kMaxListingFileSize) {
        err << "quelvar-cli: " << path << " is too long for a listing\n";
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

Run defineListing(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        out << tallyScriptListText(setup);
        return kOk;
    };
}

Run defineDecompile(CLI::App& command)
{
    auto file = addSetupFile(command);
    auto n = addFunctionNumber(command);
    return [file, n](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        for (const auto& line : rebuildListing(setup, *n))
            out << line << '\n';
        return kOk;
    };
}

int compile(const std::string& file, int n, const std::string& listing, std::ostream& out,
            std::ostream& err)
{
    Setup setup;
    if (!loadSetup(file, setup, err)) return kFailed;
    auto lines = readListing(listing, err);
    if (!lines) return kFailed;

    setSlotGuard(setup.image, n);  // as opening the function in the editor does
    const CompileResult result = CompileListing(setup, n, *lines, true);
    if (!result.success) {
        if (result.failingLine >= 0) err << "line " << result.failingLine + 1 << ": ";
        err << result.message() << '\n';
        return kFailed;
    }
    const FileWriteResult written = writeSetupFile(file, setup);
    if (!written.ok()) {
        err << "quelvar-cli: cannot write " << file << ": " << written.reason << '\n';
        return kFailed;
    }
    out << compileSuccessText(result.byteCount) << '\n';
    return kOk;
}

Run defineCompile(CLI::App& command)
{
    auto file = addSetupFile(command);
    auto n = addFunctionNumber(command);
    auto listing = addFile(command, "LISTING", "text file of listing lines, fields joined by TAB");
    return [file, n, listing](std::ostream& out, std::ostream& err) {
        return compile(*file, *n, *listing, out, err);
    };
}

constexpr std::array kScriptCommands{
    Command{"listing", "the Tally Script list: description and every user function", defineListing},
    Command{"decompile", "the listing of function N, fields joined by TAB", defineDecompile},
    Command{"compile", "compile the listing lines in LISTING into function N of FILE",
            defineCompile},
};

}  // namespace

std::span<const Command> scriptCommands()
{
    return kScriptCommands;
}

}  // namespace quelvar::cli
