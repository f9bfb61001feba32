// quelvar-cli labels | set-label | pages | set-page: print labels and page formats.

#include "cli/cli.h"

#include "model/utf8_text.h"
#include "model/setup_file.h"
#include "printing/label_codec.h"
#include "printing/page_format.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <ostream>

namespace quelvar::cli {

namespace {

bool saveSetup(const std::string& path, Setup& setup, std::ostream& err)
{
    const FileWriteResult written = writeSetupFile(path, setup);
    if (written.ok()) return true;
    err << "quelvar-cli: cannot write " << path << ": " << written.reason << '\n';
    return false;
}

// 32, 33, 34 or 84 to 90 in plain decimal digits.
CLI::Validator labelNumber()
{
    const CLI::Validator decimal = decimalIn(32, 90, "a label number");
    return CLI::Validator(
        [decimal](std::string& text) {
            std::string error = decimal(text);
            if (error.empty() && !findPrintLabel(std::stoi(text)))
                error = "there is no label " + text + " (32-34, 84-90)";
            return error;
        },
        "32-34, 84-90");
}

// Any 32-bit whole number in decimal digits, handed on in canonical form.
CLI::Validator wholeNumber(const std::string& what)
{
    return CLI::Validator(
        [what](std::string& text) -> std::string {
            std::int32_t n = 0;
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, n);
            if (text.empty() || ec != std::errc{} || ptr != end)
                return "'" + text + "' is not " + what;
            text = std::to_string(n);
            return {};
        },
        "");
}

Run defineLabels(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        for (const PrintLabel& label : printLabels())
            out << label.number << '\t' << readLabel(setup.image, label) << '\n';
        return kOk;
    };
}

// The text is taken as UTF-8 and stored in the indicator's character set, as the
// dialog stores a typed text; a character outside it is refused and nothing is
// written. A too-long label is stored cut, as the dialog's OK does, and said on stderr.
Run defineSetLabel(CLI::App& command)
{
    auto file = addSetupFile(command);
    auto number = std::make_shared<int>(0);
    command.add_option("NN", *number, "label number")->required()->transform(labelNumber());
    auto text = std::make_shared<std::string>();
    command.add_option("TEXT", *text, "the label as the dialog shows it, <G> {Tkt} <13> ...")
        ->required();
    return [file, number, text](std::ostream&, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        const PrintLabel& label = *findPrintLabel(*number);
        const Latin1Text typed = utf8ToLatin1(*text);
        if (!typed.ok()) {
            err << "quelvar-cli: " << labelCharacterMessage(label, typed.refused) << '\n';
            return kFailed;
        }
        if (!storeLabel(setup.image, label, typed.text)) err << labelTooLongMessage(label) << '\n';
        return saveSetup(*file, setup, err) ? kOk : kFailed;
    };
}

Run definePages(CLI::App& command)
{
    auto file = addSetupFile(command);
    return [file](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        for (int page = 1; page <= kPageFormatCount; ++page) {
            const PageFormat format = readPageFormat(setup.image, page);
            for (int entry = 1; entry <= kPageEntryCount; ++entry) {
                const PageEntry e = pageEntry(format, entry);
                out << page << '\t' << entry << '\t' << int{e.row} << '\t' << int{e.column} << '\t'
                    << pageItemName(e.item) << '\n';
            }
        }
        return kOk;
    };
}

std::shared_ptr<int> addNumber(CLI::App& command, const std::string& name, const std::string& help,
                               const CLI::Validator& check)
{
    auto n = std::make_shared<int>(0);
    command.add_option(name, *n, help)->required()->transform(check);
    return n;
}

// The row and column keep their low 8 bits, as in the page items dialog.
Run defineSetPage(CLI::App& command)
{
    auto file = addSetupFile(command);
    auto page = addNumber(command, "PAGE", "page format number",
                          decimalIn(1, kPageFormatCount, "a page format"));
    auto entry = addNumber(command, "ENTRY", "entry of the page format",
                           decimalIn(1, kPageEntryCount, "an entry number"));
    auto row =
        addNumber(command, "ROW", "printed line, 0 for an empty entry; the low 8 bits are kept",
                  wholeNumber("a row number"));
    auto column = addNumber(command, "COLUMN", "print column; the low 8 bits are kept",
                            wholeNumber("a column number"));
    auto item = std::make_shared<std::string>();
    command.add_option("ITEM", *item, "print item name, a code 0-255, or empty for none")
        ->required();
    return [=](std::ostream&, std::ostream& err) {
        Setup setup;
        if (!loadSetup(*file, setup, err)) return kFailed;
        if (!setPageEntry(setup.image, *page, *entry, *row, *column, *item)) {
            err << pageItemNotValidMessage(*item) << '\n';
            return kFailed;
        }
        return saveSetup(*file, setup, err) ? kOk : kFailed;
    };
}

constexpr std::array kPrintingCommands{
    Command{"labels", "the ten print labels: number, TAB, the text as the dialog shows it",
            defineLabels},
    Command{"set-label", "store TEXT as print label NN, as the print labels dialog's OK does",
            defineSetLabel},
    Command{"pages", "the four page formats: page, entry, row, column, item, TAB-separated",
            definePages},
    Command{"set-page", "store one page format entry, as the page items dialog's OK does",
            defineSetPage},
};

}  // namespace

std::span<const Command> printingCommands()
{
    return kPrintingCommands;
}

}  // namespace quelvar::cli
