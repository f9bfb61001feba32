// quelvar: the editor.
//   quelvar                    edit setups; COM1-COM4 as the settings file says
//   quelvar --simulator        COM1 is the simulated indicator for this run
//   quelvar --screenshots DIR  render the main window and every dialog to DIR and exit
//   quelvar FILE.sf            open that setup file at start, as Open File does

#include "app/application.h"
#include "app/main_form.h"
#include "app/screenshots.h"
#include "app/settings_file.h"
#include "app/simulated_com1.h"
#include "model/setup_document.h"
#include "serial/com_port.h"
#include "ui/qt_services.h"
#include "ui/screenshot_registry.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace quelvar;

namespace {

int runScreenshots(const QString& folder, SetupDocument& document, ComPort& port,
                   QtServices& services)
{
    TMainForm form(document, port, services);
    ScreenshotContext context{document, document.setup(), port, services, &form};
    QStringList failures;
    const QStringList written = renderScreenshots(folder, form, context, failures);
    for (const auto& path : written)
        std::printf("%s\n", qPrintable(path));
    for (const auto& failure : failures)
        std::fprintf(stderr, "quelvar: %s\n", qPrintable(failure));
    return failures.isEmpty() ? 0 : 1;
}

// The editor's options; --help and --version print and end the program.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption simulator{"simulator", "COM1 is the simulated indicator for this run."};
    QCommandLineOption screenshots{
        "screenshots", "Render the main window and every dialog into DIR, then exit.", "DIR"};

    CommandLine()
    {
        parser.setApplicationDescription(
            "Quelvar 2: configuration editor for the weighing indicator");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({simulator, screenshots});
        parser.addPositionalArgument("file", "A setup file (.sf) to open, as Open File does.",
                                     "[FILE.sf]");
    }
};

// Qt cannot start without a display and aborts; a platform named on the command line
// or in QT_QPA_PLATFORM (offscreen, for screenshots) is taken as it is.
bool displayMissing(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "-platform") return false;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value && *value) return false;
    return true;
}

// Help and version need no window system, so they work without a display.
bool onlyPrints(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine commandLine;
    if (onlyPrints(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationVersion(QUELVAR_VERSION);
        commandLine.parser.process(app);  // prints, then exits
        return 0;
    }
    if (displayMissing(argc, argv)) {
        std::fprintf(stderr, "quelvar: no display (DISPLAY or WAYLAND_DISPLAY is not set); try "
                             "`xvfb-run quelvar` or `quelvar-cli`\n");
        return 1;
    }
    QuelvarApplication app(argc, argv);
    TerminationSignals termination;
    commandLine.parser.process(app);
    const QCommandLineOption& simulator = commandLine.simulator;
    const QCommandLineOption& screenshots = commandLine.screenshots;
    const QCommandLineParser& parser = commandLine.parser;

    return runGuardedStartup([&] {
        SetupDocument document;
        SimulatedCom1Driver simulatedCom1;
        const bool simulate = parser.isSet(simulator);
        auto port =
            simulate ? std::make_unique<ComPort>(simulatedCom1) : std::make_unique<ComPort>();
        QtServices services;
        if (parser.isSet(screenshots))
            return runScreenshots(parser.value(screenshots), document, *port, services);

        TMainForm form(document, *port, services);
        services.setHelpOwner(&form);
        if (simulate) form.simulateCom1(SimulatedCom1Driver::kDevice);
        form.FormCreate(defaultSettingsFiles());
        if (termination.received()) return 0;
        form.createHiddenDownloadDialog();
        form.show();
        if (!parser.positionalArguments().isEmpty())
            form.readSetupFile(parser.positionalArguments().constFirst());
        return termination.exec(&form);
    });
}
