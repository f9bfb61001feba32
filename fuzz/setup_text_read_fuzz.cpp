// The setup text reader alone, on any text: it never crashes, it takes a text or
// refuses it with a message, and a text it takes gives a setup file of four whole
// blocks. Quick enough to explore the reader; setup_text_fuzz also writes each text
// taken back out.

#include "fuzz_check.h"
#include "model/setup_file.h"
#include "text/setup_text.h"

#include <cstdint>
#include <string_view>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const text::ImportResult r =
        text::importSetupText({reinterpret_cast<const char*>(data), size});
    FUZZ_CHECK(r.ok() != !r.error.empty());
    if (!r.ok()) return 0;
    Setup reread;
    FUZZ_CHECK(decodeSetupFile(encodeSetupFile(r.setup), reread) == kSetupBlockCount);
    return 0;
}
