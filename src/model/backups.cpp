#include "model/backups.h"

#include "model/file_io.h"
#include "model/setup_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>
#include <unistd.h>

namespace quelvar {

namespace {

namespace fs = std::filesystem;

constexpr int kMostInOneSecond = 1000;

// A port name as a file name may hold it: no separators, no blanks.
std::string fileNamePart(const std::string& port)
{
    std::string part = port.empty() ? "port" : port;
    for (char& c : part)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') c = '-';
    return part;
}

std::string stamp(std::time_t when)
{
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

bool digitsAt(const std::string& text, std::initializer_list<std::size_t> places)
{
    return std::all_of(places.begin(), places.end(), [&](std::size_t at) {
        return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
    });
}

// "2024-05-31_14-02-07_COM1[_N].sf" as its parts and sequence number.
struct ParsedName {
    Backup backup;
    int sequence = 1;
};

std::optional<ParsedName> parseName(const fs::path& file)
{
    const std::string stem = file.stem().string();
    if (file.extension() != ".sf" || stem.size() < 21 || stem[10] != '_' || stem[19] != '_' ||
        !digitsAt(stem, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18}))
        return std::nullopt;
    ParsedName parsed;
    Backup& b = parsed.backup;
    b.path = file.string();
    b.date = stem.substr(0, 10);
    b.time = stem.substr(11, 8);
    std::replace(b.time.begin(), b.time.end(), '-', ':');
    b.port = stem.substr(20);
    if (const auto underscore = b.port.find('_'); underscore != std::string::npos) {
        parsed.sequence = std::atoi(b.port.c_str() + underscore + 1);
        b.port.resize(underscore);
    }
    return parsed;
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

std::string backupFolder()
{
    return userFolder("XDG_DATA_HOME", ".local/share") + "/quelvar/backups";
}

BackupResult writeBackup(const std::string& folder, const Setup& setup, const std::string& port,
                         std::time_t when)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return {{}, folder + ": " + error.message()};
    const std::string base = folder + "/" + stamp(when) + "_" + fileNamePart(port);
    const SetupFileBytes bytes = encodeSetupFile(setup);
    for (int n = 1; n <= kMostInOneSecond; ++n) {
        const std::string path = base + (n == 1 ? "" : "_" + std::to_string(n)) + ".sf";
        if (::access(path.c_str(), F_OK) == 0) continue;
        const FileWriteResult written = writeNewFile(path, bytes);
        if (written.ok()) return {path, {}};
        // Another backup took the name meanwhile: the next one.
        if (::access(path.c_str(), F_OK) != 0) return {path, path + ": " + written.reason};
    }
    return {{}, folder + ": too many backups in one second"};
}

std::vector<Backup> listBackups(const std::string& folder, std::string* problem)
{
    std::vector<ParsedName> found;
    std::error_code error, entryError;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (auto parsed = parseName(entry.path()); parsed && entry.is_regular_file(entryError))
            found.push_back(std::move(*parsed));
    if (error && error != std::errc::no_such_file_or_directory && problem)
        *problem = folder + ": " + error.message();
    const auto newestFirst = [](const ParsedName& a, const ParsedName& b) {
        return std::tie(a.backup.date, a.backup.time, a.sequence) >
               std::tie(b.backup.date, b.backup.time, b.sequence);
    };
    std::sort(found.begin(), found.end(), newestFirst);
    std::vector<Backup> backups;
    for (ParsedName& parsed : found) {
        Setup setup;
        readSetupFile(parsed.backup.path, setup);
        parsed.backup.description = firstLine(setup.description);
        backups.push_back(std::move(parsed.backup));
    }
    return backups;
}

}  // namespace quelvar
