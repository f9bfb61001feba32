#include "model/ini_file.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace quelvar {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// [begin, end) without blanks at either side.
std::pair<std::size_t, std::size_t> trimmed(std::string_view text, std::size_t begin,
                                            std::size_t end)
{
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return {begin, end};
}

}  // namespace

IniFile::IniFile(std::string_view text) : m_text(text)
{
    parse();
}

void IniFile::parse()
{
    m_lines.clear();
    const std::string_view text = m_text;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t newline = std::min(text.find('\n', begin), text.size());
        auto [first, last] = trimmed(text, begin, newline);
        Line line;
        line.begin = begin;
        line.end = newline;
        begin = newline + 1;
        if (first == last || text[first] == ';') continue;
        if (text[first] == '[') {
            const std::size_t close = std::min(text.find(']', first), last);
            const auto [nameBegin, nameEnd] = trimmed(text, first + 1, close);
            line.isSection = true;
            line.name = text.substr(nameBegin, nameEnd - nameBegin);
        } else {
            const std::size_t equals = text.find('=', first);
            if (equals >= last) continue;
            const auto [keyBegin, keyEnd] = trimmed(text, first, equals);
            if (keyBegin == keyEnd) continue;
            line.name = text.substr(keyBegin, keyEnd - keyBegin);
            const std::size_t comment = std::min(text.find(';', equals), last);
            std::tie(line.valueBegin, line.valueEnd) = trimmed(text, equals + 1, comment);
        }
        m_lines.push_back(std::move(line));
    }
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.isSection)
            inSection = sameName(line.name, section);
        else if (inSection && sameName(line.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const auto found = findKey(section, key);
    if (!found) return std::nullopt;
    const Line& line = m_lines[*found];
    return m_text.substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

std::optional<int> IniFile::integer(std::string_view section, std::string_view key) const
{
    const auto text = value(section, key);
    if (!text || text->empty()) return std::nullopt;
    const char* first = text->data() + (text->front() == '+' ? 1 : 0);
    const char* last = text->data() + text->size();
    int result = 0;
    const auto [end, error] = std::from_chars(first, last, result);
    if (error != std::errc() || end != last) return std::nullopt;
    return result;
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (line.isSection) {
            inSection = sameName(line.name, section);
            continue;
        }
        const bool seen = std::any_of(result.begin(), result.end(), [&](const auto& entry) {
            return sameName(entry.first, line.name);
        });
        if (inSection && !seen)
            result.emplace_back(line.name,
                                m_text.substr(line.valueBegin, line.valueEnd - line.valueBegin));
    }
    return result;
}

// Just after the last key (or the header) of the first section of that name; npos
// when there is no such section. Comments and blank lines after it stay below.
std::size_t IniFile::insertionPoint(std::string_view section) const
{
    std::size_t point = std::string::npos;
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (line.isSection) {
            if (point != std::string::npos) break;
            inSection = sameName(line.name, section);
        }
        if (inSection) point = std::min(line.end + 1, m_text.size());
    }
    return point;
}

// Inserts a whole line at a line boundary (or at the end), with the file's line end.
void IniFile::insertLine(std::size_t at, const std::string& line)
{
    const std::size_t firstNewline = m_text.find('\n');
    const std::string lineEnd =
        firstNewline != std::string::npos && firstNewline > 0 && m_text[firstNewline - 1] == '\r'
            ? "\r\n"
            : "\n";
    const bool unfinished = at == m_text.size() && at > 0 && m_text.back() != '\n';
    m_text.insert(at, (unfinished ? lineEnd : "") + line + lineEnd);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    value = value.substr(0, value.find_first_of("\r\n"));
    if (const auto found = findKey(section, key)) {
        const Line& line = m_lines[*found];
        m_text.replace(line.valueBegin, line.valueEnd - line.valueBegin, value);
    } else if (const std::size_t at = insertionPoint(section); at != std::string::npos) {
        insertLine(at, std::string(key) + "=" + std::string(value));
    } else {
        if (!m_text.empty()) insertLine(m_text.size(), "");
        insertLine(m_text.size(), "[" + std::string(section) + "]");
        insertLine(m_text.size(), std::string(key) + "=" + std::string(value));
    }
    parse();
}

}  // namespace quelvar
