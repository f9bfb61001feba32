#pragma once
// The five serial settings as one value, the port settings dialog's radio groups
// and how their items map to settings, applying changed settings to the port, and
// the rows of the "Device Control Block" view.

#include "serial/com_port.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quelvar {

// In ComPort's own encoding: port number 1-4, bits per second, data bits, parity
// character code, stop-bit code.
struct PortSettings {
    std::int32_t portNumber = 0;
    std::int32_t baudRate = 0;
    std::int32_t byteSize = 0;
    std::int32_t parity = 0;
    std::int32_t stopBits = 0;

    bool operator==(const PortSettings&) const = default;
};

PortSettings portSettingsOf(const ComPort& port);

// The dialog's radio groups, in the order the dialog shows them.
enum class SettingGroup { Port, Baud, Parity, DataBits, StopBits };
inline constexpr SettingGroup kSettingGroups[] = {SettingGroup::Port, SettingGroup::Baud,
                                                  SettingGroup::Parity, SettingGroup::DataBits,
                                                  SettingGroup::StopBits};

const char* settingGroupCaption(SettingGroup group);
std::span<const char* const> settingGroupItems(SettingGroup group);

// A click on item `index` writes the group's setting into `settings`.
void chooseSettingItem(PortSettings& settings, SettingGroup group, int index);
// The item that shows the group's setting: a baud rate, parity or size the lists
// do not hold shows the group's first item; a port number outside 1-4 shows none (-1).
int shownSettingItem(const PortSettings& settings, SettingGroup group);

enum class ApplyResult { Applied, OpenFailed, ConfigureFailed };

// Whether OK has anything to do: a changed setting, a port that is not open (a
// plugged-in adapter needs no restart of the editor), or a port number now mapped to
// another device than the one open.
bool portNeedsApplying(const ComPort& port, const PortSettings& start, const PortSettings& chosen);

// Applies `chosen`: parity, byte size and stop bits first; the port closed and
// opened on the chosen number when the number or its device changed or the port is
// closed; then the baud rate and Configure. A port that did not open is not
// configured; the settings stay in the port either way, so they still reach the
// settings file.
ApplyResult applyPortSettings(ComPort& port, const PortSettings& start, const PortSettings& chosen);

// What a configured port did not take of `chosen`, as its device reports `held`:
// "The port did not take: 7 data bits (it uses 8)", every difference in one text;
// empty when it took them all.
std::string settingsNotTaken(const PortSettings& chosen, const ControlBlock& held);

// The 24 rows of the control block view: name, value.
std::vector<std::pair<std::string, std::string>> controlBlockRows(const ControlBlock& block);

}  // namespace quelvar
