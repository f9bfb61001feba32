#pragma once
// The indicator's two menu passwords. Each slot of the setup image holds the digits
// as zero-terminated text; beside the slots, a check word per password lets the
// indicator verify what it was given.

#include "model/setup.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quelvar {

// Digits the indicator's keypad can enter for one password.
inline constexpr int kPasswordLength = 6;

// What the keypad and the dialog's box can enter: at most kPasswordLength digits.
bool isKeypadPassword(std::string_view text);

// 0xFFFF for an empty password; else the one's complement of 1 plus the character
// codes, each taken as a signed byte, in 16 bits.
std::uint16_t PasswordCheckWord(std::string_view text);

// Password 1 or 2 as stored: the slot's text up to its terminator (all 7 bytes
// when it has none).
std::string passwordText(const SetupImage& image, int password);

// Stores at most kPasswordLength characters and a terminator, so the slot never
// runs into its neighbour, and the check word of the text actually stored.
void storePassword(SetupImage& image, int password, std::string_view text);

}  // namespace quelvar
