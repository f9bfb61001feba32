// quelvar-cli export | import | diff: a setup as readable text.

#include "cli/cli.h"
#include "cli/output.h"

#include "model/file_io.h"
#include "model/setup_file.h"
#include "text/setup_text.h"
#include "text/setup_text_file.h"

#include <array>
#include <ostream>

namespace quelvar::cli {

namespace {

// The whole file, read once: a pipe (`diff <(quelvar-cli export a.sf) b.sf`) cannot be
// read again.
FileReadResult readWhole(const std::string& path)
{
    return readFileStart(path, text::kMaxTextSize + 1);
}

bool readText(const std::string& path, const FileReadResult& file, std::string& text,
              std::ostream& err)
{
    std::string reason;
    if (text::textOf(file, text, reason)) return true;
    err << "quelvar-cli: cannot read " << path << ": " << reason << '\n';
    return false;
}

// A setup from a setup file or from its text; a refusal is reported with its line.
bool loadAny(const std::string& path, Setup& setup, std::ostream& err)
{
    const FileReadResult file = readWhole(path);
    if (!text::holdsSetupText(file))
        return reportSetupRead(path, decodeSetupRead(file, setup), err);
    std::string text;
    if (!readText(path, file, text, err)) return false;
    text::ImportResult result = text::importSetupText(text);
    if (!result.ok()) {
        err << text::refusalAt(path, result.error) << '\n';
        return false;
    }
    setup = std::move(result.setup);
    return true;
}

// A command whose -o names its own input would replace it: usage error.
bool outputIsInput(const std::string& output, const std::string& input, std::ostream& err)
{
    if (!isSameFile(output, input)) return false;
    err << "quelvar-cli: -o " << output << " names the input file; choose another output\n";
    return true;
}

bool writeBytes(const std::string& path, std::span<const std::uint8_t> bytes, std::ostream& err)
{
    const FileWriteResult result = writeFileAtomically(path, bytes);
    if (!result.ok()) err << "quelvar-cli: cannot write " << path << ": " << result.reason << '\n';
    return result.ok();
}

Run defineExport(CLI::App& command)
{
    auto file = addSetupFile(command);
    auto output = std::make_shared<std::string>();
    command.add_option("-o,--output", *output, "write the text to OUT.toml (else to the output)")
        ->check(notEmpty("the output file"))
        ->type_name(kPathValue)
        ->option_text("OUT.toml");
    return [file, output](std::ostream& out, std::ostream& err) {
        if (outputIsInput(*output, *file, err)) return kUsage;
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        const std::string text = text::exportSetupText(setup);
        if (output->empty()) {
            out << text;
            return kOk;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        return writeBytes(*output, {bytes, text.size()}, err) ? kOk : kFailed;
    };
}

Run defineImport(CLI::App& command)
{
    auto file = addFile(command, "TEXT", "setup text (.toml)", kSetupValue);
    auto output = std::make_shared<std::string>();
    command.add_option("-o,--output", *output, "the setup file to write")
        ->check(notEmpty("the output file"))
        ->type_name(kPathValue)
        ->option_text("FILE.sf")
        ->required();
    return [file, output](std::ostream&, std::ostream& err) {
        if (outputIsInput(*output, *file, err)) return kUsage;
        std::string text;
        if (!readText(*file, readWhole(*file), text, err)) return kFailed;
        text::ImportResult result = text::importSetupText(text);
        if (!result.ok()) {
            err << text::refusalAt(*file, result.error) << '\n';
            return kFailed;
        }
        for (const std::string& note : result.notes) err << *file << ": " << note << '\n';
        const SetupFileBytes bytes = encodeSetupFile(result.setup);
        return writeBytes(*output, bytes, err) ? kOk : kFailed;
    };
}

Run defineDiff(CLI::App& command)
{
    auto a = addFile(command, "A", "setup file or setup text (read by its content)", kSetupValue);
    auto b = addFile(command, "B", "setup file or setup text (read by its content)", kSetupValue);
    return [a, b](std::ostream& out, std::ostream& err) {
        Setup first, second;
        if (!loadAny(*a, first, err) || !loadAny(*b, second, err)) return kUsage;
        const auto lines = text::diffText(text::diffSetups(first, second));
        for (const std::string& line : lines) out << line << '\n';
        return lines.empty() ? kOk : kFailed;
    };
}

constexpr std::array kTextCommands{
    Command{"export", "the whole setup of FILE as readable text (TOML)", defineExport},
    Command{"import", "build a setup file from its text", defineImport},
    Command{"diff", "the keys that differ between two setups (exit 1 when any do)", defineDiff},
};

}  // namespace

std::span<const Command> textCommands()
{
    return kTextCommands;
}

}  // namespace quelvar::cli
