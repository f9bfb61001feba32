#include "serial/com_test.h"

#include <cstdio>
#include <iterator>

namespace quelvar {

void appendReceivedByte(std::string& text, std::uint8_t byte)
{
    if (byte < 32) {
        text += '^';
        text += static_cast<char>(byte + 64);
    } else {
        text += static_cast<char>(byte);
    }
}

void trimReceiveText(std::string& text)
{
    if (text.size() <= kReceiveTextLimit) return;
    const std::size_t over = text.size() - kReceiveTextLimit;
    text.erase(0, (over + kReceiveTextTrim - 1) / kReceiveTextTrim * kReceiveTextTrim);
}

// A zero byte is shown like any other control byte and the poll goes on: at a
// wrong baud rate zeros are common, and the bytes after one are what tells.
bool pollReceived(ComPort& port, std::string& text)
{
    bool received = false;
    for (int byte = port.ReadByte(); byte >= 0; byte = port.ReadByte()) {
        appendReceivedByte(text, static_cast<std::uint8_t>(byte));
        received = true;
    }
    trimReceiveText(text);
    return received;
}

std::string txCountText(int count)
{
    char text[32];
    std::snprintf(text, sizeof text, "tx count %3d", count);
    return text;
}

namespace {

// Parity is named from its code, whatever the checking flag says: a line without
// parity may still have checking on (a pty reports it so).
std::string parityText(const ControlBlock& block)
{
    static constexpr const char* kNames[] = {"no parity", "odd", "even", "mark", "space"};
    const bool named = block.parityCheck && block.parity < std::size(kNames);
    return std::string("Parity\t\t") + (named ? kNames[block.parity] : kNames[0]);
}

std::string stopBitsText(std::uint8_t code)
{
    if (code == 0) return "Stop Bits \t1";
    if (code == 2) return "Stop Bits \t2";
    return "Stop Bits \t other";
}

std::string deviceText(const ComPort& port)
{
    const std::string device = devicePathForPort(port.portNumber, port.devices());
    if (port.isOpen()) return "Device    \t" + device;
    return "Device    \t" + (device.empty() ? std::string("not open") : device + " (not open)");
}

}  // namespace

PortSummary portSummary(ComPort& port)
{
    const ControlBlock& block = port.GetControlBlock();
    return {
        "Com Port  \tCom " + std::to_string(port.portNumber),
        deviceText(port),
        "Baud Rate \t" + std::to_string(block.baudRate),
        "Data Bits \t" + std::to_string(block.byteSize),
        parityText(block),
        stopBitsText(block.stopBits),
    };
}

}  // namespace quelvar
