#include "text/setup_text_file.h"

#include "model/setup_file.h"
#include "text/setup_text.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace quelvar::text {

bool holdsSetupText(const FileReadResult& start)
{
    const std::string_view bytes(reinterpret_cast<const char*>(start.bytes.data()),
                                 std::min(start.bytes.size(), kSetupFileSize));
    const auto size = std::max<std::uintmax_t>(start.fileSize, start.bytes.size());
    return bytes.starts_with(kTextMarker) ||
           (size != kSetupFileSize && bytes.find('\0') == std::string_view::npos);
}

bool namesSetupText(const std::string& path)
{
    constexpr std::string_view kSuffix = ".toml";
    if (path.size() <= kSuffix.size()) return false;
    return std::equal(kSuffix.begin(), kSuffix.end(), path.end() - kSuffix.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool opensAsSetupText(const std::string& path)
{
    if (namesSetupText(path)) return true;
    const FileReadResult start = readFileStart(path, kTextMarker.size());
    return std::string_view(reinterpret_cast<const char*>(start.bytes.data()),
                            start.bytes.size()) == kTextMarker;
}

bool textOf(const FileReadResult& file, std::string& text, std::string& reason)
{
    if (!file.opened || file.readFailed || !file.closed) {
        reason = file.reason;
        return false;
    }
    if (file.bytes.size() > kMaxTextSize) {
        reason = "the file is too long to be a setup text";
        return false;
    }
    text.assign(file.bytes.begin(), file.bytes.end());
    return true;
}

std::string refusalAt(const std::string& path, const std::string& error)
{
    const bool atLine = !error.empty() && error[0] >= '0' && error[0] <= '9';
    return path + (atLine ? ":" : ": ") + error;
}

TextFileResult readSetupTextFile(const std::string& path)
{
    std::string text, reason;
    if (!textOf(readFileStart(path, kMaxTextSize + 1), text, reason)) return {{}, "cannot read " + path + ": " + reason, {}};
    ImportResult imported = importSetupText(text);
    if (!imported.ok()) return {{}, refusalAt(path, imported.error), {}};
    return {std::move(imported.setup), {}, std::move(imported.notes)};
}

AnySetupResult readAnySetupFile(const std::string& path)
{
    if (opensAsSetupText(path)) {
        TextFileResult text = readSetupTextFile(path);
        return {std::move(text.setup), std::move(text.error), {}};
    }
    AnySetupResult result;
    const SetupReadResult read = readSetupFile(path, result.setup);
    result.error = setupReadMessage(read, path);
    result.reason = read.reason;
    return result;
}

FileWriteResult writeSetupTextFile(const std::string& path, Setup& setup)
{
    sealSetup(setup);
    return writeFileAtomically(path, std::string_view(exportSetupText(setup)));
}

}  // namespace quelvar::text
