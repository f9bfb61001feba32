#include "model/setup_file.h"

#include "model/bytes.h"
#include "model/check_bytes.h"

#include <algorithm>

namespace quelvar {

namespace {

constexpr std::size_t kDescriptionOffset = kSetupImageSize;
constexpr std::size_t kFunctionDescriptionsOffset = kDescriptionOffset + kDescriptionBlockSize;
constexpr std::size_t kLineCommentsOffset = kFunctionDescriptionsOffset + kFunctionDescriptionsSize;

// Whole kilobytes as "36 KB", any other size exactly.
std::string sizeText(std::uintmax_t bytes)
{
    if (bytes > 0 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

template <std::size_t N>
void copyBlockOut(const std::array<std::uint8_t, N>& block, SetupFileBytes& file, std::size_t at)
{
    std::copy(block.begin(), block.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

template <std::size_t N>
void copyBlockIn(std::span<const std::uint8_t> file, std::size_t at,
                 std::array<std::uint8_t, N>& block)
{
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), N, block.begin());
}

}  // namespace

std::string descriptionToMemoText(std::string_view description)
{
    std::string text;
    for (std::size_t i = 0; i < description.size(); ++i)
        if (!description.substr(i).starts_with("\r\n")) text += description[i];
    return text;
}

std::string memoTextToDescription(std::string_view memoText, std::string_view current)
{
    const bool bareLineFeeds = current.find('\n') != std::string_view::npos &&
                               current.find("\r\n") == std::string_view::npos;
    const std::string_view lineBreak = bareLineFeeds ? "\n" : "\r\n";
    std::string text;
    for (std::size_t i = 0; i < memoText.size(); ++i) {
        const char c = memoText[i];
        if (c != '\r' && c != '\n')
            text += c;
        else if (c == '\n' || !memoText.substr(i).starts_with("\r\n"))
            text += lineBreak;
    }
    return text;
}

void sealSetup(Setup& setup)
{
    if (setup.description.size() > kDescriptionMaxLength)
        setup.description.resize(kDescriptionMaxLength);
    StoreCheckBytes(setup.image);
}

SetupFileBytes encodeSetupFile(const Setup& setup)
{
    SetupFileBytes file{};
    copyBlockOut(setup.image, file, 0);
    copyBlockOut(setup.descriptionKept, file, kDescriptionOffset);
    // A description of 512 characters, read from a block without a zero, goes back so.
    const std::size_t length = std::min(setup.description.size(), kDescriptionBlockSize);
    std::copy_n(setup.description.begin(), length,
                file.begin() + static_cast<std::ptrdiff_t>(kDescriptionOffset));
    if (length < kDescriptionBlockSize) file[kDescriptionOffset + length] = 0;
    copyBlockOut(setup.functionDescriptions, file, kFunctionDescriptionsOffset);
    copyBlockOut(setup.lineComments, file, kLineCommentsOffset);
    return file;
}

int decodeSetupFile(std::span<const std::uint8_t> bytes, Setup& setup)
{
    const std::size_t size = bytes.size();
    if (size < kDescriptionOffset) return 0;
    copyBlockIn(bytes, 0, setup.image);
    if (size < kFunctionDescriptionsOffset) return 1;
    setup.description = readText(bytes, kDescriptionOffset, kDescriptionBlockSize);
    copyBlockIn(bytes, kDescriptionOffset, setup.descriptionKept);
    std::fill_n(setup.descriptionKept.begin(),
                std::min(setup.description.size() + 1, kDescriptionBlockSize), 0);
    if (size < kLineCommentsOffset) return 2;
    copyBlockIn(bytes, kFunctionDescriptionsOffset, setup.functionDescriptions);
    if (size < kSetupFileSize) return 3;
    copyBlockIn(bytes, kLineCommentsOffset, setup.lineComments);
    return 4;
}

SetupReadResult readSetupFile(const std::string& path, Setup& setup)
{
    return decodeSetupRead(readFileStart(path, kSetupFileSize), setup);
}

SetupReadResult decodeSetupRead(const FileReadResult& file, Setup& setup)
{
    SetupReadResult result;
    result.opened = file.opened;
    result.closed = file.closed;
    result.fileSize = std::max<std::uintmax_t>(file.fileSize, file.bytes.size());
    result.reason = file.reason;
    if (!file.opened) return result;
    result.blocks = decodeSetupFile(file.bytes, setup);
    if (result.blocks < kSetupBlockCount && result.reason.empty())
        result.reason = "the file is " + std::to_string(result.fileSize) +
                        " bytes long, a setup file has " + std::to_string(kSetupFileSize);
    return result;
}

FileWriteResult writeSetupFile(const std::string& path, Setup& setup)
{
    sealSetup(setup);
    const SetupFileBytes bytes = encodeSetupFile(setup);
    return writeFileAtomically(path, bytes);
}

std::string setupFileDoubts(const std::string& path)
{
    const FileReadResult file = readFileStart(path, kSetupImageSize);
    if (!file.opened) return {};
    std::string doubts = file.fileSize == kSetupFileSize ? "" : sizeText(file.fileSize);
    if (file.bytes.size() == kSetupImageSize && !VerifyCheckBytes(file.bytes))
        doubts += (doubts.empty() ? "" : ", ") + std::string("check bytes do not verify");
    return doubts;
}

std::string setupReadMessage(const SetupReadResult& result, const std::string& fileName)
{
    if (!result.opened) return "Error Opening file: " + fileName;
    if (result.blocks != kSetupBlockCount)
        return "Error reading file: " + fileName + "count was/sb " + std::to_string(result.blocks) +
               "  4";
    if (!result.closed) return "Error closing file: " + fileName;
    return {};
}

std::string setupWriteMessage(const FileWriteResult& result, const std::string& fileName)
{
    switch (result.failedAt) {
    case FileWriteStage::None: return {};
    case FileWriteStage::Opening: return "Error opening file: " + fileName;
    case FileWriteStage::Writing: return "Error writing file: " + fileName;
    case FileWriteStage::Closing: return "Error closing file: " + fileName;
    }
    return {};
}

}  // namespace quelvar
