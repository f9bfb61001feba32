// [[page]] and [labels]: the page items dialog of each page format and the print
// labels dialog.
#include "model/image_map.h"
#include "model/param_items.h"
#include "printing/label_codec.h"
#include "printing/page_format.h"
#include "text/text_fields.h"

namespace quelvar::text {

namespace {

std::string entryPath(int page, int entry, const char* key)
{
    return "page." + std::to_string(page) + ".entry." + std::to_string(entry) + "." + key;
}

std::size_t entryOffset(int page, int entry)
{
    return image::pageFormatOffset(page) + kPageEntrySize * static_cast<std::size_t>(entry - 1);
}

// A [[page]] the text holds starts with every byte unprogrammed (255), and a key
// of it is written only where its byte is not.
void inPage(Field& f, int page)
{
    f.group = "page." + std::to_string(page);
    f.optional = true;
}

Field entryNumber(int page, int entry, const char* key, std::size_t byte, const char* comment)
{
    Field f = numberField(entryPath(page, entry, key), comment, entryOffset(page, entry) + byte, 1);
    inPage(f, page);
    return f;
}

// The item name as the grid shows it; on an entry whose row is 0 the code stays as it
// was, whatever the name.
Field entryItem(int page, int entry)
{
    Field f{entryPath(page, entry, "item"),
            "print item",
            {imageBytes(entryOffset(page, entry) + 2, 1)}};
    f.show = [page, entry](const Setup& s) -> std::optional<Value> {
        return std::string(pageItemName(pageEntry(readPageFormat(s.image, page), entry).item));
    };
    f.store = [page, entry](Setup& s, const Value& v) -> Refusal {
        PageFormat format = readPageFormat(s.image, page);
        const PageEntry e = pageEntry(format, entry);
        if (!storePageEntry(format, entry, e.row, e.column, textOf(v)))
            return pageItemNotValidMessage(textOf(v));
        writePageFormat(s.image, page, format);
        return {};
    };
    f.raw = Raw::Number;
    inPage(f, page);
    return f;
}

Field labelField(const PrintLabel& label)
{
    Field f{"labels.label_" + std::to_string(label.number),
            itemComment(label.number) + ", at most " + std::to_string(label.maxLength) +
                " bytes",
            {imageBytes(label.offset, label.maxLength + 1)}};
    f.show = [&label](const Setup& s) -> std::optional<Value> { return readLabel(s.image, label); };
    f.store = [&label](Setup& s, const Value& v) -> Refusal {
        if (!storeLabel(s.image, label, textOf(v))) return labelTooLongMessage(label);
        return {};
    };
    return f;
}

}  // namespace

void addPrintingFields(Fields& fields)
{
    for (int page = 1; page <= kPageFormatCount; ++page)
        for (int entry = 1; entry <= kPageEntryCount; ++entry) {
            fields.push_back(
                entryNumber(page, entry, "row", 0, "printed line, 0 for an empty entry"));
            fields.push_back(entryNumber(page, entry, "column", 1, "print column"));
            fields.push_back(entryItem(page, entry));
        }
    for (const PrintLabel& label : printLabels())
        fields.push_back(labelField(label));
}

}  // namespace quelvar::text
