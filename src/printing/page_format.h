#pragma once
// Page formats: the four ticket layouts the indicator prints with Print1 to Print4.
// Each is 16 entries of three bytes: the row (0 marks an empty entry), the column
// and the code of a page item table entry (0 the item "0", 255 unprogrammed).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quelvar {

inline constexpr int kPageFormatCount = 4;
inline constexpr int kPageEntryCount = 16;
inline constexpr std::size_t kPageEntrySize = 3;

using PageFormat = std::array<std::uint8_t, kPageEntryCount * kPageEntrySize>;

struct PageEntry {
    std::uint8_t row;
    std::uint8_t column;
    std::uint8_t item;
};

// Page 1..4 of the setup image.
PageFormat readPageFormat(std::span<const std::uint8_t> image, int page);
void writePageFormat(std::span<std::uint8_t> image, int page, const PageFormat& format);

// Entry 1..16.
PageEntry pageEntry(const PageFormat& format, int entry);

// The item name shown for a stored code: the name of the page item carrying it, an
// empty name for 255, else the code in decimal ("0", "31").
std::string pageItemName(std::uint8_t code);

// The code a typed item name stands for: the code of the page item table entry of
// exactly that name (case counts), or a code typed in decimal (0 to 255); nothing
// for any other text.
std::optional<std::uint8_t> pageItemCode(std::string_view name);

// Stores entry 1..16 as the page items dialog's OK does: row and column keep their
// low 8 bits; on a row that is not 0 the item name gives the item code, on row 0
// the item code stays as it was. False when the name is not valid; the row and
// column are stored by then.
bool storePageEntry(PageFormat& format, int entry, std::int32_t row, std::int32_t column,
                    std::string_view item);

// "Item entry not valid: gross": why an item name was not stored.
std::string pageItemNotValidMessage(std::string_view item);

// Sets one entry of page 1..4 as the page items dialog does when that entry is typed
// and OK is pressed. False, with the image unchanged, when the item name is not valid.
bool setPageEntry(std::span<std::uint8_t> image, int page, int entry, std::int32_t row,
                  std::int32_t column, std::string_view item);

}  // namespace quelvar
