#pragma once
// Runs quelvar-cli as a user would (no shell in between) and captures what it says.
//
//   CliRun run = runCli({"params", file});
//   EXPECT_EQ(run.exitCode, 0) << run.err;
//   runCli({"export", file}, "/dev/full");   // standard output to a file of our choice

#include "temp_dir.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace quelvar::test {

struct CliRun {
    int exitCode = -1;  // -1 when the program could not be started or did not exit
    std::string out;
    std::string err;
};

inline CliRun runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stdoutPath = {})
{
    TempDir captured;
    const std::string outPath = stdoutPath.empty() ? captured.path("out") : stdoutPath;
    const std::string errPath = captured.path("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    CliRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.err = "cannot start " + program;
        return run;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (stdoutPath.empty()) run.out = captured.read("out");
    run.err = captured.read("err");
    return run;
}

#ifdef QUELVAR_CLI
inline CliRun runCli(const std::vector<std::string>& args, const std::string& stdoutPath = {})
{
    return runProgram(QUELVAR_CLI, args, stdoutPath);
}
#endif

}  // namespace quelvar::test
