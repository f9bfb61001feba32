#pragma once
// Runs quelvar-indicator-sim as a child process on its own pseudo-terminal, for
// end-to-end tests and the bench. The simulator prints its device path on the first
// line of stdout; its exchange log (stderr) is collected in a file.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quelvar::test {

class SimProcess {
public:
    // `program` is the simulator's path; `args` its options (--baud, --fault ...).
    SimProcess(const std::string& program, const std::vector<std::string>& args)
    {
        char logTemplate[] = "/tmp/quelvar-sim-log-XXXXXX";
        const int logFd = mkstemp(logTemplate);
        m_logPath = logTemplate;
        int out[2];
        if (logFd < 0 || pipe(out) != 0) return;

        std::vector<std::string> all{program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        m_pid = fork();
        if (m_pid == 0) {
            // The simulator runs until killed: make sure it goes with a crashed test.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(out[1], STDOUT_FILENO);
            dup2(logFd, STDERR_FILENO);
            close(out[0]);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        close(logFd);
        m_stdout = fdopen(out[0], "r");
        readDevicePath();
    }

    ~SimProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_stdout) fclose(m_stdout);
        unlink(m_logPath.c_str());
    }

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Stops the simulator with SIGTERM: its exit status, or -1 when it had to be killed.
    int stop()
    {
        if (m_pid <= 0) return m_status;
        kill(m_pid, SIGTERM);
        int status = 0;
        pid_t done = 0;
        for (int i = 0; i < 200 && (done = waitpid(m_pid, &status, WNOHANG)) == 0; ++i)
            usleep(10'000);
        if (done == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
        return m_status = done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The pty device the simulator answers on; empty when it did not start.
    const std::string& devicePath() const { return m_devicePath; }

    // Everything the simulator has logged so far.
    std::string log() const
    {
        std::ifstream in(m_logPath);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The log once `done` holds for it, or after 5 s: the simulator logs a line only
    // after it has read what the other end sent, which may come after that end exits.
    template <typename Done> std::string logOnce(Done done) const
    {
        std::string text = log();
        for (int i = 0; i < 500 && !done(text); ++i) {
            usleep(10'000);
            text = log();
        }
        return text;
    }

private:
    void readDevicePath()
    {
        char line[512];
        if (!m_stdout || !fgets(line, sizeof line, m_stdout)) return;
        m_devicePath = line;
        while (!m_devicePath.empty() &&
               (m_devicePath.back() == '\n' || m_devicePath.back() == '\r'))
            m_devicePath.pop_back();
    }

    pid_t m_pid = -1;
    int m_status = -1;
    FILE* m_stdout = nullptr;
    std::string m_devicePath;
    std::string m_logPath;
};

}  // namespace quelvar::test
