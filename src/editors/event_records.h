#pragma once
// The functions tied to events: the power-on and key functions, the setpoint
// records and the timer records of the setup image, and the names they show as.
// The event dialogs, the setup report and the setup text use these.

#include "model/setup.h"
#include "script/name_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

// --- names and codes ---------------------------------------------------------

// The name of the entry carrying `code`; empty when no entry does (the none code
// among them).
std::string nameOfCode(const NameTable& table, std::uint8_t code);
// The code of the entry named exactly `name`: the table's none code for an empty
// name, nothing when no entry has that name.
std::optional<std::uint8_t> codeOfName(const NameTable& table, std::string_view name);
// A function name as the keyboard and timer dialogs take it: trimmed, first letter
// raised to upper case (the function editor's rule). Empty means no function (255).
std::optional<std::uint8_t> typedFunctionCode(std::string_view text);

// --- power-on and key functions ----------------------------------------------

struct KeyFunctionField {
    std::size_t offset;     // the function byte in the setup image
    std::string_view name;  // as the dialog's messages name it: "Power On", "F1 key"
};

// The eight events in the order the dialog shows and stores them: Power On, Print,
// Units, Gross/Net, Tare, Zero, F1, F2.
inline constexpr std::size_t kKeyEventCount = 8;
std::span<const KeyFunctionField, kKeyEventCount> keyEvents();

// The function name of each event, in keyEvents() order; a code that no function
// carries (255 among them) shows empty.
std::array<std::string, kKeyEventCount> keyFunctionNames(const SetupImage& image);

struct KeyStoreFailure {
    std::size_t event;  // index into keyEvents()
    std::string name;   // the text as looked up (trimmed, first letter raised)
};

// Stores the function typed for one event; the failure when the name is no function.
std::optional<KeyStoreFailure> storeKeyFunction(SetupImage& image, std::size_t event,
                                                std::string_view typed);
// The message for a refused name: "Invalid Function - F1 key: USER3".
std::string keyStoreMessage(const KeyStoreFailure& failure);

// --- setpoints ---------------------------------------------------------------

inline constexpr int kFirstSetpoint = 1;
inline constexpr int kLastSetpoint = 15;

// A setpoint number from anywhere (typed, stepped) made into 1..15: below 1 is 1,
// above 15 is 15. Record 0 would be timer 5's bytes.
int clampSetpoint(long long number);

struct SetpointRecord {
    std::uint8_t upper = 0;       // register code
    std::uint8_t lower = 0;       // register code, or condition code under True/False
    std::uint8_t function = 255;  // function code, 255 runs none
    bool operator==(const SetpointRecord&) const = default;
};

struct SetpointNames {
    std::string upper;
    std::string lower;
    std::string function;
    bool operator==(const SetpointNames&) const = default;
};

enum class SetpointField { Upper, Lower, Function };

// Whether an upper register code makes the setpoint test a status condition
// ("True" or "False").
bool isStatusTest(std::uint8_t upperCode);
// The table the lower field names its entry from for this upper register.
const NameTable& lowerFieldTable(std::uint8_t upperCode);

SetpointRecord readSetpoint(const SetupImage& image, int setpoint);
void writeSetpoint(SetupImage& image, int setpoint, const SetpointRecord& record);

// The names the three fields show; a code that no entry carries shows empty.
SetpointNames setpointNames(const SetpointRecord& record);

// The code `name` stands for in one field of a setpoint whose upper register is
// `upperCode` (the lower field's table depends on it), taken exactly as typed; an
// empty name gives the table's none code, a name in no entry nothing.
std::optional<std::uint8_t> setpointCode(SetpointField field, std::uint8_t upperCode,
                                         std::string_view name);
// The message for a name refused in `field`: "Upper register - invalid name: gross".
std::string setpointMessage(SetpointField field, std::string_view name);

// --- timers ------------------------------------------------------------------

inline constexpr int kTimerCount = 5;

struct TimerRecord {
    std::uint16_t time = 0xFFFF;  // tenths of a second
    std::uint8_t function = 255;
    bool operator==(const TimerRecord&) const = default;
};

// Timer 1..5.
TimerRecord readTimer(const SetupImage& image, int timer);
void writeTimer(SetupImage& image, int timer, const TimerRecord& record);

// The message for a timer's function name that is no function, given the text as
// typed: "Invalid Function: bad".
std::string timerFunctionMessage(std::string_view typed);

// A typed time kept modulo 65536: 65536 is 0 and -1 is 65535.
std::uint16_t timerTime(std::int64_t typed);

}  // namespace quelvar
