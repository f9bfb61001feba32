#include "printing/page_format.h"

#include "model/image_map.h"
#include "printing/print_items.h"

#include <algorithm>

namespace quelvar {

namespace {

std::size_t entryOffset(int entry)
{
    return kPageEntrySize * static_cast<std::size_t>(entry - 1);
}

std::uint8_t lowByte(std::int32_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

PageFormat readPageFormat(std::span<const std::uint8_t> image, int page)
{
    PageFormat format{};
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(image::pageFormatOffset(page)),
                format.size(), format.begin());
    return format;
}

void writePageFormat(std::span<std::uint8_t> image, int page, const PageFormat& format)
{
    std::copy(format.begin(), format.end(),
              image.begin() + static_cast<std::ptrdiff_t>(image::pageFormatOffset(page)));
}

PageEntry pageEntry(const PageFormat& format, int entry)
{
    const std::size_t at = entryOffset(entry);
    return {format[at], format[at + 1], format[at + 2]};
}

std::string pageItemName(std::uint8_t code)
{
    const int index = LookupByCode(pageItemTable(), code);
    if (index == 0) return std::to_string(code);
    return std::string(pageItemTable().name(index));
}

std::optional<std::uint8_t> pageItemCode(std::string_view name)
{
    if (const int index = LookupByName(pageItemTable(), name); index != 0)
        return lowByte(pageItemTable().code(index));
    const bool digits = !name.empty() && name.size() <= 3 &&
                        std::ranges::all_of(name, [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) return std::nullopt;
    const int code = std::stoi(std::string(name));
    if (code > 255) return std::nullopt;
    return static_cast<std::uint8_t>(code);
}

bool storePageEntry(PageFormat& format, int entry, std::int32_t row, std::int32_t column,
                    std::string_view item)
{
    const std::size_t at = entryOffset(entry);
    format[at] = lowByte(row);
    format[at + 1] = lowByte(column);
    if (format[at] == 0) return true;
    const auto code = pageItemCode(item);
    if (!code) return false;
    format[at + 2] = *code;
    return true;
}

std::string pageItemNotValidMessage(std::string_view item)
{
    return "Item entry not valid: " + std::string(item);
}

bool setPageEntry(std::span<std::uint8_t> image, int page, int entry, std::int32_t row,
                  std::int32_t column, std::string_view item)
{
    PageFormat format = readPageFormat(image, page);
    if (!storePageEntry(format, entry, row, column, item)) return false;
    writePageFormat(image, page, format);
    return true;
}

}  // namespace quelvar
