#pragma once
// The text listing of user functions shown by the configuration display and
// printed in the setup report: byte code, decoded instructions and comments.
// The texts are UTF-8; a byte of a description, comment or prompt that has no
// visible form shows as its number in angle brackets ("<9>"), and a description's
// line breaks are single "\n".

#include "model/setup.h"

#include <string>

namespace quelvar {

// True when function n's slot does not begin with an End byte.
bool FunctionSlotUsed(const SetupImage& image, int n);

// Appends one line per instruction of function n:
// "%3s %3s %3s %3s  " (its first four bytes) then "%-10s%-10s%-10s%-10s%s\n"
// (instruction, operands, comment). Sets the slot's guard byte first.
void AppendFunctionListing(std::string& text, Setup& setup, int n);

// "Application Description: ", the description, and an empty line.
std::string applicationDescriptionText(const Setup& setup);

// "TS Function User3", function 3's description and its listing, each line ended
// by "\n". Sets the slot's guard byte.
std::string functionText(Setup& setup, int n);

// The Tally Script list: the application description, then each user function
// 1..15 with its name, description and listing. Sets the guard bytes.
std::string tallyScriptListText(Setup& setup);

}  // namespace quelvar
