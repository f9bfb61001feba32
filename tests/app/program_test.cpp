// The editor as a program: it says why it cannot start without a display, and a
// signal ends it cleanly, settings written, even while a start-up box is up.

#include "temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

using namespace quelvar::test;

namespace {

using namespace std::chrono_literals;

// The editor started with only these variables in its environment (and its
// sanitizers, if any, quiet about the toolkit's leaks), stderr to `errPath`.
pid_t startEditor(const std::vector<std::string>& args, std::vector<std::string> environment,
                  const std::string& errPath)
{
    environment.push_back("ASAN_OPTIONS=detect_leaks=0");
    std::vector<std::string> all{QUELVAR_EDITOR};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (auto& a : all)
        argv.push_back(a.data());
    for (auto& e : environment)
        envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, QUELVAR_EDITOR, &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Its exit status, or -1 when it did not exit by itself within 60 s.
int exitStatus(pid_t pid)
{
    int status = 0;
    for (int i = 0; i < 6000; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(10ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

// Whether the process has its own handler for `signal` (/proc/PID/status, SigCgt).
bool catches(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("SigCgt:"))
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

}  // namespace

TEST(EditorProgram, WithoutADisplayItSaysSoAndExits1)
{
    TempDir dir;
    const int status = exitStatus(startEditor({}, {"HOME=" + dir.path()}, dir.path("err")));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(dir.read("err"), "quelvar: no display (DISPLAY or WAYLAND_DISPLAY is not set); try "
                               "`xvfb-run quelvar` or `quelvar-cli`\n");
}

// A setup file that cannot be read makes a box at start-up; the signal comes while it
// is up (or about to be), and the editor ends, writing its settings.
TEST(EditorProgram, ASignalDuringAStartUpBoxEndsItWritingTheSettings)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        const std::string settings = dir.path("config/quelvar/quelvar.INI");
        std::filesystem::create_directories(dir.path("config/quelvar"));
        dir.write("config/quelvar/quelvar.INI", "[Com]\nbaud=9600\n");
        const pid_t pid = startEditor(
            {"--simulator", dir.path("missing.sf")},
            {"HOME=" + dir.path(), "XDG_CONFIG_HOME=" + dir.path("config"),
             "QT_QPA_PLATFORM=offscreen", "TMPDIR=" + dir.path()},
            dir.path("err"));
        ASSERT_GT(pid, 0);
        for (int i = 0; i < 6000 && !catches(pid, signal); ++i)  // slow with sanitizers
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(200ms);
        ::kill(pid, signal);
        EXPECT_EQ(exitStatus(pid), 0) << dir.read("err");
        EXPECT_EQ(dir.read("config/quelvar/quelvar.INI"),
                  "[Com]\nbaud=9600\ncomport=1\nparity=110\nbyteSize=8\nstops=0\n");
    }
}
