#pragma once
// The four blocks of a setup, kept together in memory and in a setup file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quelvar {

inline constexpr std::size_t kSetupImageSize = 2048;
inline constexpr std::size_t kDescriptionBlockSize = 512;  // 511 characters + terminator
inline constexpr std::size_t kFunctionCount = 16;
inline constexpr std::size_t kFunctionDescriptionSize = 256;
inline constexpr std::size_t kLinesPerFunction = 32;
inline constexpr std::size_t kLineCommentSize = 30;
inline constexpr std::size_t kFunctionDescriptionsSize = kFunctionCount * kFunctionDescriptionSize;
inline constexpr std::size_t kLineCommentsSize =
    kFunctionCount * kLinesPerFunction * kLineCommentSize;
inline constexpr std::size_t kSetupFileSize =
    kSetupImageSize + kDescriptionBlockSize + kFunctionDescriptionsSize + kLineCommentsSize;

using SetupImage = std::array<std::uint8_t, kSetupImageSize>;
using FunctionDescriptions = std::array<std::uint8_t, kFunctionDescriptionsSize>;
using LineComments = std::array<std::uint8_t, kLineCommentsSize>;

using DescriptionBlock = std::array<std::uint8_t, kDescriptionBlockSize>;

struct Setup {
    SetupImage image{};
    std::string description;                    // application description (memo text)
    // The description block's bytes after the text's terminating zero, as the file
    // held them (zero where the text and its zero stand); written back after it.
    DescriptionBlock descriptionKept{};
    FunctionDescriptions functionDescriptions{};  // 16 x 256 bytes, zero-terminated texts
    LineComments lineComments{};                  // 16 functions x 32 lines x 30 bytes

    bool operator==(const Setup&) const = default;
};

}  // namespace quelvar
