// Listing lines of any text into the compiler, as typed into the function editor:
// nothing outside the slot and its comments changes, the slot always ends in End,
// and what was compiled, opened again, compiles to the same code.

#include "model/param_items.h"
#include "script/tally_script.h"
#include "slot_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace quelvar;

namespace {

std::vector<std::string> splitLines(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size && lines.size() <= 40; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const int n = data[0] % kFunctionCount;
    const bool stopAtFirstError = data[1] & 1;
    Setup setup;
    ResetSetupToDefaults(setup.image);
    setSlotGuard(setup.image, n);
    const Setup before = setup;
    const CompileResult result =
        CompileListing(setup, n, splitLines(data + 2, size - 2), stopAtFirstError);
    checkOnlySlotAndCommentsChanged(before, setup, n);
    if (!result.success) return 0;

    const Setup compiled = setup;
    const std::vector<std::string> listing = rebuildListing(setup, n);
    Setup again = setup;
    FUZZ_CHECK(CompileListing(again, n, listing, true).success);
    const auto code = static_cast<std::size_t>(result.byteCount);
    checkSameCode(functionSlot(compiled.image, n).first(code),
                  functionSlot(again.image, n).first(code));
    return 0;
}
