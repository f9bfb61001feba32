#include "model/file_io.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quelvar {

namespace {

std::string reasonOf(int error)
{
    return std::strerror(error);
}

// read() until `size` bytes are in or the file ends; false on a read error.
bool readFully(int fd, std::uint8_t* data, std::size_t size, std::size_t& got)
{
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeFully(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save really replaces: the target of a symbolic link, else the path.
std::string resolveTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Why a save cannot go ahead at all: the target is a folder or a file we may not write.
bool refuseTarget(const std::string& target, const struct stat* existing, FileWriteResult& result)
{
    if (existing && S_ISDIR(existing->st_mode)) {
        result = {FileWriteStage::Opening, reasonOf(EISDIR)};
        return true;
    }
    if (existing && ::access(target.c_str(), W_OK) != 0) {
        result = {FileWriteStage::Opening, reasonOf(errno)};
        return true;
    }
    return false;
}

// A folder we may not write in, or a shared (sticky) folder holding another
// user's file, still lets us write the file itself.
bool onlyTheFolderRefused(int error)
{
    return error == EACCES || error == EPERM || error == EBUSY;
}

// Writes the bytes as the whole file (a longer old file is cut), flushes and closes.
FileWriteResult writeAndClose(int fd, std::span<const std::uint8_t> bytes)
{
    FileWriteResult result;
    if (!writeFully(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd) != 0)
        result = {FileWriteStage::Writing, reasonOf(errno)};
    if (::close(fd) != 0 && result.ok()) result = {FileWriteStage::Closing, reasonOf(errno)};
    return result;
}

// Overwrites the file where it is. Without O_TRUNC the old bytes stay until new ones
// replace them; an existing file is opened without O_CREAT, which a shared
// folder refuses for another user's file.
FileWriteResult writeInPlace(const std::string& target, bool exists,
                             std::span<const std::uint8_t> bytes)
{
    const int flags = O_WRONLY | O_CLOEXEC | (exists ? 0 : O_CREAT);
    const int fd = ::open(target.c_str(), flags, 0666);
    if (fd < 0) return {FileWriteStage::Opening, reasonOf(errno)};
    // Room for the new bytes first: a full disk then fails before an old byte is lost.
    const int error =
        bytes.empty() ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (error != 0) {
        ::close(fd);
        return {FileWriteStage::Writing, reasonOf(error)};
    }
    return writeAndClose(fd, bytes);
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

}  // namespace

FileReadResult readFileStart(const std::string& path, std::size_t maxBytes)
{
    FileReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.reason = reasonOf(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        result.reason = reasonOf(S_ISDIR(st.st_mode) ? EISDIR : errno);
        ::close(fd);
        return result;
    }
    result.opened = true;
    result.fileSize = static_cast<std::uintmax_t>(st.st_size);
    result.bytes.resize(maxBytes);
    std::size_t got = 0;
    if (!readFully(fd, result.bytes.data(), maxBytes, got)) {
        result.readFailed = true;
        result.reason = reasonOf(errno);
    }
    result.bytes.resize(got);
    if (::close(fd) != 0) {
        result.closed = false;
        if (result.reason.empty()) result.reason = reasonOf(errno);
    }
    return result;
}

namespace {

// A save's first step, shared by the save and its early check: the target as
// resolved, whether it exists, and the temporary file beside it (fd < 0, errno set,
// when it could not be created). False when the target itself is refused.
struct SaveStart {
    std::string target;
    struct stat st {};
    bool exists = false;
    std::string temporary;
    int fd = -1;
};

// A device, FIFO or socket (`-o /dev/stdout`, `/dev/null`) is written through where
// it is: renaming a file over it would put a plain file in its place.
bool isStream(const SaveStart& start)
{
    return start.exists && !S_ISREG(start.st.st_mode);
}

FileWriteResult writeStream(const std::string& target, std::span<const std::uint8_t> bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return {FileWriteStage::Opening, reasonOf(errno)};
    FileWriteResult result;
    if (!writeFully(fd, bytes)) result = {FileWriteStage::Writing, reasonOf(errno)};
    if (::close(fd) != 0 && result.ok()) result = {FileWriteStage::Closing, reasonOf(errno)};
    return result;
}

bool startSave(const std::string& path, SaveStart& start, FileWriteResult& result)
{
    start.target = resolveTarget(path);
    start.exists = ::stat(start.target.c_str(), &start.st) == 0;
    if (refuseTarget(start.target, start.exists ? &start.st : nullptr, result)) return false;
    if (isStream(start)) return true;
    start.temporary = temporaryNameFor(start.target);
    start.fd = ::open(start.temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return true;
}

}  // namespace

FileWriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    SaveStart start;
    FileWriteResult result;
    if (!startSave(path, start, result)) return result;
    if (isStream(start)) return writeStream(start.target, bytes);
    const auto& [target, st, exists, temporary, fd] = start;
    if (fd < 0) {
        if (onlyTheFolderRefused(errno)) return writeInPlace(target, exists, bytes);
        return {FileWriteStage::Opening, reasonOf(errno)};
    }
    if (exists) ::fchmod(fd, st.st_mode & 07777);
    result = writeAndClose(fd, bytes);
    const int renameError =
        result.ok() && ::rename(temporary.c_str(), target.c_str()) != 0 ? errno : 0;
    if (!result.ok() || renameError != 0) ::unlink(temporary.c_str());
    if (renameError != 0) {
        if (onlyTheFolderRefused(renameError)) return writeInPlace(target, exists, bytes);
        return {FileWriteStage::Writing, reasonOf(renameError)};
    }
    if (result.ok()) syncFolder(folderOf(target));
    return result;
}

FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes)
{
    return writeFileAtomically(
        path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

// The whole file is written under a temporary name and then linked to its own, which
// the system refuses when the name is taken: nobody ever sees half a file there.
FileWriteResult writeNewFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string temporary = temporaryNameFor(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return {FileWriteStage::Opening, reasonOf(errno)};
    FileWriteResult result = writeAndClose(fd, bytes);
    if (result.ok() && ::link(temporary.c_str(), path.c_str()) != 0)
        result = {errno == EEXIST ? FileWriteStage::Opening : FileWriteStage::Writing,
                  reasonOf(errno)};
    ::unlink(temporary.c_str());
    if (result.ok()) syncFolder(folderOf(path));
    return result;
}

FileWriteResult checkWritable(const std::string& path)
{
    SaveStart start;
    FileWriteResult result;
    if (!startSave(path, start, result) || isStream(start)) return result;
    const auto& [target, st, exists, temporary, fd] = start;
    if (fd >= 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return result;
    }
    // The existing file passed refuseTarget, so it would be written in place.
    if (exists && onlyTheFolderRefused(errno)) return result;
    return {FileWriteStage::Opening, reasonOf(errno)};
}

std::string userFolder(const char* variable, const char* underHome)
{
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : "";
    }
    return std::string(home) + "/" + underHome;
}

}  // namespace quelvar
