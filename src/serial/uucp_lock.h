#pragma once
// UUCP lock files, the convention serial programs on Linux share to say a port is in
// use: /run/lock/LCK..ttyS0 holds the process id of its holder as ten characters and
// a newline. A lock whose process is gone is stale and is removed.

#include <string>
#include <sys/types.h>

namespace quelvar {

// The lock folder: /run/lock, else /var/lock; empty when neither exists.
std::string defaultLockFolder();

// The lock file's name for a device: "LCK..ttyS0" for /dev/ttyS0, "LCK..pts_3" for
// /dev/pts/3. A symbolic link is followed to the device it names.
std::string lockFileName(const std::string& device);

class UucpLock {
public:
    explicit UucpLock(std::string folder = defaultLockFolder()) : m_folder(std::move(folder)) {}
    ~UucpLock() { release(); }
    UucpLock(const UucpLock&) = delete;
    UucpLock& operator=(const UucpLock&) = delete;

    // Takes the lock for `device`. False when a live process holds it; `holder` is
    // then that process. Without a lock folder this process may write in, the lock
    // is honoured but not created, and acquiring succeeds.
    bool acquire(const std::string& device, pid_t& holder);
    // Removes the lock file this object created, if any.
    void release();

private:
    std::string m_folder;
    std::string m_held;  // the lock file created, or empty
};

}  // namespace quelvar
