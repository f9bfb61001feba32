// quelvar-cli report: the setup report as text or as a PDF.

#include "cli/cli.h"

#include "model/setup.h"
#include "printing/setup_report.h"

#include <array>
#include <ostream>

namespace quelvar::cli {

namespace {

struct ReportArgs {
    std::string file;
    bool text = false;
    std::string pdf;
    std::string date;
};

// FILE, then exactly one of --text and --pdf OUT.pdf; --date replaces today's date.
std::shared_ptr<ReportArgs> addReportArgs(CLI::App& command)
{
    auto a = std::make_shared<ReportArgs>();
    command.add_option("FILE", a->file, "setup file (.sf)")->required();
    auto* mode = command.add_option_group("output", "one of");
    mode->add_flag("--text", a->text,
                   "the pages as text: cells TAB-separated, a form feed between pages");
    mode->add_option("--pdf", a->pdf, "write the pages as a PDF to this file");
    mode->require_option(1);
    command.add_option("--date", a->date, "the date in the title (default: today)");
    return a;
}

Run defineReport(CLI::App& command)
{
    auto a = addReportArgs(command);
    return [a](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(a->file, setup, err)) return kFailed;
        const std::string date = a->date.empty() ? todayShortDate() : a->date;
        const auto pages = paginateReport(buildSetupReport(setup, a->file, date));
        if (a->text) {
            out << reportText(pages);
            return kOk;
        }
        std::string reason;
        if (writeReportPdf(pages, a->pdf, reason)) return kOk;
        err << "quelvar-cli: cannot write " << a->pdf << ": " << reason << '\n';
        return kFailed;
    };
}

constexpr std::array kReportCommands{
    Command{"report", "the setup report as text (--text) or as a PDF (--pdf OUT.pdf)",
            defineReport},
};

}  // namespace

std::span<const Command> reportCommands()
{
    return kReportCommands;
}

}  // namespace quelvar::cli
