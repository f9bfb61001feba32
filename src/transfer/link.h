#pragma once
// The indicator link: the commands the PC sends and the answers the indicator gives.
// Nothing is framed or addressed; only the 2048-byte image block is acknowledged.

#include "serial/com_port.h"

#include <cstdint>
#include <string_view>

namespace quelvar {

inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::string_view kResetEscapes = "\x1B\x1B";
inline constexpr std::string_view kResetX0 = "X0";
inline constexpr std::string_view kStatusRequest = "S";
inline constexpr std::string_view kWriteCommand = "CW";
inline constexpr std::string_view kReadCommand = "CR";

inline constexpr std::uint8_t kStatusReady = 'I';
inline constexpr std::uint8_t kStatusBusy = 'B';
inline constexpr std::uint8_t kStatusError = 'E';
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;

// Each sends its bytes through the port and ignores the write's result.
void SendResetSequence(ComPort& port);  // ESC ESC, then "X0": two writes
void SendStatusRequest(ComPort& port);  // "S"
void SendWriteCommand(ComPort& port);   // "CW", followed by the image block
void SendReadCommand(ComPort& port);    // "CR"; the indicator answers with its image block

}  // namespace quelvar
