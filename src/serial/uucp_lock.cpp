#include "serial/uucp_lock.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quelvar {

namespace {

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The process id in a lock file: ASCII (HDB style), or 0 when there is none.
pid_t readHolder(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return 0;
    char text[32] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0) return 0;
    const long pid = std::strtol(text, nullptr, 10);
    return pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

bool alive(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool writeLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
    const bool written = ::write(fd, text, static_cast<std::size_t>(n)) == n;
    ::close(fd);
    if (!written) ::unlink(path.c_str());
    return written;
}

}  // namespace

std::string defaultLockFolder()
{
    for (const char* folder : {"/run/lock", "/var/lock"})
        if (isFolder(folder)) return folder;
    return {};
}

std::string lockFileName(const std::string& device)
{
    char resolved[PATH_MAX];
    std::string path = ::realpath(device.c_str(), resolved) ? resolved : device;
    if (path.starts_with("/dev/")) path.erase(0, 5);
    for (char& c : path)
        if (c == '/') c = '_';
    return "LCK.." + path;
}

bool UucpLock::acquire(const std::string& device, pid_t& holder)
{
    release();
    holder = 0;
    if (m_folder.empty()) return true;
    const std::string path = m_folder + "/" + lockFileName(device);
    // Two tries: the second after removing a stale lock, or after losing a race.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const pid_t pid = readHolder(path);
        if (alive(pid)) {
            holder = pid;
            return false;
        }
        if (pid > 0 || ::access(path.c_str(), F_OK) == 0) ::unlink(path.c_str());
        if (writeLock(path)) {
            m_held = path;
            return true;
        }
        if (errno != EEXIST) return true;  // a folder we may not write in: honoured only
    }
    // A stale lock we may not remove is no reason to refuse the port.
    holder = readHolder(path);
    if (alive(holder)) return false;
    holder = 0;
    return true;
}

void UucpLock::release()
{
    if (m_held.empty()) return;
    if (readHolder(m_held) == ::getpid()) ::unlink(m_held.c_str());
    m_held.clear();
}

}  // namespace quelvar
