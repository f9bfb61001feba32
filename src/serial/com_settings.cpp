#include "serial/com_settings.h"

#include "serial/com_port.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace quelvar {

namespace {

struct ComKey {
    const char* name;
    int defaultValue;
    std::int32_t ComPort::*field;
    int lowest, highest;  // what the port can take
};

constexpr int kAnyValue = std::numeric_limits<int>::max();

// In the order the settings file is read and written.
constexpr ComKey kComKeys[] = {
    {"comport", 1, &ComPort::portNumber, -kAnyValue, kAnyValue},
    {"baud", 57600, &ComPort::baudRate, -kAnyValue, kAnyValue},
    {"parity", 'n', &ComPort::parity, -kAnyValue, kAnyValue},
    {"byteSize", 8, &ComPort::byteSize, 5, 8},
    {"stops", 0, &ComPort::stopBits, 0, 2},
};

// Settings files are a few lines; anything past this is not read.
constexpr std::size_t kSettingsFileLimit = 1 << 20;

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

// The file as an IniFile; nothing when it does not open or is too long to keep
// whole, with the reason.
std::optional<IniFile> readIniFile(const std::string& path, std::string& reason)
{
    const FileReadResult file = readFileStart(path, kSettingsFileLimit + 1);
    reason = file.reason;
    if (!file.opened || !file.closed) return std::nullopt;
    if (file.bytes.size() > kSettingsFileLimit) {
        reason = "the file is longer than a settings file can be";
        return std::nullopt;
    }
    return IniFile(
        std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
}

DeviceMap devicesIn(std::span<const IniFile> files)
{
    DeviceMap devices;
    for (const IniFile& file : files)
        for (const auto& [name, path] : file.entries("Devices"))
            devices[lowerCase(name)] = path;
    return devices;
}

}  // namespace

void readComSettings(std::span<const IniFile> files, ComPort& port)
{
    for (const auto& key : kComKeys) {
        int value = key.defaultValue;
        for (const IniFile& file : files)
            if (const auto read = file.integer("Com", key.name))
                value = *read >= key.lowest && *read <= key.highest ? *read : key.defaultValue;
        port.*key.field = value;
    }
    port.setDevices(devicesIn(files));
}

void writeComSettings(IniFile& file, const ComPort& port)
{
    for (const auto& key : kComKeys)
        file.setValue("Com", key.name, std::to_string(port.*key.field));
}

std::string userConfigHome()
{
    return userFolder("XDG_CONFIG_HOME", ".config");
}

void placeUserSettings(SettingsFiles& files, const std::string& configHome, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(configHome) / "quelvar";
    files.user = (folder / name).string();
    files.oldUser = (folder / "quelvar" / name).string();
}

std::vector<std::string> systemSettingsFiles(const char* configDirs, const std::string& name)
{
    std::vector<std::string> files;
    std::istringstream folders(configDirs ? configDirs : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (folder.starts_with('/'))
            files.insert(files.begin(), (std::filesystem::path(folder) / "quelvar" / name).string());
    if (files.empty()) files.push_back("/etc/xdg/quelvar/" + name);
    return files;
}

namespace {

// The user's file, or the one at the old place while there is none at the new.
bool userFileAtOldPlace(const SettingsFiles& files)
{
    return !files.oldUser.empty() && !exists(files.user) && exists(files.oldUser);
}

// The files that exist, the least important first.
std::vector<IniFile> readSettingsFiles(const SettingsFiles& files)
{
    std::vector<std::string> paths = files.system;
    paths.push_back(files.beside);
    paths.push_back(userFileAtOldPlace(files) ? files.oldUser : files.user);
    std::vector<IniFile> read;
    std::string reason;
    for (const std::string& path : paths)
        if (auto file = readIniFile(path, reason)) read.push_back(std::move(*file));
    return read;
}

}  // namespace

void ReadSettings(const SettingsFiles& files, ComPort& port, EditorOptions* options)
{
    const std::vector<IniFile> read = readSettingsFiles(files);
    readComSettings(read, port);
    if (options) *options = readEditorOptions(read);
}

std::string settingsFileToWrite(const SettingsFiles& files)
{
    if (exists(files.user) || userFileAtOldPlace(files) || files.besideIsSystemDefault)
        return files.user;
    const std::string besideFolder = std::filesystem::path(files.beside).parent_path().string();
    const bool besideWritable =
        exists(files.beside)
            ? ::access(files.beside.c_str(), W_OK) == 0
            : ::access(besideFolder.empty() ? "." : besideFolder.c_str(), W_OK) == 0;
    return besideWritable ? files.beside : files.user;
}

FileWriteResult WriteSettings(const SettingsFiles& files, const ComPort& port,
                              const EditorOptions* options)
{
    const std::string path = settingsFileToWrite(files);
    const bool moving = path == files.user && userFileAtOldPlace(files);
    const std::string& source = moving ? files.oldUser : path;
    std::string reason;
    std::optional<IniFile> file = readIniFile(source, reason);
    // A file that exists but cannot be read whole would lose its other lines.
    if (!file && exists(source)) return {FileWriteStage::Opening, reason};
    if (!file) file.emplace();
    writeComSettings(*file, port);
    const std::vector<IniFile> readFiles = readSettingsFiles(files);
    if (options) writeEditorOptions(*file, *options, readEditorOptions(readFiles));
    // A device mapped in the port settings dialog; the ones read stay where they are.
    const DeviceMap read = devicesIn(readFiles);
    for (const auto& [name, path] : port.devices())
        if (const auto found = read.find(name); found == read.end() || found->second != path)
            file->setValue("Devices", name, path);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const FileWriteResult result = writeFileAtomically(path, std::string_view(file->text()));
    if (result.ok() && moving) {
        std::filesystem::remove(files.oldUser, ignored);
        std::filesystem::remove(std::filesystem::path(files.oldUser).parent_path(), ignored);
    }
    return result;
}

}  // namespace quelvar
