#include "serial/posix_serial_driver.h"

#include "serial/termios2_line.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace quelvar {

namespace {

using Clock = std::chrono::steady_clock;

std::uint64_t nowMs()
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

void setModemLine(int fd, int line, std::uint8_t control)
{
    // Devices without modem lines (a pty) refuse this; that is fine.
    if (control <= 1) ioctl(fd, control ? TIOCMBIS : TIOCMBIC, &line);
}

std::uint8_t modemLineState(int fd, int line)
{
    int lines = 0;
    return ioctl(fd, TIOCMGET, &lines) == 0 && (lines & line) ? 1 : 0;
}

// A read or write of what can pass now (the device is non-blocking): the count, 0
// when it would have to wait, nothing when the device failed. A call a signal
// interrupted is made again.
template <class Call> std::optional<std::size_t> withoutWaiting(Call call)
{
    for (;;) {
        const ssize_t n = call();
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EAGAIN) return 0;
        if (errno != EINTR) return std::nullopt;
    }
}

// Unix98 pty slaves have majors 136 to 143.
bool isPseudoTerminal(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
           major(st.st_rdev) <= 143;
}

}  // namespace

std::string describeOpenFailure(const std::string& device, int error)
{
    std::string text = device + ": " + std::strerror(error);
    switch (error) {
    case EACCES:
    case EPERM:
        return text + ". Your user must be in the 'dialout' group to use serial ports: "
                      "sudo usermod -aG dialout $USER, then log out and in again.";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return text + ". Is the adapter plugged in? The port settings dialog (Setup), or "
                      "quelvar-cli ports, lists the serial devices present.";
    case EIO: return text + ". There is no working serial port behind this device.";
    case EBUSY:
    case EWOULDBLOCK: return device + ": the port is in use by another program.";
    case ENOTTY: return device + ": not a serial device.";
    default: return text + ".";
    }
}

PosixSerialDriver::~PosixSerialDriver()
{
    close();
}

bool PosixSerialDriver::open(const std::string& device, std::string& reason)
{
    close();
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = describeOpenFailure(device, errno);
        return false;
    }
    int error = 0;
    pid_t holder = 0;
    if (!isatty(fd))
        error = ENOTTY;
    else if ((m_lockPseudoTerminals || !isPseudoTerminal(fd)) && !m_lock.acquire(device, holder))
        error = EBUSY;
    else if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0)
        error = errno == EWOULDBLOCK ? EBUSY : errno;
    if (error != 0) {
        ::close(fd);
        m_lock.release();
        reason = describeOpenFailure(device, error);
        if (holder > 0)
            reason.insert(reason.size() - 1, " (process " + std::to_string(holder) + ")");
        return false;
    }
    m_fd = fd;
    m_timeouts = {};
    // Bytes must pass unchanged even before the line is configured.
    ControlBlock block;
    if (readLineSettings(fd, block)) {
        block.xonXoffInput = block.xonXoffOutput = 0;
        writeLineSettings(fd, block);
    }
    return true;
}

// Keeps the system's reason for a failed call: errno was cleared before it, so a
// refusal of our own leaves none.
bool PosixSerialDriver::failed()
{
    m_failureReason = errno != 0 ? std::strerror(errno) : "";
    return false;
}

void PosixSerialDriver::close()
{
    if (m_fd < 0) return;
    // The exclusive flag belongs to the terminal, not to this descriptor: left set, it
    // keeps out every later open (ours included) while the far end of a pty stays open.
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);  // also drops the flock
    m_fd = -1;
    m_lock.release();
}

bool PosixSerialDriver::getControlBlock(ControlBlock& block)
{
    errno = 0;
    if (m_fd < 0 || !readLineSettings(m_fd, block)) return failed();
    block.dtrControl = modemLineState(m_fd, TIOCM_DTR);
    block.rtsControl = block.ctsOutputFlow ? 2 : modemLineState(m_fd, TIOCM_RTS);
    return true;
}

bool PosixSerialDriver::setControlBlock(const ControlBlock& block)
{
    errno = 0;
    if (m_fd < 0 || !writeLineSettings(m_fd, block)) return failed();
    setModemLine(m_fd, TIOCM_DTR, block.dtrControl);
    if (!block.ctsOutputFlow) setModemLine(m_fd, TIOCM_RTS, block.rtsControl);
    return true;
}

bool PosixSerialDriver::getTimeouts(Timeouts& t)
{
    if (m_fd < 0) return false;
    t = m_timeouts;
    return true;
}

bool PosixSerialDriver::setTimeouts(const Timeouts& t)
{
    if (m_fd < 0) return false;
    m_timeouts = t;
    return true;
}

bool PosixSerialDriver::queryStatus(std::uint32_t& errors, QueueStatus& status)
{
    int in = 0;
    int out = 0;
    if (m_fd < 0 || ioctl(m_fd, FIONREAD, &in) != 0) return false;
    if (ioctl(m_fd, TIOCOUTQ, &out) != 0) out = 0;
    errors = 0;
    status = {0, static_cast<std::uint32_t>(std::max(in, 0)),
              static_cast<std::uint32_t>(std::max(out, 0))};
    return true;
}

std::optional<std::size_t> PosixSerialDriver::read(std::span<std::uint8_t> buffer)
{
    if (m_fd < 0) return std::nullopt;
    return withoutWaiting([&] { return ::read(m_fd, buffer.data(), buffer.size()); });
}

std::optional<std::size_t> PosixSerialDriver::write(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0) return std::nullopt;
    const std::uint64_t deadline = nowMs() + writeDeadlineMs(m_timeouts, bytes.size());
    const auto sent = send(bytes, deadline);
    if (!sent) return std::nullopt;
    return drain(*sent, deadline);
}

// Hands the bytes to the device, waiting for room until the deadline.
std::optional<std::size_t> PosixSerialDriver::send(std::span<const std::uint8_t> bytes,
                                                   std::uint64_t deadline)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return sent > 0 ? std::optional(sent) : std::nullopt;
        const std::uint64_t now = nowMs();
        if (now >= deadline) break;
        pollfd p{m_fd, POLLOUT, 0};
        const int ready =
            ::poll(&p, 1, static_cast<int>(std::min<std::uint64_t>(deadline - now, 1000)));
        if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return sent > 0 ? std::optional(sent) : std::nullopt;
    }
    return sent;
}

// Waits until the device has put the bytes on the line; those still queued at the
// deadline count as not written.
std::size_t PosixSerialDriver::drain(std::size_t sent, std::uint64_t deadline)
{
    for (;;) {
        int queued = 0;
        if (ioctl(m_fd, TIOCOUTQ, &queued) != 0 || queued <= 0) return sent;
        const std::uint64_t now = nowMs();
        if (now >= deadline)
            return sent - std::min<std::size_t>(sent, static_cast<std::size_t>(queued));
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min<std::uint64_t>(deadline - now, 5)));
    }
}

std::optional<std::size_t> PosixSerialDriver::writeNoWait(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0) return std::nullopt;
    return withoutWaiting([&] { return ::write(m_fd, bytes.data(), bytes.size()); });
}

bool PosixSerialDriver::purge()
{
    return m_fd >= 0 && tcflush(m_fd, TCIOFLUSH) == 0;
}

}  // namespace quelvar
