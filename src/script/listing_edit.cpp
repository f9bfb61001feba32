#include "script/listing_edit.h"

#include "model/bytes.h"

#include <algorithm>

namespace quelvar {

namespace {

constexpr std::size_t kShownLineLength = 255;  // the part of a line the boxes can show
constexpr char kTab = '\t';

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::optional<LineFields> splitLine(std::string_view line)
{
    line = line.substr(0, kShownLineLength);
    LineFields fields;
    for (std::size_t i = 0; i < kCommentField; ++i) {
        const auto tab = line.find(kTab);
        if (tab == std::string_view::npos) return std::nullopt;
        fields[i] = std::string(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields[kCommentField] = std::string(line);
    return fields;
}

std::string joinLine(const LineFields& fields)
{
    std::string line = fields[0];
    for (std::size_t i = 1; i < fields.size(); ++i) line += kTab + fields[i];
    return line;
}

}  // namespace

std::string trimBlanks(std::string_view text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string typedName(std::string_view text)
{
    std::string name = trimBlanks(text);
    std::replace(name.begin(), name.end(), kTab, ' ');
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string functionDescription(const FunctionDescriptions& store, int n)
{
    if (n < 0 || n >= static_cast<int>(kFunctionCount)) return {};
    return readText(store, static_cast<std::size_t>(n) * kFunctionDescriptionSize,
                    kFunctionDescriptionSize - 1);
}

bool storeFunctionDescription(FunctionDescriptions& store, int n, std::string_view text)
{
    if (n < 0 || n >= static_cast<int>(kFunctionCount)) return false;
    writeText(store, static_cast<std::size_t>(n) * kFunctionDescriptionSize,
              kFunctionDescriptionSize, text);
    return true;
}

int selectableFunctionNumber(long long typed)
{
    return typed >= 0 && typed < static_cast<long long>(kFunctionCount) ? static_cast<int>(typed)
                                                                          : 1;
}

ListingEdit::ListingEdit(std::vector<std::string> lines) : m_lines(std::move(lines)) {}

std::optional<LineFields> ListingEdit::currentFields() const
{
    if (m_current >= m_lines.size()) return std::nullopt;
    return splitLine(m_lines[m_current]);
}

LineFields ListingEdit::store(const LineFields& boxes)
{
    LineFields fields;
    for (std::size_t i = 0; i < kCommentField; ++i) fields[i] = typedName(boxes[i]);
    fields[kCommentField] = trimBlanks(boxes[kCommentField]);
    if (m_current < m_lines.size()) m_lines[m_current] = joinLine(fields);
    return fields;
}

void ListingEdit::next()
{
    ++m_current;
    clampCurrent();
}

void ListingEdit::select(std::size_t row)
{
    m_current = row;
    clampCurrent();
}

void ListingEdit::insertEmpty()
{
    const auto at = std::min(m_current, m_lines.size());
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::string(kCommentField, kTab));
    m_current = at;
}

void ListingEdit::removeCurrent()
{
    if (m_current < m_lines.size())
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(m_current));
    clampCurrent();
}

void ListingEdit::clampCurrent()
{
    if (m_current >= m_lines.size()) m_current = m_lines.empty() ? 0 : m_lines.size() - 1;
}

}  // namespace quelvar
