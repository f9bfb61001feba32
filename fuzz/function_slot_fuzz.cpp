// One function slot of any bytes: the editor rebuilds its listing when it opens the
// function, and compiling that listing back must give the same code (a control byte
// in a Prompt's text comes back as a blank). Nothing outside
// the slot and its comments may change.

#include "model/param_items.h"
#include "script/tally_script.h"
#include "slot_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace quelvar;

namespace {

// The bytes of the instructions the rebuilt listing shows. `compilable` when every
// one decodes and the guard byte is an End of its own: old code after an End can
// leave an instruction that runs into the guard byte, which the editor shows but
// cannot compile back.
std::size_t decodableLength(std::span<const std::uint8_t> slot, bool& compilable)
{
    std::size_t position = 0;
    std::size_t lastStart = 0;
    compilable = true;
    while (position < slot.size()) {
        ListingLine line;
        lastStart = position;
        if (!DecodeInstruction(slot, position, line)) {
            compilable = false;
            break;
        }
    }
    compilable = compilable && lastStart == slot.size() - 1;
    return std::min(position, slot.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const int n = data[0] % kFunctionCount;
    Setup setup;
    ResetSetupToDefaults(setup.image);
    auto slot = functionSlot(setup.image, n);
    std::copy_n(data + 1, std::min(size - 1, slot.size()), slot.begin());

    const std::vector<std::string> listing = rebuildListing(setup, n);
    const Setup opened = setup;  // as the editor holds it once the function is open
    bool compilable = false;
    const std::size_t length = decodableLength(functionSlot(opened.image, n), compilable);

    Setup compiled = opened;
    const CompileResult result = CompileListing(compiled, n, listing, true);

    checkOnlySlotAndCommentsChanged(opened, compiled, n);

    if (!compilable || listing.empty()) return 0;
    FUZZ_CHECK(result.success);
    checkSameCode(functionSlot(opened.image, n).first(length),
                  functionSlot(compiled.image, n).first(length));
    return 0;
}
