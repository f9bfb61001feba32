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

std::string_view pageItemName(std::uint8_t code)
{
    return pageItemTable().name(LookupByCode(pageItemTable(), code));
}

std::optional<std::uint8_t> pageItemCode(std::string_view name)
{
    if (name == "0") return 0;
    const int index = LookupByName(pageItemTable(), name);
    if (index == 0) return std::nullopt;
    return lowByte(pageItemTable().code(index));
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
    const PageFormat shown = format;
    for (int e = 1; e <= kPageEntryCount; ++e) {
        const PageEntry was = pageEntry(shown, e);
        const bool stored =
            e == entry ? storePageEntry(format, e, row, column, item)
                       : storePageEntry(format, e, was.row, was.column, pageItemName(was.item));
        if (!stored) return false;
    }
    writePageFormat(image, page, format);
    return true;
}

}  // namespace quelvar
