#include "serial/serial_devices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quelvar {

namespace fs = std::filesystem;

namespace {

// A sysfs attribute's first line, without trailing blanks; tabs become blanks.
std::string attribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    line.erase(line.find_last_not_of(" \t\r") + 1);
    std::replace(line.begin(), line.end(), '\t', ' ');
    return line;
}

// A serial core port with no UART behind it reads type 0: most PCs have 32 of them
// (/dev/ttyS4 and up).
bool standsForADevice(const fs::path& tty)
{
    std::error_code error;
    if (!fs::exists(tty / "device", error)) return false;
    return !fs::exists(tty / "type", error) || attribute(tty / "type") != "0";
}

// The USB device above the tty's device node, when it is on USB: the nearest folder
// up that has an idVendor.
void describeUsb(const fs::path& tty, SerialDevice& device)
{
    std::error_code error;
    fs::path folder = fs::canonical(tty / "device", error);
    for (int up = 0; !error && up < 4 && folder.has_relative_path();
         ++up, folder = folder.parent_path()) {
        if (!fs::exists(folder / "idVendor", error)) continue;
        device.description = attribute(folder / "product");
        device.manufacturer = attribute(folder / "manufacturer");
        device.serialNumber = attribute(folder / "serial");
        return;
    }
}

// The first by-id link (in name order) to each tty.
void addStableNames(const fs::path& byIdFolder, std::vector<SerialDevice>& devices)
{
    std::error_code error;
    std::vector<fs::path> links;
    for (const auto& entry : fs::directory_iterator(byIdFolder, error))
        links.push_back(entry.path());
    std::sort(links.begin(), links.end());
    for (const fs::path& link : links) {
        const fs::path target = fs::canonical(link, error);
        if (error) continue;
        for (SerialDevice& device : devices)
            if (device.byId.empty() && device.device == "/dev/" + target.filename().string())
                device.byId = "/dev/serial/by-id/" + link.filename().string();
    }
}

}  // namespace

std::vector<SerialDevice> listSerialDevices(const std::string& root)
{
    std::vector<SerialDevice> devices;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(root) / "sys/class/tty", error)) {
        if (!standsForADevice(entry.path())) continue;
        SerialDevice device{"/dev/" + entry.path().filename().string()};
        describeUsb(entry.path(), device);
        devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.device < b.device; });
    addStableNames(fs::path(root) / "dev/serial/by-id", devices);
    return devices;
}

std::string deviceSummary(const SerialDevice& device)
{
    std::string known;
    for (const std::string* part :
         {&device.description, &device.manufacturer, &device.serialNumber})
        if (!part->empty()) known += (known.empty() ? "" : ", ") + *part;
    return known.empty() ? device.device : device.device + " \u2014 " + known;
}

std::string deviceTabLine(const SerialDevice& device)
{
    return device.device + '\t' + device.description + '\t' + device.manufacturer + '\t' +
           device.serialNumber + '\t' + device.byId;
}

std::vector<SerialDevice> deviceChoices(std::vector<SerialDevice> present, const DeviceMap& mapped,
                                        const std::string& root)
{
    for (const auto& [port, path] : mapped)
        if (!path.empty() && !findSerialDevice(present, path)) {
            SerialDevice device{path};
            std::error_code error;
            device.present =
                !path.starts_with('/') || fs::exists(fs::path(root) / path.substr(1), error);
            present.push_back(std::move(device));
        }
    return present;
}

std::string deviceChoiceText(const SerialDevice& device)
{
    return deviceSummary(device) + (device.present ? "" : " (not present)") +
           (device.byId.empty() ? "" : "\n" + device.byId);
}

std::string mappedDeviceText(const std::string& path, std::span<const SerialDevice> rows)
{
    const SerialDevice* row = findSerialDevice(rows, path);
    return row && !row->present ? path + " (not present)" : path;
}

const SerialDevice* findSerialDevice(std::span<const SerialDevice> devices, const std::string& path)
{
    for (const SerialDevice& device : devices)
        if (!path.empty() && (device.device == path || device.byId == path)) return &device;
    return nullptr;
}

}  // namespace quelvar
