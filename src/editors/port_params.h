#pragma once
// The indicator's own serial ports and printer output: list choices ⇄ the codes
// stored in the setup image. A list shows no selection for a code outside it, and a
// list without a selection leaves its byte as it was.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quelvar {

// The lists' texts, with the leading blanks they show.
std::span<const std::string_view> dataBitsNames();
std::span<const std::string_view> parityNames();
// Baud rate, TX format and printer: the code is the index + 1.
std::span<const std::string_view> baudRateNames();
std::span<const std::string_view> txFormatNames();
std::span<const std::string_view> printerNames();

// A port's mode byte as the data bits list (0 = 7, 1 = 8) and the parity list
// (0 none, 1 even, 2 odd). Modes 1-6 only; others give -1 for both.
struct LineMode {
    int dataBits = -1;
    int parity = -1;
    bool operator==(const LineMode&) const = default;
};
LineMode lineMode(std::uint8_t mode);
// nullopt when either list has no selection.
std::optional<std::uint8_t> modeByte(LineMode mode);

// Print code 1-4: three code bytes; the fourth byte is always written 0.
using PrintCode = std::array<std::uint8_t, 3>;
PrintCode readPrintCode(std::span<const std::uint8_t> image, int code);
void writePrintCode(std::span<std::uint8_t> image, int code, const PrintCode& bytes);

}  // namespace quelvar
