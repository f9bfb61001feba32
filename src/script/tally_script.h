#pragma once
// Tally Script: the compiler that turns a user function's listing into byte code
// in its slot of the function code area, and the decoder that turns byte code
// back into listing lines. Only the comments are kept as text (in the line comment
// store); the listing itself is always rebuilt from the bytes.
//
// How the function editor uses this:
//
//   // opening function n: the list box rows
//   std::vector<std::string> rows = rebuildListing(setup, n);   // sets the slot's guard byte
//   // showing a row in the five boxes
//   if (auto line = splitListingLine(rows[i])) { instrEdit = line->instruction; ... }
//   // storing the boxes back into the row
//   rows[i] = joinListingLine({instr, op1, op2, op3, comment});
//   // Compile (stop at the first error) or OK (go on to the last line)
//   CompileResult r = CompileListing(setup, n, rows, /*stopAtFirstError=*/true);
//   if (r.success) show(compileSuccessText(r.byteCount));
//   else if (r.reported()) {           // make r.failingLine current (when >= 0),
//       show(r.message());             // show the text, and focus the box of
//       focus(compileErrorFocus(r.error));   // the error
//   }
//
// A listing line is five fields joined by TABs: instruction, operand 1..3, comment
// ("\t\t\t\t" is an empty line).

#include "model/setup.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

class NameTable;

// Function code area: 16 slots of 64 bytes; function n (0..15) in slot n.
inline constexpr std::size_t kFunctionCodeOffset = 527;
inline constexpr std::size_t kFunctionSlotSize = 64;
// Lines beyond this length are cut when compiled.
inline constexpr std::size_t kMaxListingLineLength = 127;
inline constexpr std::string_view kEmptyListingLine = "\t\t\t\t";

constexpr bool isFunctionNumber(int n) { return n >= 0 && n < static_cast<int>(kFunctionCount); }
constexpr std::size_t functionSlotOffset(int n)
{
    return kFunctionCodeOffset + kFunctionSlotSize * static_cast<std::size_t>(n);
}
// The 64 bytes of slot n; empty when n is no function number.
std::span<std::uint8_t> functionSlot(SetupImage& image, int n);
std::span<const std::uint8_t> functionSlot(const SetupImage& image, int n);

// The comment of line i (0..31) of function n, empty for other lines.
std::string lineComment(const Setup& setup, int n, int line);

struct ListingLine {
    std::string instruction;
    std::string operand1;
    std::string operand2;
    std::string operand3;
    std::string comment;

    bool operator==(const ListingLine&) const = default;
};

// "%s\t%s\t%s\t%s\t%s" of the five fields.
std::string joinListingLine(const ListingLine& line);
// Splits at the first four TABs (the comment keeps any further TABs);
// nothing when the text holds fewer than four.
std::optional<ListingLine> splitListingLine(std::string_view text);

enum class CompileError : int {
    None = 0,
    Register1Name = 1,      // operand 1 names no register (or transmit target)
    Register2Name = 2,
    Register3Name = 3,
    InstructionNotFound = 4,
    ValueOutOfRange = 5,
    FunctionNotFound = 6,   // Gosub / Goto
    StatusNotFound = 7,     // If / If not
    MissingTab = 8,
    FunctionFull = 9,       // the instruction would run into the slot's last byte
};

// The message box text of an error ("Error: Register 1 name", ...).
std::string_view compileErrorText(CompileError error);
inline constexpr std::string_view kListingEmptyText = "Error: Listbox empty";
// "Compile successful.  Byte count = %d"
std::string compileSuccessText(int byteCount);

// The edit box that receives the focus when a line fails with `error`.
enum class ErrorFocus { None, Instruction, Operand1, Operand2, Operand3 };
ErrorFocus compileErrorFocus(CompileError error);

// Encodes one instruction at `position` in `slot` and advances the position past
// the bytes written. The texts are used exactly as passed. A failing line keeps
// the bytes written up to the failure. An instruction that does not fit in the
// rest of the slot, or would put anything but 255 into its last byte, is not
// written at all (FunctionFull): every function ends inside its own slot.
CompileError EncodeLine(std::span<std::uint8_t> slot, std::size_t& position,
                        std::string_view instruction, std::string_view operand1,
                        std::string_view operand2, std::string_view operand3);

struct CompileResult {
    bool success = false;
    // Bytes from the slot's start to the end of the last compiled line that is not "End".
    int byteCount = 0;
    bool listingEmpty = false;  // there was no line at all
    int linesCompiled = 0;      // the lines compiling reached, from the first; a full
                                // slot leaves the lines after it out
    int failingLine = -1;       // index of the line to report, -1 when none is reported
    CompileError error = CompileError::None;  // that line's error

    // True when the failure must be shown (a failure can also be silent: with
    // stopAtFirstError off, errors before the last compiled line only fail).
    bool reported() const { return listingEmpty || failingLine >= 0; }
    // The text to show for a reported failure, empty otherwise.
    std::string_view message() const;
};

// Compiles the listing into slot n and the comments of lines 0..31 into the line
// comment store (cut to 29 characters). With stopAtFirstError (the Compile button)
// the first failing line ends compiling; without it (OK) every line is compiled and
// only an error on the line where compiling ended is reported. Compiling also
// ends, silently, once the slot is full.
CompileResult CompileListing(Setup& setup, int n, std::span<const std::string> lines,
                             bool stopAtFirstError);

// Decodes the instruction at `position` of `code` into the instruction name and up
// to three operand texts ("ERROR" where a byte has no meaning) and advances the
// position past the bytes consumed; the comment is left empty. Never reads outside
// `code`. Returns false for an unknown opcode, an "ERROR" operand, a missing byte
// and "Write id" (which still decodes completely).
bool DecodeInstruction(std::span<const std::uint8_t> code, std::size_t& position,
                       ListingLine& out);

// The name table whose names operand k (1..3) of the instruction `opcode` takes;
// null where that operand is a number, a text or not used.
const NameTable* operandNameTable(std::uint8_t opcode, int operand);

// Sets the last byte of slot n to End, so that the function ends in its slot.
void setSlotGuard(SetupImage& image, int n);

// The listing of function n as the editor shows it when opened: sets the guard
// byte, then decodes every instruction that starts in the slot, one line each,
// with the stored comments of lines 0..31.
std::vector<std::string> rebuildListing(Setup& setup, int n);

}  // namespace quelvar
