#include "script/name_tables.h"
#include "script/tally_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace quelvar;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A setup whose function code area is in its factory state (all End bytes).
Setup freshSetup()
{
    quelvar::Setup setup;
    setup.image.fill(0x11);
    std::fill_n(setup.image.begin() + kFunctionCodeOffset, kFunctionCount * kFunctionSlotSize,
                std::uint8_t{255});
    return setup;
}

Bytes slotBytes(const Setup& setup, int n, std::size_t count)
{
    auto slot = functionSlot(setup.image, n);
    return Bytes(slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(count));
}

std::string line(std::string_view instruction, std::string_view op1 = "",
                 std::string_view op2 = "", std::string_view op3 = "",
                 std::string_view comment = "")
{
    return joinListingLine({std::string(instruction), std::string(op1), std::string(op2),
                            std::string(op3), std::string(comment)});
}

TEST(EncodeLine, Instructions)
{
    struct Case {
        std::vector<std::string_view> fields;  // instruction, operands
        Bytes bytes;
        CompileError error;
    };
    using E = CompileError;
    const Case cases[] = {
        {{"End"}, {255}, E::None},
        {{"Write id"}, {228}, E::None},
        {{"Add", "Memory1", "Gross", "Tare"}, {200, 1, 64, 65}, E::None},
        {{"Add", "Memory1", "Gros", "Tare"}, {200, 1, 0}, E::Register2Name},
        {{"Div", "x", "Gross", "Tare"}, {203, 0}, E::Register1Name},
        {{"Sub", "Net", "Gross", "tare"}, {201, 66, 64, 0}, E::Register3Name},
        {{""}, {255}, E::InstructionNotFound},
        {{"ADD", "Memory1", "Gross", "Tare"}, {255}, E::InstructionNotFound},
        {{"Set Pt On", "1"}, {255}, E::InstructionNotFound},
        {{"Inc", "Gross", "junk", "junk"}, {204, 64}, E::None},
        {{"Erase id", "Nett"}, {236, 0}, E::Register1Name},
        {{"Compare", "Net", "Tare"}, {208, 66, 65}, E::None},
        {{"Copy", "Net", "x"}, {206, 66, 0}, E::Register2Name},
        {{"Set", "Memory2", "300"}, {209, 2, 44}, E::None},
        {{"Set", "Memory2", "256"}, {209, 2, 0}, E::None},
        {{"Set", "Memory2", "-1"}, {209, 2, 255}, E::None},
        {{"Set", "Memory2", " \t+12abc"}, {209, 2, 12}, E::None},
        {{"Set", "Nothing", "7"}, {209, 0, 7}, E::Register1Name},
        {{"Dp adjust", "Net", "7"}, {212, 66, 0}, E::ValueOutOfRange},
        {{"Dp adjust", "Net", "6"}, {212, 66, 6}, E::None},
        {{"Dp adjust", "Bad", "9"}, {212, 0, 0}, E::ValueOutOfRange},
        {{"Flag on", "21"}, {210, 0}, E::ValueOutOfRange},
        {{"Flag on", "abc"}, {210, 0}, E::None},
        {{"Flag on", "-1"}, {210, 0}, E::ValueOutOfRange},
        {{"Flag off", "20"}, {211, 20}, E::None},
        {{"Set pt off", "16"}, {221, 16}, E::None},
        {{"Set pt on", "17"}, {220, 0}, E::ValueOutOfRange},
        {{"Timer on", "5"}, {224, 5}, E::None},
        {{"Timer off", "6"}, {225, 0}, E::ValueOutOfRange},
        {{"Flag on", "4294967297"}, {210, 0}, E::ValueOutOfRange},
        {{"Relay on", "300"}, {222, 44}, E::None},
        {{"Beep", "-1"}, {233, 255}, E::None},
        {{"Error msg", "99999999999999"}, {239, 255}, E::None},
        {{"Prompt", "WAIT"}, {232, 'W', 'A', 'I', 'T', 0}, E::None},
        {{"Prompt", "ABCDEFGHIJ"}, {232, 'A', 'B', 'C', 'D', 'E', 'F', 'G'}, E::None},
        {{"Prompt", "ABCDEFG"}, {232, 'A', 'B', 'C', 'D', 'E', 'F', 'G'}, E::None},
        {{"Prompt", ""}, {232, 0}, E::None},
        {{"Txcom1", "Label4"}, {237, 84}, E::None},
        {{"Txcom2", "2"}, {238, 2}, E::None},
        {{"Txcom2", "Page9"}, {238, 0}, E::Register1Name},
        {{"If", "MOTION"}, {241, 0}, E::StatusNotFound},
        {{"If not", "Motion"}, {242, 107}, E::None},
        {{"Gosub", "User2"}, {243, 2}, E::None},
        {{"Gosub", "Nobody"}, {243, 255}, E::FunctionNotFound},
        {{"Goto", ""}, {244, 255}, E::FunctionNotFound},
        {{"Goto", "Tare"}, {244, 129}, E::None},
    };
    for (const auto& c : cases) {
        auto f = c.fields;
        f.resize(4);
        SCOPED_TRACE(std::string(f[0]) + " " + std::string(f[1]) + " " + std::string(f[2]));
        Bytes slot(kFunctionSlotSize, 0xEE);
        std::size_t position = 0;
        EXPECT_EQ(EncodeLine(slot, position, f[0], f[1], f[2], f[3]), c.error);
        EXPECT_EQ(position, c.bytes.size());
        slot.resize(position);
        EXPECT_EQ(slot, c.bytes);
    }
}

TEST(EncodeLine, LastByteOfTheSlotOnlyTakesAnEnd)
{
    struct Case {
        std::string_view instruction, operand1, operand2;
        std::size_t room;
        CompileError error;
        std::size_t written;
    };
    using E = CompileError;
    const Case cases[] = {
        {"End", "", "", 1, E::None, 1},
        {"Nop", "", "", 1, E::FunctionFull, 0},
        {"Nop", "", "", 2, E::None, 1},
        {"Bogus", "", "", 1, E::InstructionNotFound, 1},  // written as End
        {"Add", "", "", 4, E::Register1Name, 2},          // stops before the last byte
        {"Add", "Gross", "Tare", 4, E::FunctionFull, 0},  // its bad operand 3 writes 0
        {"Set", "Memory2", "255", 3, E::None, 3},         // ends on the last byte with 255
        {"Set", "Memory2", "-1", 3, E::None, 3},
        {"Set", "Memory2", "44", 3, E::FunctionFull, 0},
        {"Beep", "255", "", 2, E::None, 2},
        {"Prompt", "ABCDEF\xff", "", 8, E::None, 8},
        {"Prompt", "ABCDEFGHI", "", 8, E::FunctionFull, 0},
        {"Prompt", "ABCDEFGHI", "", 9, E::None, 8},
        {"Prompt", "AB", "", 5, E::None, 4},
        {"Prompt", "AB", "", 4, E::FunctionFull, 0},  // its 0 byte would be overwritten by End
        {"End", "", "", 0, E::FunctionFull, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.instruction) + " " + std::string(c.operand2) + " room " +
                     std::to_string(c.room));
        Bytes slot(kFunctionSlotSize, 0xEE);
        std::size_t position = kFunctionSlotSize - c.room;
        EXPECT_EQ(EncodeLine(slot, position, c.instruction, c.operand1, c.operand2, ""), c.error);
        EXPECT_EQ(position, kFunctionSlotSize - c.room + c.written);
        EXPECT_EQ(std::count(slot.begin(), slot.end(), 0xEE),
                  static_cast<long>(kFunctionSlotSize - c.written));
        if (c.written == c.room && c.room > 0) {
            EXPECT_EQ(slot.back(), 255);
        }
    }
}

TEST(DecodeInstruction, ByteCode)
{
    struct Case {
        Bytes code;
        std::vector<std::string> texts;  // instruction and operands
        std::size_t consumed;
        bool ok;
    };
    const Case cases[] = {
        {{213, 64}, {"ERROR"}, 1, false},
        {{0}, {"ERROR"}, 1, false},
        {{200, 99, 64, 65}, {"Add", "ERROR"}, 2, false},
        {{200, 1, 64, 65}, {"Add", "Memory1", "Gross", "Tare"}, 4, true},
        {{208, 66, 0}, {"Compare", "Net", "ERROR"}, 3, false},
        {{209, 2, 44}, {"Set", "Memory2", "44"}, 3, true},
        {{212, 66, 7}, {"Dp adjust", "ERROR", ""}, 3, false},
        {{212, 66, 6}, {"Dp adjust", "Net", "6"}, 3, true},
        {{210, 21}, {"Flag on", "ERROR"}, 2, false},
        {{221, 16}, {"Set pt off", "16"}, 2, true},
        {{224, 6}, {"Timer on", "ERROR"}, 2, false},
        {{222, 255}, {"Relay on", "255"}, 2, true},
        {{232, 'A', 'B', 0, 255}, {"Prompt", "AB"}, 4, true},
        {{232, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, {"Prompt", "ABCDEFG"}, 8, true},
        {{232, 0}, {"Prompt", ""}, 2, true},
        {{237, 84}, {"Txcom1", "Label84"}, 2, true},
        {{238, 1}, {"Txcom2", "Page1"}, 2, true},
        {{241, 0}, {"If", "ERROR"}, 2, false},
        {{242, 115}, {"If not", "Overload"}, 2, true},
        {{243, 255}, {"Gosub", "ERROR"}, 2, false},
        {{244, 15}, {"Goto", "User15"}, 2, true},
        {{228, 1}, {"Write id"}, 1, false},
        {{255, 255}, {"End"}, 1, true},
        // The code ends inside the instruction: nothing is read beyond it.
        {{200}, {"Add", "ERROR"}, 1, false},
        {{209, 2}, {"Set", "Memory2", "ERROR"}, 2, false},
        {{232, 'A'}, {"Prompt", "A"}, 2, true},
        {{}, {"ERROR"}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts[0] + " " + std::to_string(c.code.size()));
        auto texts = c.texts;
        texts.resize(4);
        ListingLine out{"x", "x", "x", "x", "x"};
        std::size_t position = 0;
        EXPECT_EQ(DecodeInstruction(c.code, position, out), c.ok);
        EXPECT_EQ(position, c.consumed);
        EXPECT_EQ(out, (ListingLine{texts[0], texts[1], texts[2], texts[3], ""}));
    }
}

TEST(ListingLine, SplitAndJoin)
{
    EXPECT_EQ(splitListingLine("\t\t\t\t"), ListingLine{});
    EXPECT_EQ(splitListingLine("Add\tA\tB\tC\tsum\twith\ttabs"),
              (ListingLine{"Add", "A", "B", "C", "sum\twith\ttabs"}));
    EXPECT_EQ(splitListingLine("Add\tA\tB\tC"), std::nullopt);
    EXPECT_EQ(splitListingLine(""), std::nullopt);
    EXPECT_EQ(joinListingLine({"If", "Motion", "", "", "c"}), "If\tMotion\t\t\tc");
}

const std::vector<std::string> kWorkedExample = {
    line("Add", "Memory1", "Gross", "Tare", "sum"), line("If", "Motion"), line("Prompt", "WAIT"),
    line("End if"), line("Set", "Memory2", "300"), line("Gosub", "User2"), line("End"),
};

TEST(CompileListing, WorkedExample)
{
    quelvar::Setup setup = freshSetup();
    auto result = CompileListing(setup, 1, kWorkedExample, true);
    EXPECT_TRUE(result.success);
    EXPECT_FALSE(result.reported());
    EXPECT_EQ(result.byteCount, 18);
    EXPECT_EQ(compileSuccessText(result.byteCount), "Compile successful.  Byte count = 18");
    const Bytes expected = {200, 1,  64, 65, 241, 107, 232, 87, 65, 73,
                            84,  0,  240, 209, 2,  44,  243, 2,  255};
    EXPECT_EQ(Bytes(setup.image.begin() + 591, setup.image.begin() + 610), expected);
    EXPECT_EQ(setup.image[610], 255);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&setup.lineComments[960])), "sum");

    auto rows = rebuildListing(setup, 1);
    ASSERT_EQ(rows.size(), 7u + (64 - 19));
    EXPECT_EQ(rows[0], "Add\tMemory1\tGross\tTare\tsum");
    EXPECT_EQ(rows[2], "Prompt\tWAIT\t\t\t");
    EXPECT_EQ(rows[4], "Set\tMemory2\t44\t\t");
    EXPECT_EQ(rows[5], "Gosub\tUser2\t\t\t");
    for (std::size_t i = 6; i < rows.size(); ++i) EXPECT_EQ(rows[i], "End\t\t\t\t") << i;
}

TEST(CompileListing, WrongRegisterStopsWithItsError)
{
    quelvar::Setup setup = freshSetup();
    auto lines = kWorkedExample;
    lines[0] = line("Add", "Memory1", "Gros", "Tare");
    auto result = CompileListing(setup, 1, lines, true);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.failingLine, 0);
    EXPECT_EQ(result.error, CompileError::Register2Name);
    EXPECT_EQ(result.message(), "Error: Register 2 name");
    EXPECT_EQ(compileErrorFocus(result.error), ErrorFocus::Operand2);
    EXPECT_EQ(slotBytes(setup, 1, 4), (Bytes{200, 1, 0, 255}));
}

TEST(CompileListing, Results)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        bool stop;
        bool success;
        int failingLine;
        CompileError error;
        int byteCount;
    };
    using E = CompileError;
    const std::string bad = line("Add", "Nope");
    const std::string add = line("Add", "Gross", "Net", "Tare");
    std::vector<std::string> full(15, add);  // 60 bytes
    auto fits = full;
    fits.insert(fits.end(), {line("Set", "Net", "1"), line("End"), bad});
    auto overflows = full;
    overflows.insert(overflows.end(), {add, line("End")});
    const Case cases[] = {
        {"one End", {line("End")}, true, true, -1, E::None, 0},
        {"empty line", {"\t\t\t\t"}, true, false, 0, E::InstructionNotFound, 0},
        {"missing tab", {line("Nop"), "Nop\t\t\t"}, true, false, 1, E::MissingTab, 1},
        {"missing tab without stop", {bad, "Nop"}, false, false, 1, E::MissingTab, 2},
        {"stop at first", {line("Nop"), bad, line("Nop")}, true, false, 1, E::Register1Name, 1},
        {"earlier error is silent", {bad, line("Nop")}, false, false, -1, E::None, 3},
        {"error on last line", {line("Nop"), bad}, false, false, 1, E::Register1Name, 3},
        {"End is not counted", {line("Nop"), line("End"), line("End")}, true, true, -1, E::None, 1},
        {"count after End", {line("End"), line("Nop"), line("End")}, true, true, -1, E::None, 2},
        {"slot full ends silently", fits, true, true, -1, E::None, 63},
        {"does not fit", overflows, true, false, 15, E::FunctionFull, 60},
        {"does not fit without stop", overflows, false, false, 15, E::FunctionFull, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        quelvar::Setup setup = freshSetup();
        auto result = CompileListing(setup, 3, c.lines, c.stop);
        EXPECT_EQ(result.success, c.success);
        EXPECT_EQ(result.failingLine, c.failingLine);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.byteCount, c.byteCount);
        EXPECT_EQ(result.reported(), c.failingLine >= 0);
    }
}

TEST(CompileListing, EmptyListingLeavesAnEmptyFunction)
{
    quelvar::Setup setup = freshSetup();
    setup.image[kFunctionCodeOffset + 64] = 204;
    auto result = CompileListing(setup, 1, {}, true);
    EXPECT_FALSE(result.success);
    EXPECT_TRUE(result.listingEmpty);
    EXPECT_EQ(result.message(), "Error: Listbox empty");
    EXPECT_EQ(setup.image[kFunctionCodeOffset + 64], 255);
}

TEST(CompileListing, StoppingLeavesLaterBytesAndComments)
{
    quelvar::Setup setup = freshSetup();
    auto slot = functionSlot(setup.image, 2);
    std::fill(slot.begin(), slot.end(), std::uint8_t{254});
    std::vector<std::string> lines = {line("Nop", "", "", "", "a"), line("Inc", "x", "", "", "b"),
                                      line("Nop", "", "", "", "c")};
    CompileListing(setup, 2, lines, true);
    EXPECT_EQ(slotBytes(setup, 2, 4), (Bytes{254, 204, 0, 254}));
    EXPECT_EQ(lineComment(setup, 2, 1), "b");
    EXPECT_EQ(lineComment(setup, 2, 2), "");
}

TEST(CompileListing, CommentsAreCutToTheirEntry)
{
    quelvar::Setup setup = freshSetup();
    const std::string comment34 = "0123456789012345678901234567890123";
    std::vector<std::string> lines(35, line("Nop", "", "", "", comment34));
    lines[1] = line("End", "", "", "", std::string(130, 'x'));
    lines[2] = line("Nop", "", "", "", "with\ttab");
    CompileListing(setup, 14, lines, true);
    EXPECT_EQ(lineComment(setup, 14, 0), "01234567890123456789012345678");
    EXPECT_EQ(lineComment(setup, 14, 1), std::string(29, 'x'));
    EXPECT_EQ(lineComment(setup, 14, 2), "with\ttab");
    EXPECT_EQ(lineComment(setup, 14, 31).size(), 29u);
    EXPECT_EQ(lineComment(setup, 15, 0), "");  // lines 32 on have no comment entry
    EXPECT_EQ(lineComment(setup, 14, 32), "");
}

TEST(CompileListing, LongLinesAreCutTo127Characters)
{
    quelvar::Setup setup = freshSetup();
    // The instruction fills the whole line, so its fourth TAB falls beyond the cut.
    std::vector<std::string> lines = {std::string(124, 'N') + "\t\t\t\t"};
    auto result = CompileListing(setup, 1, lines, true);
    EXPECT_EQ(result.error, CompileError::MissingTab);
    lines = {std::string(123, 'N') + "\t\t\t\tcomment"};
    result = CompileListing(setup, 1, lines, true);
    EXPECT_EQ(result.error, CompileError::InstructionNotFound);
}

TEST(CompileListing, InvalidFunctionNumberWritesNothing)
{
    for (int n : {-1, 16, 1000}) {
        quelvar::Setup setup = freshSetup();
        const quelvar::Setup before = setup;
        auto result = CompileListing(setup, n, kWorkedExample, false);
        EXPECT_FALSE(result.success);
        EXPECT_EQ(setup, before);
        EXPECT_TRUE(rebuildListing(setup, n).empty());
    }
}

TEST(RebuildListing, FreshSlotAndGuardByte)
{
    quelvar::Setup setup = freshSetup();
    auto rows = rebuildListing(setup, 3);
    EXPECT_EQ(rows, std::vector<std::string>(64, "End\t\t\t\t"));

    // A Prompt in the last bytes reads on into the next slot; the guard byte
    // replaces whatever the slot's last byte held.
    auto slot = functionSlot(setup.image, 3);
    std::copy_n(Bytes{232, 'A', 'B'}.begin(), 3, slot.end() - 3);
    auto next = functionSlot(setup.image, 4);
    std::copy_n(Bytes{'C', 'D', 0}.begin(), 3, next.begin());
    rows = rebuildListing(setup, 3);
    ASSERT_EQ(rows.size(), 62u);
    EXPECT_EQ(rows.back(), "Prompt\tA\xff" "CD\t\t\t");
}

// Opening a function and compiling it again never moves code: not when its last
// instruction ends on the guard byte, nor when a Prompt holds a byte that would
// split the listing line (shown, and compiled back, as a blank).
TEST(RoundTrip, DecompileThenCompileKeepsTheCodeInPlace)
{
    const auto afterNops = [](std::size_t count, Bytes tail) {
        Bytes code(count, 254);
        code.insert(code.end(), tail.begin(), tail.end());
        return code;
    };
    const struct {
        Bytes code, compiled;  // compiled: the slot's first bytes after the round trip
    } cases[] = {
        {afterNops(61, {209, 2, 255}), {}},  // Set Memory2 255 ends on the guard byte
        {afterNops(56, {232, 'A', 'B', 'C', 'D', 'E', 'F', 255}), {}},
        {{232, 'W', 'A', '\t', 'T', 0, 233, 7}, {232, 'W', 'A', ' ', 'T', 0, 233, 7}},
        {{232, '\r', 'A', 0, 233, 7}, {232, ' ', 'A', 0, 233, 7}},
        {{232, 'A', 'B', 'C', 'D', 'E', 'F', '\n', 233, 7},
         {232, 'A', 'B', 'C', 'D', 'E', 'F', ' ', 233, 7}},
    };
    for (const auto& c : cases) {
        quelvar::Setup setup = freshSetup();
        auto slot = functionSlot(setup.image, 5);
        std::ranges::copy(c.code, slot.begin());
        Bytes expected(slot.begin(), slot.end());
        std::ranges::copy(c.compiled, expected.begin());

        auto result = CompileListing(setup, 5, rebuildListing(setup, 5), true);
        EXPECT_TRUE(result.success) << result.failingLine;
        EXPECT_EQ(Bytes(slot.begin(), slot.end()), expected);
    }
}

// Operand texts a valid line of each kind may hold.
class ListingGenerator {
public:
    explicit ListingGenerator(unsigned seed) : m_random(seed) {}

    std::string line()
    {
        const auto& instructions = instructionTable();
        auto index = pick(1, instructions.size() - 1);
        std::string name(instructions.name(index));
        auto code = instructions.code(index);
        std::string op[3];
        switch (code) {
        case 200: case 201: case 202: case 203: op[2] = nameFrom(registerTable()); [[fallthrough]];
        case 206: case 208: op[1] = nameFrom(registerTable()); [[fallthrough]];
        case 204: case 205: case 207: case 217: case 218: case 231: case 234: case 235: case 236:
            op[0] = nameFrom(registerTable());
            break;
        case 209: op[0] = nameFrom(registerTable()); op[1] = std::to_string(pick(-300, 600)); break;
        case 212: op[0] = nameFrom(registerTable()); op[1] = std::to_string(pick(0, 6)); break;
        case 210: case 211: op[0] = std::to_string(pick(0, 20)); break;
        case 220: case 221: op[0] = std::to_string(pick(0, 16)); break;
        case 224: case 225: op[0] = std::to_string(pick(0, 5)); break;
        case 222: case 223: case 233: case 239: op[0] = std::to_string(pick(-1000, 1000)); break;
        case 232: op[0] = text(pick(0, 9)); break;
        case 237: case 238: op[0] = nameFrom(transmitTargetTable()); break;
        case 241: case 242: op[0] = nameFrom(statusConditionTable()); break;
        case 243: case 244: op[0] = nameFrom(functionTable()); break;
        default: break;
        }
        return joinListingLine({name, op[0], op[1], op[2], text(pick(0, 35))});
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    std::string nameFrom(const NameTable& table)
    {
        return std::string(table.name(pick(1, table.size() - 1)));
    }
    std::string text(int length)
    {
        std::string s;
        for (int i = 0; i < length; ++i) s += static_cast<char>(pick(32, 126));
        return s;
    }

    std::mt19937 m_random;
};

TEST(RoundTrip, DecompileThenCompileGivesTheSameSlot)
{
    ListingGenerator generate(20261206);
    int compiled = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::vector<std::string> lines(static_cast<std::size_t>(generate.pick(1, 24)));
        for (auto& l : lines) l = generate.line();
        int n = generate.pick(0, 15);
        quelvar::Setup setup = freshSetup();
        if (!CompileListing(setup, n, lines, true).success) continue;
        ++compiled;
        const quelvar::Setup compiledSetup = setup;
        auto rebuilt = rebuildListing(setup, n);
        ASSERT_EQ(setup, compiledSetup) << "the guard byte changed a compiled function";

        quelvar::Setup again = freshSetup();
        auto result = CompileListing(again, n, rebuilt, true);
        ASSERT_TRUE(result.success)
            << result.failingLine << ": " << rebuilt[std::max(0, result.failingLine)];
        ASSERT_TRUE(std::ranges::equal(functionSlot(again.image, n), functionSlot(setup.image, n)))
            << "iteration " << iteration;
        for (int i = 0; i < 32; ++i) ASSERT_EQ(lineComment(again, n, i), lineComment(setup, n, i));
    }
    EXPECT_GT(compiled, 1000);
}

TEST(Robustness, RandomBytesDecodeInsideTheBuffer)
{
    std::mt19937 random(7);
    for (int iteration = 0; iteration < 20000; ++iteration) {
        Bytes code(random() % 80);
        for (auto& b : code) b = static_cast<std::uint8_t>(random());
        std::size_t position = 0;
        while (position < code.size()) {
            std::size_t before = position;
            ListingLine out;
            DecodeInstruction(code, position, out);
            ASSERT_GT(position, before);
            ASSERT_LE(position, code.size());
            ASSERT_LE(out.operand1.size(), 11u);
        }
    }
}

TEST(Robustness, RandomImagesRebuildAndRandomTextCompilesInsideTheSlot)
{
    std::mt19937 random(11);
    auto randomText = [&](std::size_t length) {
        static const char alphabet[] = "\t\t\t\t\0 -+0123456789AaddEnSetMemory1Gross\xff\x80";
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s += alphabet[random() % (sizeof alphabet - 1)];
        return s;
    };
    for (int iteration = 0; iteration < 2000; ++iteration) {
        quelvar::Setup setup;
        for (auto& b : setup.image) b = static_cast<std::uint8_t>(random());
        for (auto& b : setup.lineComments) b = static_cast<std::uint8_t>(random());
        int n = static_cast<int>(random() % 18) - 1;
        auto rows = rebuildListing(setup, n);
        ASSERT_LE(rows.size(), kFunctionSlotSize);

        std::vector<std::string> lines(random() % 40);
        for (auto& l : lines) l = randomText(random() % 200);
        const quelvar::Setup before = setup;
        auto result = CompileListing(setup, n, lines, random() % 2);
        ASSERT_FALSE(result.success && result.reported());
        for (std::size_t i = 0; i < kSetupImageSize; ++i) {
            bool inSlot = isFunctionNumber(n) && i >= functionSlotOffset(n) &&
                          i < functionSlotOffset(n) + kFunctionSlotSize;
            if (!inSlot) {
                ASSERT_EQ(setup.image[i], before.image[i]) << i;
            }
        }
        for (std::size_t i = 0; i < kLineCommentsSize; ++i) {
            bool ownComment = isFunctionNumber(n) && i / (kLinesPerFunction * kLineCommentSize) ==
                                                         static_cast<std::size_t>(n);
            if (!ownComment) {
                ASSERT_EQ(setup.lineComments[i], before.lineComments[i]) << i;
            }
        }
    }
}

}  // namespace
