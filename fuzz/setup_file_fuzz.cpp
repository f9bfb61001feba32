// Setup file bytes from anywhere: read them as the editor does, build every text
// view of them, save, and read the saved file back: saving what was read and
// reading it again must give the same file.

#include "fuzz_check.h"
#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_file.h"
#include "script/function_listing.h"

#include <cstdint>
#include <span>
#include <string>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Setup setup;
    decodeSetupFile(std::span(data, size), setup);

    std::string line;
    for (int i = 0; i <= kParamItemCount; ++i)
        ParamListLine(line, setup.image, i);
    EaromDumpLines(setup.image);
    tallyScriptListText(setup);  // also sets each listed slot's guard byte

    sealSetup(setup);
    const SetupFileBytes saved = encodeSetupFile(setup);
    Setup reread;
    FUZZ_CHECK(decodeSetupFile(saved, reread) == kSetupBlockCount);
    sealSetup(reread);
    FUZZ_CHECK(encodeSetupFile(reread) == saved);
    FUZZ_CHECK(reread.image == setup.image);
    return 0;
}
