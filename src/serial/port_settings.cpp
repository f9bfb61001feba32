#include "serial/port_settings.h"

#include <algorithm>
#include <iterator>

namespace quelvar {

namespace {

constexpr std::int32_t kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200};

constexpr const char* kPortItems[] = {"Com1", "Com2", "Com3", "Com4"};
// "38.2 k baud" is the caption the item has always had; it selects 38400.
constexpr const char* kBaudItems[] = {"1200 baud",   "2400 baud",   "4800 baud",
                                      "9600 baud",   "19.2 k baud", "28.8 k baud",
                                      "38.2 k baud", "57.6 k baud", "115 k baud"};
constexpr const char* kParityItems[] = {"none", "odd", "even"};
constexpr const char* kDataBitsItems[] = {"7 data", "8 data"};
constexpr const char* kStopBitsItems[] = {"1 stop", "2 stop"};

constexpr std::int32_t kTwoStopBits = 2;

}  // namespace

PortSettings portSettingsOf(const ComPort& port)
{
    return {port.portNumber, port.baudRate, port.byteSize, port.parity, port.stopBits};
}

const char* settingGroupCaption(SettingGroup group)
{
    switch (group) {
    case SettingGroup::Port: return "Com Port";
    case SettingGroup::Baud: return "Baud Rate";
    case SettingGroup::Parity: return "Parity";
    case SettingGroup::DataBits: return "Data Bits";
    case SettingGroup::StopBits: return "Stop bits";
    }
    return "";
}

std::span<const char* const> settingGroupItems(SettingGroup group)
{
    switch (group) {
    case SettingGroup::Port: return kPortItems;
    case SettingGroup::Baud: return kBaudItems;
    case SettingGroup::Parity: return kParityItems;
    case SettingGroup::DataBits: return kDataBitsItems;
    case SettingGroup::StopBits: return kStopBitsItems;
    }
    return {};
}

void chooseSettingItem(PortSettings& settings, SettingGroup group, int index)
{
    switch (group) {
    case SettingGroup::Port: settings.portNumber = index + 1; return;
    case SettingGroup::Baud:
        settings.baudRate = kBaudRates[std::clamp(index, 0, int(std::size(kBaudRates)) - 1)];
        return;
    case SettingGroup::Parity: settings.parity = index == 1 ? 'o' : index == 2 ? 'e' : 'n'; return;
    case SettingGroup::DataBits: settings.byteSize = index == 0 ? 7 : 8; return;
    case SettingGroup::StopBits: settings.stopBits = index == 0 ? 0 : kTwoStopBits; return;
    }
}

int shownSettingItem(const PortSettings& settings, SettingGroup group)
{
    switch (group) {
    case SettingGroup::Port: {
        const int index = settings.portNumber - 1;
        return index >= 0 && index < int(std::size(kPortItems)) ? index : -1;
    }
    case SettingGroup::Baud: {
        const auto* found =
            std::find(std::begin(kBaudRates), std::end(kBaudRates), settings.baudRate);
        return found == std::end(kBaudRates) ? 0 : int(found - std::begin(kBaudRates));
    }
    case SettingGroup::Parity: return settings.parity == 'o' ? 1 : settings.parity == 'e' ? 2 : 0;
    case SettingGroup::DataBits: return settings.byteSize == 7 ? 0 : 1;
    case SettingGroup::StopBits: return settings.stopBits == 0 ? 0 : 1;
    }
    return -1;
}

namespace {

bool mustReopen(const ComPort& port, const PortSettings& start, const PortSettings& chosen)
{
    return chosen.portNumber != start.portNumber || !port.isOpen() ||
           port.devicePath() != devicePathForPort(chosen.portNumber, port.devices());
}

}  // namespace

bool portNeedsApplying(const ComPort& port, const PortSettings& start, const PortSettings& chosen)
{
    return chosen != start || mustReopen(port, start, chosen);
}

ApplyResult applyPortSettings(ComPort& port, const PortSettings& start, const PortSettings& chosen)
{
    port.parity = chosen.parity;
    port.byteSize = chosen.byteSize;
    port.stopBits = chosen.stopBits;
    bool opened = true;
    if (mustReopen(port, start, chosen)) {
        port.Close();
        port.portNumber = chosen.portNumber;
        opened = port.Open();
    }
    port.baudRate = chosen.baudRate;
    if (!opened) return ApplyResult::OpenFailed;
    return port.Configure() ? ApplyResult::Applied : ApplyResult::ConfigureFailed;
}

namespace {

const char* parityName(std::uint8_t code)
{
    static constexpr const char* kNames[] = {"none", "odd", "even", "mark", "space"};
    return code < std::size(kNames) ? kNames[code] : "unknown";
}

const char* stopBitsName(std::int32_t code)
{
    return code == 0 ? "1" : code == 1 ? "1.5" : "2";
}

}  // namespace

std::string settingsNotTaken(const PortSettings& chosen, const ControlBlock& held)
{
    using std::to_string;
    const std::uint8_t parity = chosen.parity == 'e'   ? kEvenParity
                                : chosen.parity == 'o' ? kOddParity
                                                       : kNoParity;
    std::string missing;
    const auto add = [&](bool differs, const std::string& wanted, const std::string& uses) {
        if (differs) missing += (missing.empty() ? "" : ", ") + wanted + " (it uses " + uses + ")";
    };
    add(held.byteSize != chosen.byteSize, to_string(chosen.byteSize) + " data bits",
        to_string(held.byteSize));
    add(held.parity != parity,
        parity == kNoParity ? "no parity" : parityName(parity) + std::string(" parity"),
        parityName(held.parity));
    add(held.stopBits != chosen.stopBits, std::string(stopBitsName(chosen.stopBits)) + " stop bits",
        stopBitsName(held.stopBits));
    add(held.baudRate != static_cast<std::uint32_t>(chosen.baudRate),
        to_string(chosen.baudRate) + " baud", to_string(held.baudRate));
    return missing.empty() ? missing : "The port did not take: " + missing;
}

namespace {

std::string stopBitsText(std::uint8_t code)
{
    static constexpr const char* kTexts[] = {" 1 stop bit", " 1.5 stop bits", " 2 stop bits"};
    return code < std::size(kTexts) ? kTexts[code] : std::to_string(code);
}

// A character as the view has always shown it: a blank, then its signed byte value.
std::string characterText(char c)
{
    return " " + std::to_string(static_cast<signed char>(c));
}

}  // namespace

std::vector<std::pair<std::string, std::string>> controlBlockRows(const ControlBlock& b)
{
    using std::to_string;
    return {
        {"Baud Rate", to_string(b.baudRate)},
        {"Parity", to_string(b.parity)},
        {"Byte Size", to_string(b.byteSize)},
        {"Stop Bits", stopBitsText(b.stopBits)},
        {"Binary Mode", to_string(b.binaryMode)},
        {"TX CTS Control", to_string(b.ctsOutputFlow)},
        {"TX DSR Control", to_string(b.dsrOutputFlow)},
        {"DTR Control", to_string(b.dtrControl)},
        {"RX DSR Sense", to_string(b.dsrSensitivity)},
        {"TX Continue Xoff", to_string(b.continueAfterXoff)},
        {"TX Xon/Xoff Enabled", to_string(b.xonXoffOutput)},
        {"RX Xon/Xoff Enabled", to_string(b.xonXoffInput)},
        {"Replace Parity Err Ch", to_string(b.replaceErrorChar)},
        {"Dump Null Bytes", to_string(b.stripNull)},
        {"RX RTS Control", to_string(b.rtsControl)},
        {"Abort on Error", to_string(b.abortOnError)},
        {"RX Xon Limit", to_string(b.xonLimit)},
        {"RX Xoff Limit", to_string(b.xoffLimit)},
        {"TX/RX Xon Char", characterText(b.xonChar)},
        {"TX/RX Xoff Char", characterText(b.xoffChar)},
        {"Error Character", characterText(b.errorChar)},
        {"EOF Character", characterText(b.eofChar)},
        {"RX Event Character", characterText(b.eventChar)},
        {"DCB size", to_string(b.length)},
    };
}

}  // namespace quelvar
