// Measures how long the editor's event loop stalls while the upload and download
// dialogs run against the built-in simulated indicator (`quelvar --simulator`), whose
// writes wait for line time as a real port's do: a 1 ms timer records the longest
// gap between two of its events. A window that stalls for longer than about 100 ms
// feels frozen. Each transfer's time is set against the protocol floor: the time its
// bytes take on the line (10 bits a byte) from Begin to the last answer.
//
//   build/bench/bench_event_loop [BAUD...]     default: 1200 9600 57600 115200

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "model/check_bytes.h"
#include "serial/com_port.h"
#include "sim/simulator_driver.h"
#include "transfer/download_form.h"
#include "transfer/upload_form.h"
#include "ui/services.h"

using namespace quelvar;

namespace {

// Boxes are recorded, never shown: nothing waits for a click.
class QuietServices : public Services {
public:
    QString last;
    void message(const QString& text, const QString&) override { last = text; }
    void error(const QString& text, const QString&) override { last = text; }
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::Cancel; }
    bool warnYesNo(const QString&) override { return false; }
    bool askOkCancel(const QString&, BoxIcon) override { return false; }
    std::optional<QString> chooseOpenFile() override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const QString&) override { return std::nullopt; }
    std::optional<QString> choosePdfFile(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseTextFile(const QString&) override { return std::nullopt; }
    void showHelp(const QString&) override {}
    void showHelpContext(int) override {}
};

struct Measured {
    double seconds = 0;
    double longestStallMs = 0;
    double stallEndedAt = 0;  // seconds from the start
};

// Runs the event loop until `done`, measuring the longest gap between meter events.
Measured measure(const std::function<void(QEventLoop&)>& start, const std::function<bool()>& done)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    qint64 longestEnd = 0;
    QTimer meter;
    meter.setTimerType(Qt::PreciseTimer);
    meter.setInterval(1);
    QObject::connect(&meter, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (now - last > longest) {
            longest = now - last;
            longestEnd = now;
        }
        last = now;
    });
    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    clock.start();
    meter.start();
    watch.start(20);
    start(loop);
    loop.exec();
    return {static_cast<double>(clock.nsecsElapsed()) / 1e9, static_cast<double>(longest) / 1e6,
            static_cast<double>(longestEnd) / 1e9};
}

// Presses Begin and runs the event loop until the exchange ends.
Measured run(TransferForm& form)
{
    form.show();
    return measure([&](QEventLoop&) { form.BeginButtonClick(); },
                   [&] { return !form.session().active(); });
}

// The same meter on an idle loop for as long as an upload at 1200 baud takes: what the
// machine alone costs (other programs' load shows here too).
Measured idle()
{
    QElapsedTimer clock;
    return measure([&](QEventLoop&) { clock.start(); }, [&] { return clock.elapsed() > 17000; });
}

// Bytes on the line from Begin on: "S", 'I', the command, the image and, for the
// upload, the acknowledgement.
constexpr int kUploadLineBytes = 1 + 1 + 2 + 2048 + 1;
constexpr int kDownloadLineBytes = 1 + 1 + 2 + 2048;

void report(int baud, const char* what, int lineBytes, const Measured& m, const QString& outcome)
{
    std::printf("%6d baud  %-8s  %6.2f s (floor %5.2f s)   longest stall %6.1f ms (ended at "
                "%5.2f s)   %s\n",
                baud, what, m.seconds, 10.0 * lineBytes / baud, m.longestStallMs, m.stallEndedAt,
                qPrintable(outcome));
    std::fflush(stdout);
}

bool bench(int baud)
{
    SimulatorDriver driver;
    ComPort port(driver);
    port.portNumber = 1;
    port.baudRate = baud;
    if (!port.Open() || !port.Configure()) return false;
    QuietServices services;
    Setup setup;
    SetupImage& image = setup.image;
    image = factoryIndicatorMemory();
    image[100] = 0x42;
    StoreCheckBytes(image);

    EditorOptions options;
    options.readFirst = false;
    TUploadForm upload(port, setup, "bench.sf", options, services);
    report(baud, "upload", kUploadLineBytes, run(upload), services.last);
    const bool uploaded = services.last == "+++  Upload Complete  +++";
    SetupImage back{};
    TDownloadForm download(port, back, services);
    report(baud, "download", kDownloadLineBytes, run(download), services.last);
    return uploaded && back == image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> rates;
    for (int i = 1; i < argc; ++i)
        rates.push_back(std::atoi(argv[i]));
    if (rates.empty()) rates = {1200, 9600, 57600, 115200};
    const Measured floor = idle();
    std::printf("idle event loop  %6.2f s   longest stall %6.1f ms\n", floor.seconds,
                floor.longestStallMs);
    bool ok = true;
    for (int baud : rates)
        ok = bench(baud) && ok;
    return ok ? 0 : 1;
}
