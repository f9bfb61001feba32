#pragma once
// Standard output as every command writes it: each write is checked, so a full disk,
// a file size limit or a closed pipe is never taken for success.
//
//   CheckedOutput out(STDOUT_FILENO);
//   std::ostream stream(&out);
//   const int code = run(stream, std::cerr);
//   return finishOutput(out, code, std::cerr);   // exit 1 with the reason if a write failed

#include <cerrno>
#include <iosfwd>
#include <streambuf>
#include <string>

namespace quelvar::cli {

class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(int fd);
    // Writes what is buffered; false, with the system's reason, once any write failed.
    bool finish();
    const std::string& reason() const { return m_reason; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool writeOut(const char* data, std::size_t size);

    int m_fd;
    std::string m_buffer;
    std::string m_reason;  // why the first failed write failed; empty while none did
};

// The command's exit code, or 1 when its output could not be written (then said on `err`).
int finishOutput(CheckedOutput& out, int code, std::ostream& err);

// True when both paths name one existing file (symbolic links followed): a command's
// output must never replace its own input.
bool isSameFile(const std::string& a, const std::string& b);

}  // namespace quelvar::cli
