// Measures building the setup report and painting all its pages to a PDF, as
// Print's preview and `quelvar-cli report --pdf` do, for the factory setup and for
// one whose fifteen functions are all used.
//
//   build/bench/bench_report [RUNS]     default: 20

#include "model/param_items.h"
#include "printing/report_painter.h"
#include "printing/setup_report.h"
#include "script/tally_script.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quelvar;

namespace {

Setup busySetup()
{
    Setup setup;
    ResetSetupToDefaults(setup.image);
    setup.description = std::string(500, 'd');
    const std::vector<std::string> listing(20, "Add\tMemory1\tGross\tTare\tsum");
    for (int n = 1; n <= 15; ++n)
        CompileListing(setup, n, listing, false);
    return setup;
}

// Milliseconds per build + paint, or a negative number when the PDF failed.
double timeReport(const Setup& source, const QString& path, int runs, std::size_t& pages)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) {
        Setup setup = source;
        const SetupReport report = buildSetupReport(setup, "bench.sf", "12/6/26");
        pages = paginateReport(report, reportLayout(ReportPaper::Letter, ReportOrientation::Portrait)).size();
        QString reason;
        if (!ReportPainter::writePdf(report, reportPageLayout(), path, reason)) {
            std::fprintf(stderr, "bench_report: %s\n", qPrintable(reason));
            return -1;
        }
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / runs;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    Setup factory;
    ResetSetupToDefaults(factory.image);
    const struct {
        const char* name;
        Setup setup;
    } cases[] = {{"factory", factory}, {"15 functions", busySetup()}};
    for (const auto& c : cases) {
        std::size_t pages = 0;
        const double ms = timeReport(c.setup, folder.filePath("report.pdf"), runs, pages);
        if (ms < 0) return 1;
        std::printf("%-13s %2zu pages  build + paint to PDF %7.1f ms  (mean of %d)\n", c.name,
                    pages, ms, runs);
    }
    return 0;
}
