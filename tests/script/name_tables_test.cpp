#include "script/name_tables.h"

#include <gtest/gtest.h>

#include <set>

using namespace quelvar;

namespace {

struct TableShape {
    const char* name;
    const NameTable& table;
    int entries;
    std::uint16_t noneCode;
    std::string_view noneDescription;
};

const TableShape kTables[] = {
    {"function", functionTable(), 47, 255, "Do not execute a function"},
    {"instruction", instructionTable(), 50, 0, ""},
    {"register", registerTable(), 50, 0, "No register selected"},
    {"abbreviation", registerAbbreviationTable(), 46, 0, "Null"},
    {"condition", statusConditionTable(), 51, 0, ""},
    {"target", transmitTargetTable(), 28, 0, ""},
};

TEST(NameTables, ShapeAndFieldLimits)
{
    for (const auto& t : kTables) {
        SCOPED_TRACE(t.name);
        ASSERT_EQ(t.table.size(), t.entries + 1);
        EXPECT_EQ(t.table.name(0), "");
        EXPECT_EQ(t.table.code(0), t.noneCode);
        EXPECT_EQ(t.table.description(0), t.noneDescription);
        for (const auto& r : t.table.records().subspan(1)) {
            EXPECT_NE(r.code, 0) << r.name;
            EXPECT_LE(r.code, 255) << r.name;
            EXPECT_FALSE(r.name.empty());
            EXPECT_LE(r.name.size(), 11u) << r.name;
            EXPECT_LE(r.description.size(), 34u) << r.description;
        }
    }
}

TEST(NameTables, EveryNameFindsItsOwnRecord)
{
    // Names are unique within each table, so the name lookup is exact.
    for (const auto& t : kTables) {
        for (int k = 1; k < t.table.size(); ++k)
            EXPECT_EQ(LookupByName(t.table, t.table.name(k)), k) << t.name << " " << k;
    }
}

TEST(NameTables, Lookups)
{
    struct Case {
        const NameTable& table;
        std::string_view name;
        int index;
        std::uint16_t code;
    };
    const Case cases[] = {
        {functionTable(), "", 0, 255},
        {functionTable(), "User1", 21, 1},
        {functionTable(), "Peak net", 47, 157},
        {instructionTable(), "Resume", 47, 250},
        {instructionTable(), "Set pt on", 17, 220},
        {instructionTable(), "Set Pt On", 0, 0},
        {instructionTable(), "End", 50, 255},
        {registerTable(), "Gross", 1, 64},
        {registerTable(), "gross", 0, 0},
        {registerTable(), "GROSS", 0, 0},
        {registerTable(), "Gross ", 0, 0},
        {registerAbbreviationTable(), "M16", 42, 16},
        {statusConditionTable(), "Overload", 16, 115},
        {transmitTargetTable(), "Label4", 18, 84},
        {transmitTargetTable(), "Label3", 17, 34},
        {transmitTargetTable(), "1", 25, 1},
        {transmitTargetTable(), "4", 28, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        auto index = LookupByName(c.table, c.name);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(c.table.code(index), c.code);
    }
}

TEST(NameTables, CodeLookupGivesFirstMatchAndNeverTheNoneEntry)
{
    struct Case {
        const NameTable& table;
        std::uint16_t code;
        std::string_view name;
    };
    const Case cases[] = {
        {functionTable(), 255, ""},          {functionTable(), 250, "Resume"},
        {functionTable(), 0, ""},            {registerTable(), 0, ""},
        {registerTable(), 115, "True"},      {statusConditionTable(), 0, ""},
        {statusConditionTable(), 115, "Overload"},
        {transmitTargetTable(), 84, "Label84"}, {transmitTargetTable(), 1, "Page1"},
        {transmitTargetTable(), 32, "Label32"}, {instructionTable(), 213, ""},
        {registerTable(), 999, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.table.name(LookupByCode(c.table, c.code)), c.name) << c.code;
    EXPECT_EQ(LookupByCode(transmitTargetTable(), 84), 8);
}

TEST(NameTables, OutOfRangeIndexReadsTheNoneEntry)
{
    EXPECT_EQ(functionTable().code(-1), 255);
    EXPECT_EQ(functionTable().code(48), 255);
    EXPECT_EQ(registerTable().name(1000), "");
}

TEST(NameTables, CodesUniqueExceptTargetAliases)
{
    for (const auto& t : kTables) {
        std::set<std::uint16_t> codes;
        int entries = t.table.size() - 1;
        int expectedUnique = &t.table == &transmitTargetTable() ? 14 : entries;
        for (const auto& r : t.table.records().subspan(1)) codes.insert(r.code);
        EXPECT_EQ(static_cast<int>(codes.size()), expectedUnique) << t.name;
    }
}

TEST(NameTables, FunctionRowsCutLongFields)
{
    static constexpr NameRecord records[] = {
        {255, "", ""},
        {1, "ABCDEFGHIJKLMNO", "0123456789012345678901234567890123456789"},
    };
    NameTable table{records};
    EXPECT_EQ(functionListRow(table, 1), "ABCDEFGHIJKL\t01234567890123456789012345678901");
    EXPECT_EQ(nameListRow(table, 1),
              "ABCDEFGHIJKLMNO\t0123456789012345678901234567890123456789");
}

TEST(NameTables, UserFunctionNames)
{
    EXPECT_EQ(userFunctionName(0), "");
    EXPECT_EQ(userFunctionName(16), "");
    EXPECT_EQ(userFunctionName(-1), "");
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(userFunctionName(n), "User" + std::to_string(n));
        EXPECT_EQ(functionTable().name(LookupByCode(functionTable(), n)), userFunctionName(n));
    }
}

}  // namespace
