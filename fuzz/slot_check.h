#pragma once
// The invariant of every compile: only the function's own slot and comments change.

#include "fuzz_check.h"
#include "model/setup.h"
#include "script/tally_script.h"

#include <algorithm>

namespace quelvar {

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
