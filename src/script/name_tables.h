#pragma once
// The indicator's vocabulary: the constant name tables of functions, Tally Script
// instructions, registers, register abbreviations (print labels), status
// conditions and transmit targets, and the user function names.
//
// Codes only mean something within their own table: register 115 is "True" while
// condition 115 is "Overload".

#include "script/name_table.h"

#include <array>
#include <string_view>

namespace quelvar {

const NameTable& functionTable();           // 47 entries, none code 255
const NameTable& instructionTable();        // 50 entries
const NameTable& registerTable();           // 50 entries
const NameTable& registerAbbreviationTable();  // 46 entries
const NameTable& statusConditionTable();    // 51 entries
const NameTable& transmitTargetTable();     // 28 entries; the last 14 are input aliases

inline constexpr std::uint8_t kNoFunction = 255;  // the function table's none code

// Names of function numbers 0..15: "" then "User1".."User15".
const std::array<std::string_view, 16>& userFunctionNames();
// The name of function number n, empty outside 1..15.
std::string_view userFunctionName(int n);

}  // namespace quelvar
