// Measures turning a setup into its text and back, as quelvar-cli export and import
// do, for the factory setup, a busy one (fifteen functions, labels, a description)
// and one of random bytes (every key raw).
//
//   build/bench/bench_setup_text [RUNS]     default: 50

#include "model/check_bytes.h"
#include "model/param_items.h"
#include "model/setup_file.h"
#include "printing/label_codec.h"
#include "script/tally_script.h"
#include "text/setup_text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

using namespace quelvar;

namespace {

Setup factorySetup()
{
    Setup setup;
    ResetSetupToDefaults(setup.image);
    return setup;
}

Setup busySetup()
{
    Setup setup = factorySetup();
    setup.description = std::string(500, 'd');
    const std::vector<std::string> listing(20, "Add\tMemory1\tGross\tTare\tsum");
    for (int n = 1; n <= 15; ++n) CompileListing(setup, n, listing, false);
    for (const PrintLabel& label : printLabels()) storeLabel(setup.image, label, "Net <N> {Tkt}");
    return setup;
}

Setup randomSetup()
{
    std::mt19937 random(7);
    SetupFileBytes bytes;
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    Setup setup;
    decodeSetupFile(bytes, setup);
    return setup;
}

template <typename F> double millisecondsPerRun(int runs, F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / runs;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    bool fast = true;
    for (auto [name, setup] : {std::pair{"factory", factorySetup()}, std::pair{"busy", busySetup()},
                               std::pair{"random", randomSetup()}}) {
        sealSetup(setup);
        std::string text;
        const double exporting = millisecondsPerRun(runs, [&] { text = text::exportSetupText(setup); });
        bool same = true;
        const double importing = millisecondsPerRun(runs, [&] {
            same = encodeSetupFile(text::importSetupText(text).setup) == encodeSetupFile(setup);
        });
        std::printf("%-8s export %6.2f ms   import %6.2f ms   %6zu bytes of text%s\n", name,
                    exporting, importing, text.size(), same ? "" : "   NOT THE SAME SETUP");
        fast = fast && same && exporting < 50 && importing < 100;
    }
    std::printf(fast ? "export under 50 ms and import under 100 ms\n"
                     : "TOO SLOW or not the same setup (limits: export 50 ms, import 100 ms)\n");
    return fast ? 0 : 1;
}
