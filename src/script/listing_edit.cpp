#include "script/listing_edit.h"

#include "model/bytes.h"

#include <algorithm>

namespace quelvar {

namespace {

constexpr std::size_t kShownLineLength = 255;  // the part of a line the boxes can show
constexpr char kTab = '\t';

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
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
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
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

std::optional<ListingLine> ListingEdit::currentFields() const
{
    if (m_current >= m_lines.size()) return std::nullopt;
    return splitListingLine(std::string_view(m_lines[m_current]).substr(0, kShownLineLength));
}

ListingLine ListingEdit::store(const ListingLine& boxes)
{
    const ListingLine line{typedName(boxes.instruction), typedName(boxes.operand1),
                           typedName(boxes.operand2), typedName(boxes.operand3),
                           trimBlanks(boxes.comment)};
    if (m_current < m_lines.size()) m_lines[m_current] = joinListingLine(line);
    return line;
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
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at),
                   std::string(kEmptyListingLine));
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
