// quelvar-cli report: the setup report as text or as a PDF.

#include "cli/cli.h"

#include "model/setup.h"
#include "printing/report_pages.h"

#include <array>
#include <map>
#include <ostream>

namespace quelvar::cli {

namespace {

struct ReportArgs {
    std::string file;
    bool text = false;
    std::string pdf;
    std::string date;
    ReportPaper paper = ReportPaper::Letter;
    bool landscape = false;
};

// FILE, then exactly one of --text and --pdf OUT.pdf; --date replaces today's date,
// --paper and --landscape the Letter portrait page the pages are laid out for.
std::shared_ptr<ReportArgs> addReportArgs(CLI::App& command)
{
    auto a = std::make_shared<ReportArgs>();
    command.add_option("FILE", a->file, "setup file (.sf)")->required()->type_name(kSetupValue);
    auto* mode = command.add_option_group("output", "one of");
    mode->add_flag("--text", a->text,
                   "the pages as text: cells TAB-separated, a form feed between pages");
    mode->add_option("--pdf", a->pdf, "write the pages as a PDF to this file")
        ->type_name(kPathValue);
    mode->require_option(1);
    command.add_option("--date", a->date, "the date in the title (default: today)");
    const std::map<std::string, ReportPaper> papers{
        {"letter", ReportPaper::Letter}, {"a4", ReportPaper::A4}, {"legal", ReportPaper::Legal}};
    command.add_option("--paper", a->paper, "letter (default), a4 or legal")
        ->transform(
            CLI::CheckedTransformer(papers, CLI::ignore_case).description("{letter,a4,legal}"));
    command.add_flag("--landscape", a->landscape, "lay the pages out across the paper");
    return a;
}

Run defineReport(CLI::App& command)
{
    auto a = addReportArgs(command);
    return [a](std::ostream& out, std::ostream& err) {
        Setup setup;
        if (!loadSetup(a->file, setup, err)) return kFailed;
        const std::string date = a->date.empty() ? todayShortDate() : a->date;
        const SetupReport report = buildSetupReport(setup, a->file, date);
        const auto orientation =
            a->landscape ? ReportOrientation::Landscape : ReportOrientation::Portrait;
        if (a->text) {
            out << reportText(paginateReport(report, reportLayout(a->paper, orientation)));
            return kOk;
        }
        std::string reason;
        if (writeReportPdf(report, a->paper, orientation, a->pdf, reason)) return kOk;
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
