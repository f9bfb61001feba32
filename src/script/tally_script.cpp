#include "script/tally_script.h"

#include "model/bytes.h"
#include "script/name_tables.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quelvar {

namespace {

constexpr std::uint8_t kEndOpcode = 255;
constexpr std::uint8_t kWriteIdOpcode = 228;
constexpr std::size_t kPromptLength = 7;
constexpr std::string_view kErrorText = "ERROR";

// How an instruction's operands are written after its opcode.
enum class Operands {
    None,
    Register,         // one register
    TwoRegisters,
    ThreeRegisters,
    Set,              // register, byte number
    DpAdjust,         // register, decimal point position 0..6
    Flag,             // small number 0..20
    Setpoint,         // small number 0..16
    Timer,            // small number 0..5
    ByteNumber,
    Prompt,           // up to 7 characters, 0-terminated when shorter
    Target,
    Condition,
    Function,
};

Operands operandsOf(std::uint8_t opcode)
{
    switch (opcode) {
    case 200: case 201: case 202: case 203: return Operands::ThreeRegisters;
    case 204: case 205: case 207: case 217: case 218:
    case 231: case 234: case 235: case 236: return Operands::Register;
    case 206: case 208: return Operands::TwoRegisters;
    case 209: return Operands::Set;
    case 212: return Operands::DpAdjust;
    case 210: case 211: return Operands::Flag;
    case 220: case 221: return Operands::Setpoint;
    case 224: case 225: return Operands::Timer;
    case 222: case 223: case 233: case 239: return Operands::ByteNumber;
    case 232: return Operands::Prompt;
    case 237: case 238: return Operands::Target;
    case 241: case 242: return Operands::Condition;
    case 243: case 244: return Operands::Function;
    default: return Operands::None;
    }
}

// The largest value of a small-number operand.
std::int32_t smallNumberLimit(Operands operands)
{
    switch (operands) {
    case Operands::DpAdjust: return 6;
    case Operands::Flag: return 20;
    case Operands::Setpoint: return 16;
    case Operands::Timer: return 5;
    default: return std::numeric_limits<std::int32_t>::max();
    }
}

// A Prompt's text ends at a 0 character, as in the indicator's own text fields.
std::string_view promptText(std::string_view text)
{
    return text.substr(0, std::min(text.find('\0'), kPromptLength));
}

// A TAB would split a Prompt's text into fields of the listing line, and a CR or
// LF the line itself where listings are text files.
bool splitsListing(std::uint8_t byte)
{
    return byte == '\t' || byte == '\n' || byte == '\r';
}

std::size_t encodedLength(Operands operands, std::string_view operand1)
{
    switch (operands) {
    case Operands::None: return 1;
    case Operands::ThreeRegisters: return 4;
    case Operands::TwoRegisters:
    case Operands::Set:
    case Operands::DpAdjust: return 3;
    case Operands::Prompt: {
        std::size_t n = promptText(operand1).size();
        return 1 + n + (n < kPromptLength ? 1 : 0);
    }
    default: return 2;
    }
}

// A decimal prefix: leading white space, an optional sign, digits up to the first
// other character; no digits reads as 0. Saturates at the 32-bit limits.
std::int32_t readDecimal(std::string_view text)
{
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kCap = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kCap, value * 10 + (text[i] - '0'));
    if (negative) value = -value;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t lowByte(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

// Writes into the slot; the caller has made sure the instruction fits.
struct Writer {
    std::span<std::uint8_t> slot;
    std::size_t& position;

    void put(std::uint8_t byte)
    {
        if (position < slot.size()) slot[position++] = byte;
    }
    // Writes the code of the entry named `text`, or the table's none code when no
    // entry has that name; true when found.
    bool putName(const NameTable& table, std::string_view text)
    {
        auto index = LookupByName(table, text);
        put(static_cast<std::uint8_t>(table.code(index)));
        return index != 0;
    }
};

CompileError encodeOperands(Writer& out, Operands operands, std::string_view operand1,
                            std::string_view operand2, std::string_view operand3)
{
    const auto& registers = registerTable();
    switch (operands) {
    case Operands::None: return CompileError::None;
    case Operands::ThreeRegisters:
    case Operands::TwoRegisters:
    case Operands::Register:
        if (!out.putName(registers, operand1)) return CompileError::Register1Name;
        if (operands == Operands::Register) return CompileError::None;
        if (!out.putName(registers, operand2)) return CompileError::Register2Name;
        if (operands == Operands::TwoRegisters) return CompileError::None;
        if (!out.putName(registers, operand3)) return CompileError::Register3Name;
        return CompileError::None;
    case Operands::Set:
    case Operands::DpAdjust: {
        // A bad register still lets the number be written.
        auto result = out.putName(registers, operand1) ? CompileError::None
                                                       : CompileError::Register1Name;
        std::uint8_t value = lowByte(readDecimal(operand2));
        if (value > smallNumberLimit(operands)) {
            value = 0;
            result = CompileError::ValueOutOfRange;
        }
        out.put(value);
        return result;
    }
    case Operands::Flag:
    case Operands::Setpoint:
    case Operands::Timer: {
        std::int32_t value = readDecimal(operand1);
        bool inRange = value >= 0 && value <= smallNumberLimit(operands);
        out.put(inRange ? lowByte(value) : 0);
        return inRange ? CompileError::None : CompileError::ValueOutOfRange;
    }
    case Operands::ByteNumber: out.put(lowByte(readDecimal(operand1))); return CompileError::None;
    case Operands::Prompt: {
        auto text = promptText(operand1);
        for (char c : text) out.put(static_cast<std::uint8_t>(c));
        if (text.size() < kPromptLength) out.put(0);
        return CompileError::None;
    }
    case Operands::Target:
        return out.putName(transmitTargetTable(), operand1) ? CompileError::None
                                                            : CompileError::Register1Name;
    case Operands::Condition:
        return out.putName(statusConditionTable(), operand1) ? CompileError::None
                                                             : CompileError::StatusNotFound;
    case Operands::Function:
        return out.putName(functionTable(), operand1) ? CompileError::None
                                                      : CompileError::FunctionNotFound;
    }
    return CompileError::None;
}

// Reads byte code; a byte beyond the end of the code reads as missing.
struct Reader {
    std::span<const std::uint8_t> code;
    std::size_t& position;

    std::optional<std::uint8_t> next()
    {
        if (position >= code.size()) return std::nullopt;
        return code[position++];
    }
    bool name(const NameTable& table, std::string& out)
    {
        auto byte = next();
        auto index = byte ? LookupByCode(table, *byte) : 0;
        out = index ? table.name(index) : kErrorText;
        return index != 0;
    }
    // A number byte in decimal; above `limit` (or missing) it reads as "ERROR".
    bool number(std::string& out, int limit = 255)
    {
        auto byte = next();
        bool valid = byte && *byte <= limit;
        out = valid ? std::to_string(*byte) : std::string(kErrorText);
        return valid;
    }
};

bool decodeOperands(Reader& in, Operands operands, ListingLine& out)
{
    const auto& registers = registerTable();
    switch (operands) {
    case Operands::None: return true;
    case Operands::Register: return in.name(registers, out.operand1);
    case Operands::TwoRegisters:
        return in.name(registers, out.operand1) && in.name(registers, out.operand2);
    case Operands::ThreeRegisters:
        return in.name(registers, out.operand1) && in.name(registers, out.operand2) &&
               in.name(registers, out.operand3);
    case Operands::Set: return in.name(registers, out.operand1) && in.number(out.operand2);
    case Operands::DpAdjust: {
        if (!in.name(registers, out.operand1)) return false;
        std::string position;
        if (in.number(position, smallNumberLimit(operands))) {
            out.operand2 = position;
            return true;
        }
        out.operand1 = kErrorText;  // a bad position marks the register column
        return false;
    }
    case Operands::Flag:
    case Operands::Setpoint:
    case Operands::Timer: return in.number(out.operand1, smallNumberLimit(operands));
    case Operands::ByteNumber: return in.number(out.operand1);
    case Operands::Prompt:
        for (std::size_t i = 0; i < kPromptLength; ++i) {
            auto byte = in.next();
            if (!byte || *byte == 0) break;
            out.operand1 += splitsListing(*byte) ? ' ' : static_cast<char>(*byte);
        }
        return true;
    case Operands::Target: return in.name(transmitTargetTable(), out.operand1);
    case Operands::Condition: return in.name(statusConditionTable(), out.operand1);
    case Operands::Function: return in.name(functionTable(), out.operand1);
    }
    return true;
}

std::size_t commentOffset(int n, int line)
{
    return (static_cast<std::size_t>(n) * kLinesPerFunction + static_cast<std::size_t>(line)) *
           kLineCommentSize;
}

void storeLineComment(Setup& setup, int n, int line, std::string_view comment)
{
    if (!isFunctionNumber(n) || line < 0 || line >= static_cast<int>(kLinesPerFunction)) return;
    writeText(setup.lineComments, commentOffset(n, line), kLineCommentSize, comment);
}

}  // namespace

std::span<std::uint8_t> functionSlot(SetupImage& image, int n)
{
    if (!isFunctionNumber(n)) return {};
    return std::span<std::uint8_t>(image).subspan(functionSlotOffset(n), kFunctionSlotSize);
}

std::span<const std::uint8_t> functionSlot(const SetupImage& image, int n)
{
    if (!isFunctionNumber(n)) return {};
    return std::span<const std::uint8_t>(image).subspan(functionSlotOffset(n), kFunctionSlotSize);
}

std::string lineComment(const Setup& setup, int n, int line)
{
    if (!isFunctionNumber(n) || line < 0 || line >= static_cast<int>(kLinesPerFunction)) return {};
    return readText(setup.lineComments, commentOffset(n, line), kLineCommentSize);
}

std::string joinListingLine(const ListingLine& line)
{
    std::string text;
    for (const auto* field : {&line.instruction, &line.operand1, &line.operand2, &line.operand3}) {
        text += *field;
        text += '\t';
    }
    return text + line.comment;
}

std::optional<ListingLine> splitListingLine(std::string_view text)
{
    ListingLine line;
    for (auto* field : {&line.instruction, &line.operand1, &line.operand2, &line.operand3}) {
        auto tab = text.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        *field = text.substr(0, tab);
        text.remove_prefix(tab + 1);
    }
    line.comment = text;
    return line;
}

std::string_view compileErrorText(CompileError error)
{
    switch (error) {
    case CompileError::Register1Name: return "Error: Register 1 name";
    case CompileError::Register2Name: return "Error: Register 2 name";
    case CompileError::Register3Name: return "Error: Register 3 name";
    case CompileError::InstructionNotFound: return "Error: Instruction code not found";
    case CompileError::ValueOutOfRange: return "Error: Value out of range";
    case CompileError::FunctionNotFound: return "Error: Function name not found";
    case CompileError::StatusNotFound: return "Error: Status code not found";
    case CompileError::MissingTab: return "Error: Missing TAB";
    case CompileError::FunctionFull:
        return "Error: Function full: the last byte of a function is always End";
    default: return "Error: unknown error";
    }
}

std::string compileSuccessText(int byteCount)
{
    return "Compile successful.  Byte count = " + std::to_string(byteCount);
}

ErrorFocus compileErrorFocus(CompileError error)
{
    switch (error) {
    case CompileError::Register1Name:
    case CompileError::ValueOutOfRange:
    case CompileError::FunctionNotFound:
    case CompileError::StatusNotFound: return ErrorFocus::Operand1;
    case CompileError::Register2Name: return ErrorFocus::Operand2;
    case CompileError::Register3Name: return ErrorFocus::Operand3;
    case CompileError::InstructionNotFound:
    case CompileError::FunctionFull: return ErrorFocus::Instruction;
    default: return ErrorFocus::None;
    }
}

CompileError EncodeLine(std::span<std::uint8_t> slot, std::size_t& position,
                        std::string_view instruction, std::string_view operand1,
                        std::string_view operand2, std::string_view operand3)
{
    if (position >= slot.size()) return CompileError::FunctionFull;
    Writer out{slot, position};
    auto index = LookupByName(instructionTable(), instruction);
    if (index == 0) {
        out.put(kEndOpcode);  // the indicator stops here
        return CompileError::InstructionNotFound;
    }
    auto opcode = static_cast<std::uint8_t>(instructionTable().code(index));
    auto operands = operandsOf(opcode);
    // The slot's last byte only ever holds an End (255), so that the indicator
    // never runs on into the next slot and the editor's guard byte never changes
    // code. An instruction may end on it when its own last byte is 255.
    std::array<std::uint8_t, 1 + kPromptLength> bytes{};
    std::size_t length = 0;
    Writer into{bytes, length};
    into.put(opcode);
    auto result = encodeOperands(into, operands, operand1, operand2, operand3);
    std::size_t room = slot.size() - position;
    if (encodedLength(operands, operand1) > room ||
        (length == room && bytes[length - 1] != kEndOpcode))
        return CompileError::FunctionFull;
    for (std::size_t i = 0; i < length; ++i)
        out.put(bytes[i]);
    return result;
}

std::string_view CompileResult::message() const
{
    if (listingEmpty) return kListingEmptyText;
    return failingLine >= 0 ? compileErrorText(error) : std::string_view{};
}

CompileResult CompileListing(Setup& setup, int n, std::span<const std::string> lines,
                             bool stopAtFirstError)
{
    CompileResult result;
    auto slot = functionSlot(setup.image, n);
    if (!slot.empty()) slot[0] = kEndOpcode;  // nothing compiled leaves an empty function
    if (lines.empty()) {
        result.listingEmpty = true;
        return result;
    }
    std::size_t position = 0;
    bool anyError = false;
    CompileError error = CompileError::None;
    int i = 0;
    for (;; ++i) {
        auto text = std::string_view(lines[static_cast<std::size_t>(i)])
                        .substr(0, kMaxListingLineLength);
        auto line = splitListingLine(text);
        if (!line) {
            error = CompileError::MissingTab;
            break;
        }
        storeLineComment(setup, n, i, line->comment);
        error = EncodeLine(slot, position, line->instruction, line->operand1, line->operand2,
                           line->operand3);
        if (error != CompileError::None) {
            anyError = true;
            if (stopAtFirstError || error == CompileError::FunctionFull) break;
        }
        if (line->instruction != "End") result.byteCount = static_cast<int>(position);
        if (position >= slot.size() || i + 1 == static_cast<int>(lines.size())) break;
    }
    result.linesCompiled = i + 1;
    if (error != CompileError::None) {
        result.failingLine = i;
        result.error = error;
        return result;
    }
    result.success = !anyError;
    return result;
}

bool DecodeInstruction(std::span<const std::uint8_t> code, std::size_t& position,
                       ListingLine& out)
{
    out = ListingLine{};
    Reader in{code, position};
    auto opcode = in.next();
    auto index = opcode ? LookupByCode(instructionTable(), *opcode) : 0;
    if (index == 0) {
        out.instruction = kErrorText;
        return false;
    }
    out.instruction = instructionTable().name(index);
    return decodeOperands(in, operandsOf(*opcode), out) && *opcode != kWriteIdOpcode;
}

const NameTable* operandNameTable(std::uint8_t opcode, int operand)
{
    int named = 1;
    const NameTable* table = &registerTable();
    switch (operandsOf(opcode)) {
    case Operands::ThreeRegisters: named = 3; break;
    case Operands::TwoRegisters: named = 2; break;
    case Operands::Register:
    case Operands::Set:
    case Operands::DpAdjust: break;
    case Operands::Target: table = &transmitTargetTable(); break;
    case Operands::Condition: table = &statusConditionTable(); break;
    case Operands::Function: table = &functionTable(); break;
    default: return nullptr;
    }
    return operand >= 1 && operand <= named ? table : nullptr;
}

void setSlotGuard(SetupImage& image, int n)
{
    auto slot = functionSlot(image, n);
    if (!slot.empty()) slot.back() = kEndOpcode;
}

std::vector<std::string> rebuildListing(Setup& setup, int n)
{
    std::vector<std::string> lines;
    if (!isFunctionNumber(n)) return lines;
    setSlotGuard(setup.image, n);
    // A Prompt near the slot's end may read its characters on past it; every
    // other instruction ends at the guard byte at the latest.
    const std::size_t end = functionSlotOffset(n) + kFunctionSlotSize;
    for (std::size_t position = functionSlotOffset(n); position < end;) {
        ListingLine line;
        DecodeInstruction(setup.image, position, line);
        line.comment = lineComment(setup, n, static_cast<int>(lines.size()));
        lines.push_back(joinListingLine(line));
    }
    return lines;
}

}  // namespace quelvar
