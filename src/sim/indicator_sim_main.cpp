// quelvar-indicator-sim: a simulated indicator on a pseudo-terminal.
// It prints the path of its device on the first line of stdout and runs until
// it gets SIGINT or SIGTERM; each exchange is logged on stderr.

#include "cli/command_line.h"
#include "model/check_bytes.h"
#include "model/setup_file.h"
#include "sim/indicator_simulator.h"
#include "sim/line_pacer.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

using namespace quelvar;

namespace {

using Clock = LinePacer::Clock;
constexpr auto kLineIdle = std::chrono::seconds(1);

struct Options {
    std::string link;
    std::string load;
    std::string save;
    long baud = 0;
    std::vector<std::string> faults;
};

// "{busy,error,...,extra=N}": the fault names as a list the help and the
// completion show.
std::string faultList()
{
    std::string list = "{";
    for (char c : kSimulatorFaultNames)
        if (c != ' ') list += c;
    return list + "}";
}

void declareOptions(CLI::App& app, Options& options)
{
    app.get_formatter()->label("Usage", "usage");
    app.set_version_flag("--version", "quelvar-indicator-sim " QUELVAR_VERSION);
    app.add_option("--link", options.link, "also make a symbolic link to the device here")
        ->type_name(cli::kPathValue);
    app.add_option("--load,--file", options.load, "start with the image of this setup file")
        ->type_name(cli::kSetupValue);
    app.add_option("--save", options.save, "write every accepted upload to this setup file")
        ->type_name(cli::kSetupValue);
    app.add_option("--baud", options.baud, "pace the line at N baud (default: unpaced)")
        ->type_name("N")
        ->transform(cli::decimalIn(1, 1'000'000'000, "a positive number"));
    app.add_option("--fault", options.faults, "misbehave so (repeatable)")
        ->type_name(faultList())
        ->check([](const std::string& fault) {
            SimulatorFaults unused;
            return setSimulatorFault(fault, unused);
        });
    cli::addBashCompletionFlag(app);
}

bool loadMemory(const std::string& path, SetupImage& memory)
{
    Setup setup;
    const SetupReadResult result = readSetupFile(path, setup);
    if (!result.opened || result.blocks < 1) {
        std::cerr << "quelvar-indicator-sim: cannot load " << path << ": "
                  << (result.reason.empty() ? "no setup image in it" : result.reason) << '\n';
        return false;
    }
    if (!VerifyCheckBytes(setup.image))
        std::cerr << "quelvar-indicator-sim: note: the check bytes of " << path
                  << " are wrong; a download will report them\n";
    memory = setup.image;
    return true;
}

void saveImage(const std::string& path, const SetupImage& image)
{
    Setup setup;
    setup.image = image;  // as received, check bytes included; the texts stay empty
    const auto bytes = encodeSetupFile(setup);
    const FileWriteResult result = writeFileAtomically(path, bytes);
    std::cerr << (result.ok() ? "   saved to " + path
                              : "   could not save " + path + ": " + result.reason)
              << '\n';
}

// The pseudo-terminal. The simulator keeps its own handle on the device side open,
// so the line stays up between the editor's opens and closes.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;

    bool open()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return false;
        path = ptsname(master);
        slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        if (slave < 0 || tcgetattr(slave, &t) != 0) return false;
        cfmakeraw(&t);  // no echo: every byte from either side passes unchanged
        return tcsetattr(slave, TCSANOW, &t) == 0;
    }
    ~Pty()
    {
        if (slave >= 0) ::close(slave);
        if (master >= 0) ::close(master);
    }
};

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

// Blocks the stop signals except while waiting, so none slips in unnoticed.
sigset_t installSignals()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigset_t stops;
    sigemptyset(&stops);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(s, &action, nullptr);
        sigaddset(&stops, s);
    }
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t waiting;
    sigprocmask(SIG_BLOCK, &stops, &waiting);
    return waiting;
}

class Line {
public:
    Line(Pty& pty, IndicatorSimulator& simulator, long baud)
        : m_pty(pty), m_simulator(simulator), m_fromPc(baud), m_toPc(baud)
    {
    }

    void run(const sigset_t& waiting)
    {
        while (!g_stop) {
            send();
            pollfd p{m_pty.master, 0, 0};
            const auto now = Clock::now();
            if (m_fromPc.allowance(now) > 0) p.events = POLLIN;
            if (m_full) p.events |= POLLOUT;
            const timespec timeout = nextWake(now);
            if (ppoll(&p, 1, &timeout, &waiting) > 0 && (p.revents & POLLIN)) receive();
            if (!m_simulator.idle() && Clock::now() - m_lastReceived > kLineIdle)
                m_simulator.lineIdle();
            printLog();
        }
    }

private:
    void receive()
    {
        const auto now = Clock::now();
        std::uint8_t buffer[512];
        const std::size_t room = std::min(sizeof buffer, m_fromPc.allowance(now));
        const ssize_t n = ::read(m_pty.master, buffer, room);
        if (n <= 0) return;
        m_fromPc.take(static_cast<std::size_t>(n), now);
        m_simulator.receive({buffer, static_cast<std::size_t>(n)});
        m_lastReceived = now;
    }

    void send()
    {
        for (std::uint8_t byte : m_simulator.takeOutput())
            m_pending.push_back(byte);
        if (m_pending.empty()) return;
        const auto now = Clock::now();
        const std::size_t room = std::min(m_pending.size(), m_toPc.allowance(now));
        const ssize_t n = room > 0 ? ::write(m_pty.master, m_pending.data(), room) : 0;
        m_full = n < 0 && errno == EAGAIN;  // the PC is not reading: wait for room
        if (n <= 0) return;
        m_toPc.take(static_cast<std::size_t>(n), now);
        m_pending.erase(m_pending.begin(), m_pending.begin() + n);
    }

    timespec nextWake(Clock::time_point now) const
    {
        std::chrono::nanoseconds wait = std::chrono::seconds(1);
        if (!m_pending.empty() && !m_full)
            wait = std::max(m_toPc.wait(now), std::chrono::nanoseconds(1'000'000));
        if (m_fromPc.allowance(now) == 0) wait = std::min(wait, m_fromPc.wait(now));
        if (!m_simulator.idle()) wait = std::min<std::chrono::nanoseconds>(wait, kLineIdle);
        return {static_cast<time_t>(wait.count() / 1'000'000'000),
                static_cast<long>(wait.count() % 1'000'000'000)};
    }

    void printLog()
    {
        for (const auto& line : m_simulator.takeLog())
            std::cerr << line << '\n';
    }

    Pty& m_pty;
    IndicatorSimulator& m_simulator;
    LinePacer m_fromPc;
    LinePacer m_toPc;
    std::vector<std::uint8_t> m_pending;
    bool m_full = false;
    Clock::time_point m_lastReceived;
};

bool makeLink(const std::string& link, const std::string& target)
{
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link.c_str());
    if (::symlink(target.c_str(), link.c_str()) == 0) return true;
    std::cerr << "quelvar-indicator-sim: cannot make the link " << link << ": "
              << std::strerror(errno) << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app("A simulated indicator on a pseudo-terminal. It prints the path of its "
                 "device and runs until SIGINT or SIGTERM; each exchange is logged on stderr.",
                 "quelvar-indicator-sim");
    Options options;
    declareOptions(app, options);
    if (const int status = cli::parseCommandLine(app, argc, argv); status >= 0) return status;

    SetupImage memory = factoryIndicatorMemory();
    if (!options.load.empty() && !loadMemory(options.load, memory)) return 1;
    IndicatorSimulator simulator(memory);
    for (const std::string& fault : options.faults)
        setSimulatorFault(fault, simulator.faults);
    if (!options.save.empty())
        simulator.onImageAccepted = [&](const SetupImage& image) {
            for (const auto& line : simulator.takeLog())
                std::cerr << line << '\n';  // in order
            saveImage(options.save, image);
        };

    const sigset_t waiting = installSignals();
    Pty pty;
    if (!pty.open()) {
        std::cerr << "quelvar-indicator-sim: cannot create a pseudo-terminal: "
                  << std::strerror(errno) << '\n';
        return 1;
    }
    if (!options.link.empty() && !makeLink(options.link, pty.path)) return 1;
    std::cout << pty.path << std::endl;
    std::cerr << "quelvar-indicator-sim: indicator on " << pty.path
              << (options.baud > 0 ? ", " + std::to_string(options.baud) + " baud" : ", unpaced")
              << '\n';

    Line(pty, simulator, options.baud).run(waiting);

    if (!options.link.empty()) ::unlink(options.link.c_str());
    std::cerr << "quelvar-indicator-sim: stopped\n";
    return 0;
}
