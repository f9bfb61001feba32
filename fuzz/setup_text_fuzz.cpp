// The setup text both ways: a text the reader takes is written back by export in a
// form that reads back to the same setup. Inputs that start with a 0 byte are read as
// a setup file instead, whose text must give back its bytes, check bytes included.
// (setup_text_read_fuzz runs the reader alone, many times faster.)

#include "fuzz_check.h"
#include "model/setup_file.h"
#include "text/setup_text.h"

#include <cstdint>
#include <string_view>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0 && data[0] == 0) {
        Setup setup;
        decodeSetupFile({data + 1, size - 1}, setup);
        const text::ImportResult back = text::importSetupText(text::exportSetupText(setup));
        FUZZ_CHECK(back.ok());
        FUZZ_CHECK(encodeSetupFile(back.setup) == encodeSetupFile(setup));
        return 0;
    }
    const text::ImportResult first =
        text::importSetupText({reinterpret_cast<const char*>(data), size});
    if (!first.ok()) return 0;
    const text::ImportResult again = text::importSetupText(text::exportSetupText(first.setup));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(encodeSetupFile(again.setup) == encodeSetupFile(first.setup));
    return 0;
}
