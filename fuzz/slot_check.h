#pragma once
// The invariant of every compile: only the function's own slot and comments change.

#include "fuzz_check.h"
#include "model/setup.h"
#include "script/tally_script.h"

#include <algorithm>
#include <span>

namespace quelvar {

// A TAB, CR or LF inside a Prompt's text is shown as a blank, so that the listing
// keeps its fields; compiled back it is a blank, and no code moves.
inline bool shownAsBlank(std::uint8_t before, std::uint8_t after)
{
    return (before == '\t' || before == '\r' || before == '\n') && after == ' ';
}

// The code of a function as compiled the first and the second time agrees.
inline void checkSameCode(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after)
{
    for (std::size_t i = 0; i < before.size(); ++i)
        FUZZ_CHECK(before[i] == after[i] || shownAsBlank(before[i], after[i]));
}

// Setup `after` with function n's slot and comments put back as in `before`: what
// compiling function n may change. The slot's last byte is always End.
inline void checkOnlySlotAndCommentsChanged(const Setup& before, const Setup& after, int n)
{
    Setup outside = after;
    std::ranges::copy(functionSlot(before.image, n), functionSlot(outside.image, n).begin());
    const std::size_t comments = kLinesPerFunction * kLineCommentSize;
    std::copy_n(before.lineComments.begin() + n * comments, comments,
                outside.lineComments.begin() + n * comments);
    FUZZ_CHECK(outside.image == before.image);
    FUZZ_CHECK(outside.lineComments == before.lineComments);
    FUZZ_CHECK(outside.description == before.description);
    FUZZ_CHECK(outside.functionDescriptions == before.functionDescriptions);
    FUZZ_CHECK(functionSlot(after.image, n).back() == 0xFF);
}

}  // namespace quelvar
