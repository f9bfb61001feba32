#pragma once
// The text listing of user functions shown by the configuration display and
// printed in the setup report: byte code, decoded instructions and comments.

#include "model/setup.h"

#include <string>

namespace quelvar {

// True when function n's slot does not begin with an End byte.
bool FunctionSlotUsed(const SetupImage& image, int n);

// Appends one line per instruction of function n:
// "%3s %3s %3s %3s  " (its first four bytes) then "%-10s%-10s%-10s%-10s%s\n"
// (instruction, operands, comment). Sets the slot's guard byte first.
void AppendFunctionListing(std::string& text, Setup& setup, int n);

// The Tally Script list: the application description, then each user function
// 1..15 with its name, description and listing. Sets the guard bytes.
std::string tallyScriptListText(Setup& setup);

}  // namespace quelvar
