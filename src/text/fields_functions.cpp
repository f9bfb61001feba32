// [[function]]: the function selection dialog's description and the function
// editor's listing of each function; [description]: the application description.
#include "model/setup_file.h"
#include "script/listing_edit.h"
#include "script/name_tables.h"
#include "script/tally_script.h"
#include "text/text_fields.h"

#include <algorithm>
#include <span>

namespace quelvar::text {

namespace {

constexpr std::size_t kGuardAt = kFunctionSlotSize - 1;  // the slot's last byte
constexpr std::string_view kEndLine = "End\t\t\t\t";

std::string functionName(int n)
{
    return n == 0 ? std::string("function 0") : std::string(userFunctionName(n));
}

std::string path(int n, const char* key)
{
    return "function." + std::to_string(n) + "." + key;
}

Field descriptionField(int n)
{
    const auto at =
        kFunctionDescriptionsAt + static_cast<std::size_t>(n) * kFunctionDescriptionSize;
    Field f{path(n, "description"),
            functionName(n) + ", description",
            {{at, kFunctionDescriptionSize}}};
    f.show = [n](const Setup& s) -> std::optional<Value> {
        return descriptionToMemoText(functionDescription(s.functionDescriptions, n));
    };
    f.store = [n](Setup& s, const Value& v) {
        const std::string current = functionDescription(s.functionDescriptions, n);
        storeFunctionDescription(s.functionDescriptions, n,
                                 memoTextToDescription(textOf(v), current));
        return Refusal();
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

// The editor's rows up to the first of the End lines at the end that carry no
// comment: the slot holds End wherever nothing was compiled, so compiling the
// shorter listing gives the same bytes. Old code after an End stays, a line each.
Lines shownListing(const Setup& setup, int n)
{
    Setup copy = setup;
    Lines rows = rebuildListing(copy, n);
    for (std::size_t i = 0; i < std::min(rows.size(), kLinesPerFunction); ++i) {
        auto line = splitListingLine(rows[i]);
        line->comment = storedComment(setup, n, i);
        rows[i] = joinListingLine(*line);
    }
    const auto plainEnd = [&rows](std::size_t back) {
        return rows[rows.size() - back] == kEndLine;
    };
    while (rows.size() > 1 && plainEnd(1) && plainEnd(2))
        rows.pop_back();
    return rows;
}

// The slot but its last byte, and the comments of its 32 lines.
Field listingField(int n)
{
    const auto comments =
        kLineCommentsAt + static_cast<std::size_t>(n) * kLinesPerFunction * kLineCommentSize;
    Field f{path(n, "listing"),
            functionName(n) + " listing: instruction, operands 1-3, comment, TAB between",
            {imageBytes(functionSlotOffset(n), kGuardAt),
             {comments, kLinesPerFunction * kLineCommentSize}},
            Kind::Lines};
    f.show = [n](const Setup& s) -> std::optional<Value> { return shownListing(s, n); };
    f.store = [n](Setup& s, const Value& v) -> Refusal {
        const CompileResult r = CompileListing(s, n, linesOf(v), /*stopAtFirstError=*/true);
        if (r.success) return {};
        return {std::string(r.message()), r.failingLine};
    };
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
            "the application description",
            {{kDescriptionAt, kDescriptionBlockSize}}};
    f.show = [](const Setup& s) -> std::optional<Value> {
        // As the file holds it: a longer text read from a block without a zero is cut.
        return descriptionToMemoText(
            std::string_view(s.description).substr(0, kDescriptionMaxLength));
    };
    f.store = [](Setup& s, const Value& v) {
        s.description = memoTextToDescription(textOf(v), s.description);
        return Refusal();
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
