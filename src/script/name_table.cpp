#include "script/name_table.h"

#include <algorithm>

namespace quelvar {

const NameRecord& NameTable::record(int index) const
{
    if (index < 0 || index >= size()) index = 0;
    return m_records[static_cast<std::size_t>(index)];
}

namespace {

// Index of the first entry (from record 1 on, up to the end marker) that `match`
// accepts, 0 when none does.
template <typename Match>
std::int16_t findEntry(const NameTable& table, Match match)
{
    auto records = table.records();
    for (std::size_t k = 1; k < records.size() && records[k].code != 0; ++k)
        if (match(records[k])) return static_cast<std::int16_t>(k);
    return 0;
}

std::string joinColumns(std::string_view name, std::string_view description)
{
    std::string row(name);
    row += '\t';
    row += description;
    return row;
}

}  // namespace

std::int16_t LookupByCode(const NameTable& table, std::uint16_t code)
{
    return findEntry(table, [code](const NameRecord& r) { return r.code == code; });
}

std::int16_t LookupByName(const NameTable& table, std::string_view text)
{
    return findEntry(table, [text](const NameRecord& r) { return r.name == text; });
}

std::string nameOrCode(const NameTable& table, std::uint16_t code)
{
    const int index = LookupByCode(table, code);
    if (index == 0 && code != table.code(0)) return '<' + std::to_string(code) + '>';
    return std::string(table.name(index));
}

std::string nameListRow(const NameTable& table, int index)
{
    const auto& r = table.record(index);
    return joinColumns(r.name, r.description);
}

std::string functionListRow(const NameTable& table, int index)
{
    const auto& r = table.record(index);
    return joinColumns(r.name.substr(0, 12), r.description.substr(0, 32));
}

std::vector<std::string> nameListRows(const NameTable& table)
{
    std::vector<std::string> rows;
    for (int i = 0; i < table.size(); ++i) rows.push_back(nameListRow(table, i));
    return rows;
}

std::vector<std::string_view> recordNames(std::initializer_list<const NameTable*> tables)
{
    std::vector<std::string_view> names;
    for (const NameTable* table : tables)
        for (const NameRecord& record : table->records()) names.push_back(record.name);
    return names;
}

std::vector<std::string> functionListRows(const NameTable& table)
{
    std::vector<std::string> rows;
    for (int i = 0; i < table.size(); ++i) rows.push_back(functionListRow(table, i));
    return rows;
}

}  // namespace quelvar
