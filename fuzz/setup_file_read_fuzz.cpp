// Setup file bytes from anywhere, read as the editor reads them and written back:
// reading the written file gives the same file, and the parameter list of any image
// is built. setup_file_fuzz also builds the slower views (the full listing).

#include "fuzz_check.h"
#include "model/param_items.h"
#include "model/setup_file.h"

#include <cstdint>
#include <span>
#include <string>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Setup setup;
    const int blocks = decodeSetupFile(std::span(data, size), setup);
    FUZZ_CHECK(blocks == (size >= kSetupFileSize ? kSetupBlockCount : blocks));
    std::string line;
    for (int i = 0; i <= kParamItemCount; ++i)
        ParamListLine(line, setup.image, i);

    const SetupFileBytes written = encodeSetupFile(setup);
    if (blocks == kSetupBlockCount)
        FUZZ_CHECK(std::equal(written.begin(), written.end(), data));  // byte for byte
    Setup reread;
    FUZZ_CHECK(decodeSetupFile(written, reread) == kSetupBlockCount);
    FUZZ_CHECK(encodeSetupFile(reread) == written);
    return 0;
}
