// Measures whole transfers against quelvar-indicator-sim pacing its line, with the
// dialogs' own timers (50 ms upload, 100 ms download), and compares each wall time
// with the time the 2048-byte block alone takes on the line (10 bits a byte).
//
//   build/bench/bench_transfer [BAUD...]     default: 57600 9600

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/check_bytes.h"
#include "serial/com_port.h"
#include "sim_process.h"
#include "transfer/download_session.h"
#include "transfer/session_runner.h"
#include "transfer/upload_session.h"

using namespace quelvar;

namespace {

// Seconds a whole session takes, or a negative number when it did not complete.
double timeSession(TransferSession& session)
{
    const auto start = std::chrono::steady_clock::now();
    session.begin();
    const TransferStep step = runSession(session, std::chrono::milliseconds(session.intervalMs()));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (step != TransferStep::Succeeded) {
        std::fprintf(stderr, "bench_transfer: %s\n", session.message().c_str());
        return -1;
    }
    return took.count();
}

void report(const char* what, int baud, double wall, double line)
{
    if (wall < 0) {
        std::printf("%6d baud  %-8s  failed\n", baud, what);
        return;
    }
    std::printf("%6d baud  %-8s  wall %6.2f s   line %5.2f s   ratio %4.2f\n", baud, what, wall,
                line, wall / line);
}

bool bench(int baud)
{
    test::SimProcess sim(QUELVAR_INDICATOR_SIM, {"--baud", std::to_string(baud)});
    ComPort port;
    port.setDevices({{"com1", sim.devicePath()}});
    port.portNumber = 1;
    port.baudRate = baud;
    if (sim.devicePath().empty() || !port.Open() || !port.Configure()) {
        std::fprintf(stderr, "bench_transfer: cannot open the simulator's line %s\n",
                     sim.devicePath().c_str());
        return false;
    }
    SetupImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 31);
    StoreCheckBytes(image);
    const double line = 10.0 * kSetupImageSize / baud;

    UploadSession upload(port, image);
    const double up = timeSession(upload);
    report("upload", baud, up, line);
    SetupImage back{};
    DownloadSession download(port, back);
    const double down = timeSession(download);
    report("download", baud, down, line);
    return up >= 0 && down >= 0 && back == image;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> rates;
    for (int i = 1; i < argc; ++i)
        rates.push_back(std::atoi(argv[i]));
    if (rates.empty()) rates = {57600, 9600};
    bool ok = true;
    for (int baud : rates)
        ok = bench(baud) && ok;
    return ok ? 0 : 1;
}
