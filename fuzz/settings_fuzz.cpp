// Settings files of any text: the five port settings written into it read back as
// written, and every line the updater does not own stays as it was, in order.

#include "fuzz_check.h"
#include "model/ini_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quelvar;

namespace {

constexpr std::array<std::string_view, 5> kKeys = {"comport", "baud", "parity", "byteSize",
                                                   "stops"};

// The non-empty lines, split at CR and at LF as the reader splits them (a last line
// may be given a line end by an update).
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        if (end > 0) lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A line that names one of the keys the updater writes (in any section).
bool mayBeRewritten(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    std::string name = lower(line.substr(0, equals));
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t\r") + 1);
    return std::ranges::any_of(kKeys, [&](std::string_view key) { return lower(key) == name; });
}

bool isSubsequence(const std::vector<std::string_view>& kept,
                   const std::vector<std::string_view>& lines)
{
    auto at = lines.begin();
    for (std::string_view line : kept) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) return false;
        ++at;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile ini(text);
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        ini.setValue("Com", kKeys[i], std::to_string(size * 7 + i));

    const IniFile reread(ini.text());
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        FUZZ_CHECK(reread.integer("cOM", kKeys[i]) == static_cast<int>(size * 7 + i));

    // Which line a lone CR ends is the reader's own business; check LF and CR LF files.
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos;
         cr = text.find('\r', cr + 1))
        if (cr + 1 == text.size() || text[cr + 1] != '\n') return 0;
    std::vector<std::string_view> kept;
    for (std::string_view line : linesOf(text))
        if (!mayBeRewritten(line)) kept.push_back(line);
    FUZZ_CHECK(isSubsequence(kept, linesOf(ini.text())));
    return 0;
}
