#pragma once
// Name tables: the indicator knows functions, instructions, registers, conditions
// and print items by one-byte codes; the editor shows and accepts their names.
//
// A table is an ordered, constant list of records. Record 0 is the table's none
// entry (usually an empty name and the none code); records 1..N are the entries.
// The end of the list stands for the end marker: lookups also stop at a record
// whose code is 0. Lookups never examine record 0, and return 0 when nothing
// matches, so reading the record at a failed lookup's index yields the none entry:
// that is how an empty box becomes the none code and an unknown code an empty box.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

// The longest name of any table: what a name box takes.
inline constexpr int kNameLength = 11;

struct NameRecord {
    std::uint16_t code;            // the indicator's code; every code in use fits a byte
    std::string_view name;         // at most kNameLength characters
    std::string_view description;  // at most 34 characters
};

class NameTable {
public:
    constexpr explicit NameTable(std::span<const NameRecord> records) : m_records(records) {}

    // Records 0..N, in table order (for filling list boxes).
    constexpr std::span<const NameRecord> records() const { return m_records; }
    constexpr int size() const { return static_cast<int>(m_records.size()); }

    // Record at `index`; an index outside 0..N gives the none entry.
    const NameRecord& record(int index) const;
    std::uint16_t code(int index) const { return record(index).code; }
    std::string_view name(int index) const { return record(index).name; }
    std::string_view description(int index) const { return record(index).description; }

private:
    std::span<const NameRecord> m_records;
};

// Index of the first entry carrying `code`, 0 when none does. Callers pass a byte
// from the setup image or from byte code, zero-extended.
std::int16_t LookupByCode(const NameTable& table, std::uint16_t code);

// Index of the first entry whose name equals `text` exactly (case-sensitive),
// 0 when none does. Callers trim or re-case typed text first where they must.
std::int16_t LookupByName(const NameTable& table, std::string_view text);

// The name of the entry carrying `code` for pages and listings: the none entry's
// name for the none code, and a code no entry carries as its number in angle
// brackets ("<31>"), so that it never reads as the none entry.
std::string nameOrCode(const NameTable& table, std::uint16_t code);

// Row texts of list boxes filled from a table, one per record 0..N; the TAB
// separates the columns of a list with tab stops.
// "%s\t%s" of name and description: register and status condition lists.
std::string nameListRow(const NameTable& table, int index);
std::vector<std::string> nameListRows(const NameTable& table);
// The names of records 0..N of each table in turn (to size a list's name column).
std::vector<std::string_view> recordNames(std::initializer_list<const NameTable*> tables);
// "%.12s\t%.32s" of name and description: the function lists of the event dialogs.
std::string functionListRow(const NameTable& table, int index);
std::vector<std::string> functionListRows(const NameTable& table);

}  // namespace quelvar
