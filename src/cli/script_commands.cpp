// quelvar-cli listing | decompile | compile: Tally Script user functions.

#include "cli/cli.h"

#include "model/file_io.h"
#include "model/setup_file.h"
#include "script/function_listing.h"
#include "script/tally_script.h"

#include <array>
#include <charconv>
#include <optional>
#include <ostream>

namespace quelvar::cli {

namespace {

constexpr std::size_t kMaxListingFileSize = 1 << 20;

// A function number 0-15 written in plain digits.
std::optional<int> functionNumber(const std::string& text, std::ostream& err)
{
    int n = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec == std::errc{} && end == text.data() + text.size() && isFunctionNumber(n)) return n;
    err << "quelvar-cli: '" << text << "' is not a function number (0-15)\n";
    return std::nullopt;
}

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

int runListing(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 1, "listing", "FILE", err)) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    out << tallyScriptListText(setup);
    return kOk;
}

int runDecompile(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 2, "decompile", "FILE N", err)) return kUsage;
    auto n = functionNumber(args[1], err);
    if (!n) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    for (const auto& line : rebuildListing(setup, *n)) out << line << '\n';
    return kOk;
}

int runCompile(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (wrongArguments(args, 3, "compile", "FILE N LISTING", err)) return kUsage;
    auto n = functionNumber(args[1], err);
    if (!n) return kUsage;
    Setup setup;
    if (!loadSetup(args[0], setup, err)) return kFailed;
    auto lines = readListing(args[2], err);
    if (!lines) return kFailed;

    setSlotGuard(setup.image, *n);  // as opening the function in the editor does
    const CompileResult result = CompileListing(setup, *n, *lines, true);
    if (!result.success) {
        if (result.failingLine >= 0) err << "line " << result.failingLine + 1 << ": ";
        err << result.message() << '\n';
        return kFailed;
    }
    const FileWriteResult written = writeSetupFile(args[0], setup);
    if (!written.ok()) {
        err << "quelvar-cli: cannot write " << args[0] << ": " << written.reason << '\n';
        return kFailed;
    }
    out << compileSuccessText(result.byteCount) << '\n';
    return kOk;
}

constexpr std::array kScriptCommands{
    Command{"listing", "FILE    the Tally Script list: description and every user function",
            runListing},
    Command{"decompile", "FILE N  the listing of function N (0-15), fields joined by TAB",
            runDecompile},
    Command{"compile", "FILE N LISTING  compile the listing lines in LISTING into function N",
            runCompile},
};

}  // namespace

std::span<const Command> scriptCommands()
{
    return kScriptCommands;
}

}  // namespace quelvar::cli
