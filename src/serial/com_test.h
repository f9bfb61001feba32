#pragma once
// The communications test terminal's rules: how received bytes are shown, how far
// the receive text may grow, the transmit count and the port summary.

#include "serial/com_port.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quelvar {

// What "Transmit Test Data" sends: 37 characters, ending in a blank.
inline constexpr std::string_view kTestText = "1234567890abcdefghijklmnopqurstuwxyz ";

inline constexpr std::size_t kReceiveTextLimit = 1024;
inline constexpr std::size_t kReceiveTextTrim = 80;

// One byte as one character (Latin-1), a control byte as a caret and the character
// 64 above it: carriage return shows as "^M", a zero byte as "^@".
void appendReceivedByte(std::string& text, std::uint8_t byte);

// Drops the oldest characters, 80 at a time, while the text is over 1024.
void trimReceiveText(std::string& text);

// Takes every byte that has arrived into `text`, then trims it. True when a byte
// arrived, so the window needs showing again.
bool pollReceived(ComPort& port, std::string& text);

// "tx count %3d".
std::string txCountText(int count);

// The summary labels of the test dialog.
struct PortSummary {
    std::string comPort, device, baudRate, dataBits, parity, stopBits;
};

// Fetches the port's control block (GetControlBlock). The port number is the
// port's setting; the device is the one that number maps to, "not open" added
// while the port is closed.
PortSummary portSummary(ComPort& port);

}  // namespace quelvar
