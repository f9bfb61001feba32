// quelvar-cli upload / download: the editor's transfer sessions on a 50 / 100 ms
// loop over a serial device, printing the same progress and messages.

#include <charconv>
#include <chrono>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "model/check_bytes.h"
#include "model/file_io.h"
#include "model/setup_file.h"
#include "serial/com_port.h"
#include "transfer/download_session.h"
#include "transfer/session_runner.h"
#include "transfer/upload_session.h"

namespace quelvar::cli {

namespace {

constexpr std::string_view kLineOptions =
    "FILE --port DEVICE [--baud N] [--parity n|o|e] [--data 7|8] [--stop 1|2]";

struct TransferArgs {
    std::string file;
    std::string device;
    int baud = 57600;
    char parity = 'n';
    int dataBits = 8;
    int stopCode = 0;  // the port's stop-bit code: 0 one stop bit, 2 two
};

bool parseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

// Reads one option's value; false with a message on stderr when it is not valid.
bool parseOption(const std::string& name, const std::string& value, TransferArgs& a,
                 std::ostream& err)
{
    int n = 0;
    if (name == "--port") {
        a.device = value;
        return !value.empty();
    }
    if (name == "--baud" && parseInt(value, n) && n > 0) {
        a.baud = n;
        return true;
    }
    if (name == "--parity" && (value == "n" || value == "o" || value == "e")) {
        a.parity = value[0];
        return true;
    }
    if (name == "--data" && (value == "7" || value == "8")) {
        a.dataBits = value[0] - '0';
        return true;
    }
    if (name == "--stop" && (value == "1" || value == "2")) {
        a.stopCode = value == "1" ? 0 : 2;
        return true;
    }
    err << "quelvar-cli: bad option " << name << " '" << value << "'\n";
    return false;
}

bool parseArgs(std::span<const std::string> args, TransferArgs& a, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.starts_with("--")) {
            if (i + 1 == args.size()) {
                err << "quelvar-cli: " << arg << " needs a value\n";
                return false;
            }
            if (!parseOption(arg, args[++i], a, err)) return false;
        } else if (a.file.empty()) {
            a.file = arg;
        } else {
            err << "quelvar-cli: unexpected argument '" << arg << "'\n";
            return false;
        }
    }
    if (a.file.empty() || a.device.empty()) {
        err << "quelvar-cli: FILE and --port DEVICE are required\n";
        return false;
    }
    return true;
}

int usageError(std::string_view command, std::ostream& err)
{
    err << "usage: quelvar-cli " << command << ' ' << kLineOptions << '\n';
    return kUsage;
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
        err << "Com port did not open: " << a.device;
        if (!port.openFailureReason().empty()) err << ": " << port.openFailureReason();
        err << '\n';
        return false;
    }
    if (!port.Configure()) {
        err << "Com port configuration failed: " << port.lastError() << '\n';
        return false;
    }
    return true;
}

// Runs the session to its end, progress on stdout, the failure message on stderr.
bool runToEnd(TransferSession& session, std::ostream& out, std::ostream& err,
              const std::function<bool()>& keepGoing = {})
{
    session.setProgressListener([&out](const std::string& text) {
        if (!text.empty()) out << text << std::endl;
    });
    session.begin();
    const TransferStep step =
        runSession(session, std::chrono::milliseconds(session.intervalMs()), keepGoing);
    if (step == TransferStep::Succeeded) {
        out << session.completionText() << std::endl;
        return true;
    }
    if (step == TransferStep::Failed) err << session.message() << '\n';
    return false;
}

int upload(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    TransferArgs a;
    if (!parseArgs(args, a, err)) return usageError("upload", err);
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

// The indicator may stop sending in the middle of the block; the dialog waits for
// Cancel, a command line gives up after this long without a byte.
constexpr auto kDownloadStall = std::chrono::seconds(10);

int download(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    TransferArgs a;
    if (!parseArgs(args, a, err)) return usageError("download", err);
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
        if (session.active())
            err << "Download stopped: nothing received for "
                << std::chrono::seconds(kDownloadStall).count() << " s after "
                << session.receivedCount() << " of " << kSetupImageSize << " bytes\n";
        return kFailed;
    }
    const FileWriteResult written = writeFileAtomically(a.file, encodeSetupFile(setup));
    if (!written.ok()) {
        err << setupWriteMessage(written, a.file) << " (" << written.reason << ")\n";
        return kFailed;
    }
    return kOk;
}

const Command kCommands[] = {
    {"upload",
     "FILE --port DEVICE [--baud N] [--parity n|o|e] [--data 7|8] [--stop 1|2]\n"
     "                            send the setup image of FILE to the indicator",
     upload},
    {"download",
     "FILE --port DEVICE [...]\n"
     "                            read the indicator's setup image into FILE",
     download},
};

}  // namespace

std::span<const Command> transferCommands()
{
    return kCommands;
}

}  // namespace quelvar::cli
