#include "cli/output.h"

#include "cli/cli.h"

#include <cstring>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace quelvar::cli {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

CheckedOutput::CheckedOutput(int fd) : m_fd(fd)
{
    m_buffer.reserve(kBufferSize);
}

bool CheckedOutput::writeOut(const char* data, std::size_t size)
{
    while (size > 0 && m_reason.empty()) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_reason = n < 0 ? std::strerror(errno) : "nothing could be written";
            break;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return m_reason.empty();
}

int CheckedOutput::sync()
{
    const bool written = writeOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return written ? 0 : -1;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
    m_buffer += traits_type::to_char_type(c);
    if (m_buffer.size() >= kBufferSize && sync() != 0) return traits_type::eof();
    return c;
}

std::streamsize CheckedOutput::xsputn(const char* s, std::streamsize n)
{
    m_buffer.append(s, static_cast<std::size_t>(n));
    if (m_buffer.size() >= kBufferSize && sync() != 0) return 0;
    return n;
}

bool CheckedOutput::finish()
{
    return sync() == 0;
}

int finishOutput(CheckedOutput& out, int code, std::ostream& err)
{
    if (out.finish()) return code;
    err << "quelvar-cli: cannot write the output: " << out.reason() << '\n';
    return code == kOk ? kFailed : code;
}

bool isSameFile(const std::string& a, const std::string& b)
{
    struct stat first{}, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace quelvar::cli
