// Measures what one quelvar-cli call costs a script, beside a C++ program that does
// nothing: `--version`, and `params` on a factory setup file (output to /dev/null).
// Each program runs RUNS times; the figures are the medians of the CPU time (user +
// system) and of the wall time of one run.
//
//   build/bench/bench_startup [RUNS]     default: 200

#include "model/check_bytes.h"
#include "model/file_io.h"
#include "model/param_items.h"
#include "model/setup_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace quelvar;

namespace {

struct Run {
    double cpuMs = 0;
    double wallMs = 0;
};

double ms(const timeval& t)
{
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// One run with its output thrown away; a negative time when it did not exit 0.
Run runOnce(std::vector<std::string> args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {-1, -1};
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    return {ms(usage.ru_utime) + ms(usage.ru_stime), wall.count()};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of `runs` runs, or nothing when a run failed.
bool measure(const std::vector<std::string>& args, int runs, Run& result)
{
    std::vector<double> cpu, wall;
    for (int i = 0; i < runs; ++i) {
        const Run run = runOnce(args);
        if (run.cpuMs < 0) return false;
        cpu.push_back(run.cpuMs);
        wall.push_back(run.wallMs);
    }
    result = {median(cpu), median(wall)};
    return true;
}

std::string factoryFile()
{
    Setup setup;
    ResetSetupToDefaults(setup.image);
    StoreCheckBytes(setup.image);
    char folder[] = "/tmp/quelvar-bench-startup.XXXXXX";
    const std::string path = std::string(mkdtemp(folder)) + "/factory.sf";
    return writeFileAtomically(path, encodeSetupFile(setup)).ok() ? path : std::string();
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const std::string file = factoryFile();
    if (file.empty()) {
        std::fprintf(stderr, "bench_startup: cannot write a setup file in /tmp\n");
        return 1;
    }
    const struct {
        const char* name;
        std::vector<std::string> args;
    } programs[] = {
        {"a C++ program that does nothing", {QUELVAR_DO_NOTHING}},
        {"quelvar-cli --version", {QUELVAR_CLI, "--version"}},
        {"quelvar-cli params FILE", {QUELVAR_CLI, "params", file}},
    };
    std::printf("Start-up, median of %d runs      CPU ms   wall ms   CPU vs nothing\n", runs);
    double floor = 0;
    int status = 0;
    for (const auto& program : programs) {
        Run run;
        if (!measure(program.args, runs, run)) {
            std::printf("%-34s failed\n", program.name);
            status = 1;
            continue;
        }
        if (floor == 0) floor = run.cpuMs > 0 ? run.cpuMs : 1e-3;
        std::printf("%-34s %6.2f   %7.2f   %5.1fx\n", program.name, run.cpuMs, run.wallMs,
                    run.cpuMs / floor);
    }
    std::remove(file.c_str());
    std::remove(file.substr(0, file.rfind('/')).c_str());
    return status;
}
