// Print labels of any bytes: a stored label (bytes 1-255 up to its length, then 0)
// shown as edit text and encoded again gives its bytes back, so OK never changes a
// label nobody touched; and the text shown for any slot is stable under encoding.

#include "fuzz_check.h"
#include "printing/label_codec.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace quelvar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::size_t maxLength = data[0] & 1 ? 30 : 16;
    const std::vector<std::uint8_t> any(data + 1, data + std::min(size, maxLength + 2));

    const std::string shown = DecodeLabel(any, maxLength);
    FUZZ_CHECK(DecodeLabel(EncodeLabel(shown), maxLength) == shown);

    std::vector<std::uint8_t> stored;
    for (std::uint8_t b : any)
        if (b != 0 && stored.size() < maxLength) stored.push_back(b);
    stored.push_back(0);
    FUZZ_CHECK(EncodeLabel(DecodeLabel(stored, maxLength)) == stored);
    return 0;
}
