// [[function]]: the function selection dialog's description and the function
// editor's listing of each function; [description]: the application description.
#include "model/setup_file.h"
#include "script/listing_edit.h"
#include "script/name_tables.h"
#include "script/tally_script.h"
#include "text/text_fields.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <span>

namespace quelvar::text {

namespace {

constexpr std::size_t kGuardAt = kFunctionSlotSize - 1;  // the slot's last byte
constexpr std::string_view kEndLine = "End\t\t\t\t";
// A listing line that stands for bytes of the slot, "hex 00 F0".
constexpr std::string_view kBytesLine = "hex ";
constexpr std::size_t kMaxInstructionLength = 8;  // a Prompt of seven characters

std::string functionName(int n)
{
    return n == 0 ? std::string("function 0") : std::string(userFunctionName(n));
}

std::string path(int n, const char* key)
{
    return "function." + std::to_string(n) + "." + key;
}

// A description longer than its block holds is refused, never cut.
std::optional<Refusal> tooLong(const std::string& stored, std::size_t most)
{
    if (stored.size() <= most) return std::nullopt;
    return Refusal("the description is " + std::to_string(stored.size()) +
                   " bytes long (a line break takes 2); at most " + std::to_string(most) + " fit");
}

Field descriptionField(int n)
{
    const auto at =
        kFunctionDescriptionsAt + static_cast<std::size_t>(n) * kFunctionDescriptionSize;
    Field f{path(n, "description"),
            functionName(n) + ", description of at most " +
                std::to_string(kFunctionDescriptionSize - 1) + " bytes",
            {{at, kFunctionDescriptionSize}}};
    f.show = [n](const Setup& s) -> std::optional<Value> {
        return descriptionToMemoText(functionDescription(s.functionDescriptions, n));
    };
    f.store = [n](Setup& s, const Value& v) -> Refusal {
        const std::string current = functionDescription(s.functionDescriptions, n);
        const std::string text = memoTextToDescription(textOf(v), current);
        if (auto refusal = tooLong(text, kFunctionDescriptionSize - 1)) return *refusal;
        storeFunctionDescription(s.functionDescriptions, n, text);
        return {};
    };
    f.optional = true;
    return f;
}

// The bytes of a line's comment up to the last that is not 0: a comment stored
// over a longer one keeps that one's tail after its terminator, and compiling the
// comment with its tail puts back both.
std::string storedComment(const Setup& setup, int n, std::size_t line)
{
    const auto row =
        std::span(setup.lineComments)
            .subspan((static_cast<std::size_t>(n) * kLinesPerFunction + line) * kLineCommentSize,
                     kLineCommentSize);
    const auto last = std::find_if(row.rbegin(), row.rend(), [](auto b) { return b != 0; });
    return std::string(row.begin(), last.base());
}

using Slot = std::array<std::uint8_t, kFunctionSlotSize>;

// The slot as the editor decodes it, its last byte set to End.
Slot guardedSlot(const Setup& setup, int n)
{
    SetupImage image = setup.image;
    setSlotGuard(image, n);
    Slot slot;
    std::ranges::copy(functionSlot(image, n), slot.begin());
    return slot;
}

// "hex 00 F0" as typed, in any case and with blanks around: the bytes after "hex ".
std::optional<std::string> typedBytes(std::string_view instruction)
{
    const std::string text = trimBlanks(instruction);
    if (text.size() <= kBytesLine.size()) return std::nullopt;
    for (std::size_t i = 0; i < kBytesLine.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != kBytesLine[i]) return std::nullopt;
    return trimBlanks(std::string_view(text).substr(kBytesLine.size()));
}

// A listing line as the function editor stores its boxes: fields missing at the end
// are empty, the instruction and operands are trimmed and their first letters raised,
// the comment is trimmed of blanks. A "hex" line keeps its bytes as they are typed.
std::string tidyLine(const std::string& text)
{
    std::string padded = text;
    const auto tabs = std::ranges::count(text, '\t');
    if (tabs < 4) padded.append(static_cast<std::size_t>(4 - tabs), '\t');
    ListingLine line = *splitListingLine(padded);
    const auto bytes = typedBytes(line.instruction);
    line.instruction = bytes ? std::string(kBytesLine) + *bytes : typedName(line.instruction);
    for (std::string* operand : {&line.operand1, &line.operand2, &line.operand3})
        *operand = typedName(*operand);
    const auto first = line.comment.find_first_not_of(' ');
    line.comment = first == std::string::npos
                       ? std::string()
                       : line.comment.substr(first, line.comment.find_last_not_of(' ') + 1 - first);
    return joinListingLine(line);
}

// True when importing `line` gives back the bytes from `start` to `end` it was decoded from.
bool compilesBack(const Slot& slot, std::size_t start, std::size_t end, const ListingLine& line)
{
    Slot trial = slot;
    std::size_t at = start;
    const std::string joined = joinListingLine(line);
    return tidyLine(joined) == joined &&
           EncodeLine(trial, at, line.instruction, line.operand1, line.operand2, line.operand3) ==
               CompileError::None &&
           at == end && trial == slot;
}

// The slot's instructions in order, each as its line, or as its bytes, "hex 00 F0",
// when it does not compile back to them (old code after an End, a byte no
// instruction has). With `merge`, a "hex" line also takes, up to 8 bytes, the
// instructions after it that do not compile back and the one-byte ones but End (as
// "hex 00 F0" holds the End if that F0 is): after a byte no instruction has, where
// the next instruction starts is a guess.
std::vector<ListingLine> slotLines(const Slot& slot, bool merge)
{
    std::vector<ListingLine> lines;
    std::size_t hexBytes = 0;  // of the last line, when it is a "hex" line
    for (std::size_t at = 0; at < slot.size();) {
        const std::size_t start = at;
        ListingLine line;
        DecodeInstruction(slot, at, line);
        const auto bytes = std::span(slot).subspan(start, at - start);
        const bool back = compilesBack(slot, start, at, line);
        const bool joins = !back || (bytes.size() == 1 && line.instruction != "End");
        if (merge && hexBytes > 0 && joins && hexBytes + bytes.size() <= kMaxInstructionLength) {
            lines.back().instruction += " " + hexText(bytes);
            hexBytes += bytes.size();
        } else if (back) {
            lines.push_back(line);
            hexBytes = 0;
        } else {
            lines.push_back({std::string(kBytesLine) + hexText(bytes), "", "", "", ""});
            hexBytes = bytes.size();
        }
    }
    return lines;
}

// How many of the function's lines hold a comment, up to the last that does.
std::size_t commentedLines(const Setup& setup, int n)
{
    std::size_t count = 0;
    for (std::size_t line = 0; line < kLinesPerFunction; ++line)
        if (!storedComment(setup, n, line).empty()) count = line + 1;
    return count;
}

// A line for each instruction of the slot (see slotLines) with the comment of its
// line (see storedComment); the "hex" lines are merged unless that would leave a
// comment without a line. The End lines at the end that carry no comment are left out
// but the first: the slot holds End wherever nothing was compiled, so the shorter
// listing compiles to the same bytes.
Lines shownListing(const Setup& setup, int n)
{
    const Slot slot = guardedSlot(setup, n);
    std::vector<ListingLine> lines = slotLines(slot, true);
    if (lines.size() < commentedLines(setup, n)) lines = slotLines(slot, false);
    Lines rows;
    for (ListingLine& line : lines) {
        if (rows.size() < kLinesPerFunction) line.comment = storedComment(setup, n, rows.size());
        rows.push_back(joinListingLine(line));
    }
    const auto plainEnd = [&rows](std::size_t back) {
        return rows[rows.size() - back] == kEndLine;
    };
    while (rows.size() > 1 && plainEnd(1) && plainEnd(2))
        rows.pop_back();
    return rows;
}

// The bytes a "hex" line stands for, none when they are not 1 to 8 bytes in
// hexadecimal; nothing for a line of the editor's own.
std::optional<std::vector<std::uint8_t>> bytesOfLine(const std::string& text)
{
    auto line = splitListingLine(text);
    if (!line || !line->instruction.starts_with(kBytesLine)) return std::nullopt;
    auto bytes = parseHex(std::string_view(line->instruction).substr(kBytesLine.size()));
    if (!bytes || bytes->empty() || bytes->size() > kMaxInstructionLength)
        return std::vector<std::uint8_t>{};
    return bytes;
}

// A line that compiles to as many bytes as `bytes` holds (1 to 8), keeping the comment.
std::string standIn(const std::string& text, std::size_t bytes)
{
    ListingLine line = *splitListingLine(text);
    line.instruction = bytes == 1 ? "End" : "Prompt";
    line.operand1 = std::string(bytes < 2 ? 0 : bytes - 2, 'x');
    return joinListingLine(line);
}

// What the slot and the comment store cannot hold, refused rather than cut: a line
// longer than the editor reads, a comment longer than its 29 bytes, a comment on a
// line past the 32 that have one.
Refusal checkLines(const Lines& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int at = static_cast<int>(i);
        if (lines[i].size() > kMaxListingLineLength)
            return {"a listing line holds at most " + std::to_string(kMaxListingLineLength) +
                        " characters",
                    at};
        const auto line = splitListingLine(lines[i]);
        if (!line) continue;  // the compiler says what is wrong
        if (line->comment.size() >= kLineCommentSize)
            return {"a comment holds at most " + std::to_string(kLineCommentSize - 1) +
                        " characters",
                    at};
        if (i >= kLinesPerFunction && !line->comment.empty())
            return {"only the first " + std::to_string(kLinesPerFunction) +
                        " lines of a function hold a comment",
                    at};
    }
    return {};
}

// Lines after a full slot are left out by the compiler: only End lines may be.
Refusal checkLeftOver(const Lines& lines, const CompileResult& r)
{
    for (auto i = static_cast<std::size_t>(r.linesCompiled); i < lines.size(); ++i)
        if (lines[i] != kEndLine)
            return {"the function's " + std::to_string(kFunctionSlotSize) +
                        " bytes are full: this line does not fit",
                    static_cast<int>(i)};
    return {};
}

// Compiles the listing as the editor's Compile button does, each "hex" line as a
// stand-in of its length whose bytes are then put in its place.
Refusal storeListing(Setup& setup, int n, const Lines& typed)
{
    Lines lines;
    for (const std::string& line : typed) lines.push_back(tidyLine(line));
    if (auto refusal = checkLines(lines); refusal.refused()) return refusal;
    Lines compiled = lines;
    std::vector<std::vector<std::uint8_t>> bytes(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto raw = bytesOfLine(lines[i]);
        if (!raw) continue;
        if (raw->empty())
            return {"Error: a hex line holds 1 to 8 bytes in hexadecimal", static_cast<int>(i)};
        compiled[i] = standIn(lines[i], raw->size());
        bytes[i] = std::move(*raw);
    }
    const CompileResult r = CompileListing(setup, n, compiled, /*stopAtFirstError=*/true);
    if (!r.success) return {std::string(r.message()), r.failingLine};
    if (auto refusal = checkLeftOver(lines, r); refusal.refused()) return refusal;
    const auto slot = functionSlot(setup.image, n);
    for (std::size_t i = 0, at = 0; i < compiled.size() && at < slot.size(); ++i) {
        const std::size_t start = at;
        ListingLine decoded;
        DecodeInstruction(slot, at, decoded);
        std::ranges::copy(bytes[i], slot.begin() + static_cast<std::ptrdiff_t>(start));
    }
    return {};
}

// The slot but its last byte, and the comments of its 32 lines.
Field listingField(int n)
{
    const auto comments =
        kLineCommentsAt + static_cast<std::size_t>(n) * kLinesPerFunction * kLineCommentSize;
    Field f{path(n, "listing"),
            functionName(n) + ": a line per instruction: instruction, operands 1-3, comment, "
                              "\\t between",
            {imageBytes(functionSlotOffset(n), kGuardAt),
             {comments, kLinesPerFunction * kLineCommentSize}},
            Kind::Lines};
    f.show = [n](const Setup& s) -> std::optional<Value> { return shownListing(s, n); };
    f.store = [n](Setup& s, const Value& v) { return storeListing(s, n, linesOf(v)); };
    f.optional = true;
    return f;
}

// The editor sets the slot's last byte to End whenever it opens the function, so
// that the function ends in its slot; a file may hold anything there until then.
Field guardField(int n)
{
    Field f = numberField(path(n, "last_byte"),
                          functionName(n) + ", the slot's last byte (End, 255, once edited)",
                          functionSlotOffset(n) + kGuardAt, 1);
    f.optional = true;
    return f;
}

Field applicationDescriptionField()
{
    Field f{"description.text",
            "the application description, at most " + std::to_string(kDescriptionMaxLength) +
                " bytes",
            {{kDescriptionAt, kDescriptionBlockSize}}};
    f.show = [](const Setup& s) -> std::optional<Value> {
        // As the file holds it: a longer text read from a block without a zero is cut.
        return descriptionToMemoText(
            std::string_view(s.description).substr(0, kDescriptionMaxLength));
    };
    f.store = [](Setup& s, const Value& v) -> Refusal {
        std::string text = memoTextToDescription(textOf(v), s.description);
        if (auto refusal = tooLong(text, kDescriptionMaxLength)) return *refusal;
        s.description = std::move(text);
        return {};
    };
    return f;
}

}  // namespace

void addFunctionFields(Fields& fields)
{
    for (int n = 0; n < static_cast<int>(kFunctionCount); ++n) {
        fields.push_back(descriptionField(n));
        fields.push_back(listingField(n));
        fields.push_back(guardField(n));
    }
    fields.push_back(applicationDescriptionField());
}

}  // namespace quelvar::text
