// quelvar-cli upload / download: the editor's transfer sessions on a 50 / 100 ms
// loop over a serial device, printing the same progress and messages; ports: the
// serial devices the port settings dialog lists; backups: the indicators' setups the
// editor kept before uploading.

#include <array>
#include <chrono>
#include <iostream>
#include <ostream>
#include <string>
#include <unistd.h>

#include "cli/cli.h"
#include "model/backups.h"
#include "model/check_bytes.h"
#include "model/file_io.h"
#include "model/setup_file.h"
#include "serial/com_port.h"
#include "serial/serial_devices.h"
#include "model/utf8_text.h"
#include "transfer/download_session.h"
#include "transfer/link.h"
#include "transfer/session_runner.h"
#include "transfer/upload_session.h"

namespace quelvar::cli {

namespace {

struct TransferArgs {
    std::string file;
    std::string device;
    int baud = 57600;
    char parity = 'n';
    int dataBits = 8;
    int stopCode = 0;  // the port's stop-bit code: 0 one stop bit, 2 two
};

// FILE and the line options upload and download share.
std::shared_ptr<TransferArgs> addTransferArgs(CLI::App& command, const std::string& fileHelp)
{
    auto a = std::make_shared<TransferArgs>();
    command.add_option("FILE", a->file, fileHelp)->required()->type_name(kSetupValue);
    command.add_option("--port", a->device, "serial device, e.g. /dev/ttyUSB0")
        ->required()
        ->type_name(kDeviceValue)
        ->check(notEmpty("the device"));
    command.add_option("--baud", a->baud, "line rate")
        ->transform(decimalIn(1, 4'000'000, "a baud rate"))
        ->capture_default_str();
    command.add_option("--parity", a->parity, "n none, o odd, e even")
        ->check(CLI::IsMember({'n', 'o', 'e'}))
        ->capture_default_str();
    command.add_option("--data", a->dataBits, "data bits")
        ->check(CLI::IsMember({7, 8}))
        ->capture_default_str();
    command
        .add_option_function<int>(
            "--stop", [a](int stop) { a->stopCode = stop == 1 ? 0 : 2; }, "stop bits (1)")
        ->check(CLI::IsMember({1, 2}));
    return a;
}

// Opens the device as the editor opens COM1, with the given line settings.
bool openPort(ComPort& port, const TransferArgs& a, std::ostream& err)
{
    port.setDevices({{"com1", a.device}});
    port.portNumber = 1;
    port.baudRate = a.baud;
    port.byteSize = a.dataBits;
    port.parity = a.parity;
    port.stopBits = a.stopCode;
    if (!port.Open()) {
        // The reason names the device itself.
        const std::string& reason = port.openFailureReason();
        err << "Com port did not open: " << (reason.empty() ? a.device : reason) << '\n';
        return false;
    }
    if (!port.Configure()) {
        err << "Com port configuration failed: " << port.lastError() << '\n';
        return false;
    }
    return true;
}

// When stderr is a terminal, one line there follows the image block as it travels:
// "[########----------------------] 512/2048 bytes". Elsewhere it prints nothing.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err)
        : m_err(err), m_terminal(&err == &std::cerr && ::isatty(STDERR_FILENO))
    {
    }
    ~ProgressLine() { clear(); }

    void show(std::size_t bytes)
    {
        if (!m_terminal || (m_drawn && bytes == m_bytes)) return;
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = bytes * kWidth / kSetupImageSize;
        m_err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '-') << "] "
              << bytes << '/' << kSetupImageSize << " bytes" << std::flush;
        m_bytes = bytes;
        m_drawn = true;
    }
    // Takes the line away, so that other output starts on a clean line.
    void clear()
    {
        if (m_drawn) m_err << "\r\033[K" << std::flush;
        m_drawn = false;
    }

private:
    std::ostream& m_err;
    bool m_terminal;
    bool m_drawn = false;
    std::size_t m_bytes = 0;
};

// The dialog shows "+++ Upload Complete +++" as its last progress and then the box
// "+++  Upload Complete  +++": one line says it.
bool sameWords(std::string_view a, std::string_view b)
{
    std::string left(a), right(b);
    std::erase(left, ' ');
    std::erase(right, ' ');
    return left == right;
}

// Runs the session to its end, progress on stdout, the failure message on stderr.
bool runToEnd(TransferSession& session, std::ostream& out, std::ostream& err,
              const std::function<bool()>& keepGoing = {})
{
    ProgressLine line(err);
    session.setProgressListener([&](const std::string& text) {
        if (text.empty() || sameWords(text, session.completionText())) return;
        line.clear();
        out << text << std::endl;
    });
    session.begin();
    const TransferStep step =
        runSession(session, std::chrono::milliseconds(session.intervalMs()), [&] {
            if (session.state() >= 2) line.show(session.blockBytes());
            return !keepGoing || keepGoing();
        });
    line.clear();
    if (step == TransferStep::Succeeded) {
        out << session.completionText() << std::endl;
        return true;
    }
    if (step == TransferStep::Failed) err << session.message() << '\n';
    return false;
}

int upload(const TransferArgs& a, std::ostream& out, std::ostream& err)
{
    Setup setup;
    if (!loadSetup(a.file, setup, err)) return kFailed;
    if (!VerifyCheckBytes(setup.image)) {
        err << "Checksum Error in file " << a.file << '\n';
        return kFailed;
    }
    ComPort port;
    if (!openPort(port, a, err)) return kFailed;
    UploadSession session(port, setup.image);
    return runToEnd(session, out, err) ? kOk : kFailed;
}

int writeFailed(const FileWriteResult& result, const std::string& file, std::ostream& err)
{
    err << setupWriteMessage(result, file) << " (" << result.reason << ")\n";
    return kFailed;
}

// The indicator may stop sending in the middle of the block; the dialog waits for
// Cancel, a command line gives up after this long without a byte.
constexpr auto kDownloadStall = std::chrono::seconds(10);

int download(const TransferArgs& a, std::ostream& out, std::ostream& err)
{
    // A place that cannot take the file is found before the indicator is asked.
    if (const FileWriteResult writable = checkWritable(a.file); !writable.ok())
        return writeFailed(writable, a.file, err);
    ComPort port;
    if (!openPort(port, a, err)) return kFailed;
    Setup setup;
    DownloadSession session(port, setup.image);
    auto lastCount = session.receivedCount();
    auto lastProgress = std::chrono::steady_clock::now();
    const auto notStalled = [&] {
        const auto now = std::chrono::steady_clock::now();
        if (session.state() != 2 || session.receivedCount() != lastCount) {
            lastCount = session.receivedCount();
            lastProgress = now;
        }
        return now - lastProgress < kDownloadStall;
    };
    if (!runToEnd(session, out, err, notStalled)) {
        if (session.active()) {
            err << "Download stopped: nothing received for "
                << std::chrono::seconds(kDownloadStall).count() << " s after "
                << session.receivedCount() << " of " << kSetupImageSize << " bytes\n";
            SendResetSequence(port);  // as after every other failure
        }
        return kFailed;
    }
    const FileWriteResult written = writeFileAtomically(a.file, encodeSetupFile(setup));
    return written.ok() ? kOk : writeFailed(written, a.file, err);
}

Run defineUpload(CLI::App& command)
{
    auto a = addTransferArgs(command, "setup file whose image is sent");
    return [a](std::ostream& out, std::ostream& err) { return upload(*a, out, err); };
}

Run defineDownload(CLI::App& command)
{
    auto a = addTransferArgs(command, "setup file the indicator's image is written to");
    return [a](std::ostream& out, std::ostream& err) { return download(*a, out, err); };
}

int listWritten(std::ostream& out, std::ostream& err)
{
    if (out.flush()) return kOk;
    err << "quelvar-cli: cannot write the list to standard output\n";
    return kFailed;
}

int listPorts(std::ostream& out, std::ostream& err)
{
    const std::vector<SerialDevice> devices = listSerialDevices();
    for (const SerialDevice& device : devices)
        out << deviceTabLine(device) << '\n';
    if (devices.empty())
        err << "No serial devices found (a pseudo-terminal, such as the simulator's, is not "
               "listed: name it with --port).\n";
    return listWritten(out, err);
}

Run definePorts(CLI::App&)
{
    return listPorts;
}

int listBackupFiles(std::ostream& out, std::ostream& err)
{
    const std::string folder = backupFolder();
    std::string problem;
    const std::vector<Backup> backups = listBackups(folder, &problem);
    if (!problem.empty()) {
        err << problem << '\n';
        return 1;
    }
    for (const Backup& b : backups)
        out << b.path << '\t' << b.date << ' ' << b.time << '\t' << b.port << '\t'
            << visibleText(b.description) << '\n';
    if (backups.empty()) err << "No backups in " << folder << '\n';
    return listWritten(out, err);
}

Run defineBackups(CLI::App&)
{
    return listBackupFiles;
}

constexpr std::array kCommands{
    Command{"ports",
            "list the serial devices present, one a line: device, product, maker, serial "
            "number, /dev/serial/by-id name (tab-separated)",
            definePorts},
    Command{"upload", "send the setup image of FILE to the indicator", defineUpload},
    Command{"download", "read the indicator's setup image into FILE", defineDownload},
    Command{"backups",
            "list the indicators' setups kept before uploads, newest first, one a line: file, "
            "date and time, port, description (tab-separated)",
            defineBackups},
};

}  // namespace

std::span<const Command> transferCommands()
{
    return kCommands;
}

}  // namespace quelvar::cli
