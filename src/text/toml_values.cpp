#include "text/toml_values.h"

#include "model/utf8_text.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace quelvar::text {

namespace {

// A TAB is written "\t", so that an editor that turns TABs into blanks leaves the
// listing lines whole.
constexpr auto kFormat = toml::format_flags::allow_unicode_strings;

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

// The characters a TOML number may be written with.
bool inNumber(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' ||
           c == '_';
}

class KeyReader {
public:
    KeyReader(TomlKeys& out, std::string_view text) : m_keys(out.keys), m_elements(out.elements)
    {
        for (std::size_t at = 0; at != std::string_view::npos;) {
            const std::size_t end = text.find('\n', at);
            m_lines.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
            at = end == std::string_view::npos ? end : end + 1;
        }
    }

    std::string readRoot(const toml::table& root)
    {
        for (const auto& [name, node] : root) {
            const std::string path(name.str());
            if (const auto* table = node.as_table()) {
                for (const auto& [key, value] : *table)
                    if (auto e = leaf(path + "." + std::string(key.str()), value); !e.empty()) return e;
            } else if (node.is_array_of_tables()) {
                if (auto e = elements(path, *node.as_array(), 1); !e.empty()) return e;
            } else {
                return where(node, path, "expected a table");
            }
        }
        return "";
    }

private:
    static std::string where(const toml::node& node, const std::string& path, const std::string& m)
    {
        return std::to_string(lineOf(node)) + ": " + path + ": " + m;
    }

    // The elements of [[path]], each named by its number; depth 1 may hold [[path.sub]].
    std::string elements(const std::string& path, const toml::array& array, int depth)
    {
        std::set<std::int64_t> seen;
        for (const auto& node : array) {
            const auto& element = *node.as_table();
            const auto number = element["number"].value_exact<std::int64_t>();
            if (!number) return where(node, path, "each [[" + path + "]] needs its number");
            if (!seen.insert(*number).second)
                return where(node, path, "number " + std::to_string(*number) + " is given twice");
            m_elements.emplace(path + "." + std::to_string(*number), lineOf(node));
            const std::string prefix = path + "." + std::to_string(*number) + ".";
            for (const auto& [key, value] : element) {
                if (key.str() == "number") continue;
                const std::string sub = prefix + std::string(key.str());
                std::string e = depth == 1 && value.is_array_of_tables()
                                    ? elements(sub, *value.as_array(), 2)
                                    : leaf(sub, value);
                if (!e.empty()) return e;
            }
        }
        return "";
    }

    // A number as it stands in the text: the characters from where it begins.
    std::string sourceText(const toml::node& node) const
    {
        const auto& begin = node.source().begin;
        if (begin.line == 0 || begin.line > m_lines.size()) return {};
        const std::string_view line = m_lines[begin.line - 1];
        std::size_t at = 0;  // the column counts characters, not bytes
        for (auto column = begin.column; column > 1 && at < line.size(); --column)
            while (++at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) {
            }
        std::string number;
        for (; at < line.size() && inNumber(line[at]); ++at)
            if (line[at] != '_') number += line[at];  // 1_000 is 1000
        return number;
    }

    // { hex = "0A 1B" } or { raw = 6 }: bytes no value names.
    std::string rawForm(const std::string& path, const toml::table& table, Located& v)
    {
        const auto hex = table["hex"].value_exact<std::string>();
        const auto raw = table["raw"].value_exact<std::int64_t>();
        if (table.size() != 1 || (!hex && !raw))
            return where(table, path, "expected { raw = NUMBER } or { hex = \"...\" }");
        v.hex = hex;
        v.raw = raw;
        return "";
    }

    std::string leaf(const std::string& path, const toml::node& node)
    {
        Located v;
        v.line = lineOf(node);
        if (const auto* table = node.as_table()) {
            if (auto e = rawForm(path, *table, v); !e.empty()) return e;
        } else if (auto s = node.value_exact<std::string>()) {
            auto latin1 = utf8ToLatin1(*s);
            if (!latin1.ok()) return where(node, path, notInCharacterSetMessage(latin1.refused));
            v.value = std::move(latin1.text);
        } else if (auto i = node.value_exact<std::int64_t>()) {
            v.value = *i;
            v.number = sourceText(node);
        } else if (node.is_floating_point()) {
            v.number = sourceText(node);
            v.value = *v.number;
            v.isFloat = true;
        } else if (auto b = node.value_exact<bool>()) {
            v.value = *b;
        } else if (const auto* array = node.as_array()) {
            Lines lines;
            for (const auto& element : *array) {
                const auto line = element.value_exact<std::string>();
                if (!line) return where(element, path, "expected a list of lines in quotes");
                auto latin1 = utf8ToLatin1(*line);
                if (!latin1.ok())
                    return where(element, path, notInCharacterSetMessage(latin1.refused));
                lines.push_back(std::move(latin1.text));
                v.elementLines.push_back(lineOf(element));
            }
            v.value = std::move(lines);
        } else {
            return where(node, path, "expected a text, a number, true or false, or a list of lines");
        }
        m_keys[path] = std::move(v);
        return "";
    }

    std::map<std::string, Located>& m_keys;
    std::map<std::string, int>& m_elements;
    std::vector<std::string_view> m_lines;
};

// A setup text needs keys of at most four parts and values nested two deep; the TOML
// reader recurses on both, so deeper ones are refused before it sees them.
constexpr int kMostParts = 8;
constexpr int kMostNesting = 8;

// Where a quoted string starting at `at` ends (past its closing quotes), counting the
// lines it spans. An unclosed one ends at its line's end: the reader refuses it.
std::size_t skipString(std::string_view text, std::size_t at, int& line)
{
    const char quote = text[at];
    const bool multiLine = text.substr(at, 3) == (quote == '"' ? R"(""")" : "'''");
    const std::string_view close = multiLine ? text.substr(at, 3) : text.substr(at, 1);
    for (std::size_t i = at + close.size(); i < text.size(); ++i) {
        if (text[i] == '\\' && quote == '"' && i + 1 < text.size() && text[i + 1] != '\n') ++i;
        else if (text.substr(i, close.size()) == close) {
            i += close.size();
            while (multiLine && i < text.size() && text[i] == quote) ++i;  // """a"""" is a"
            return i;
        } else if (text[i] == '\n') {
            if (!multiLine) return i;
            ++line;
        }
    }
    return text.size();
}

// "LINE: ..." for the first key or table name of more than kMostParts parts, or the
// first bracket or brace opened more than kMostNesting deep; empty when there is none.
std::string tooDeep(std::string_view text)
{
    int line = 1, dots = 0, nesting = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            i = skipString(text, i, line);  // a quoted part of a dotted key
            continue;
        }
        if (c == '.' && ++dots >= kMostParts)
            return std::to_string(line) + ": a key or table name of more than " +
                   std::to_string(kMostParts) + " parts";
        if ((c == '[' || c == '{') && ++nesting > kMostNesting)
            return std::to_string(line) + ": more than " + std::to_string(kMostNesting) +
                   " lists or tables inside each other";
        if (c == ']' || c == '}') nesting = std::max(0, nesting - 1);
        if (c == '#') i = std::min(text.find('\n', i), text.size());
        else ++i;
        if (c == '\n') ++line;
        if (c != '.' && c != ' ' && c != '\t' && !inNumber(c)) dots = 0;
    }
    return {};
}

}  // namespace

std::string tomlValue(const Value& value)
{
    std::ostringstream out;
    std::visit(
        [&out](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Lines>) {
                out << "[\n";
                for (const auto& line : v)
                    out << "    " << toml::toml_formatter{toml::value<std::string>(latin1ToUtf8(line)), kFormat}
                        << ",\n";
                out << "]";
            } else if constexpr (std::is_same_v<T, std::string>) {
                out << toml::toml_formatter{toml::value<std::string>(latin1ToUtf8(v)), kFormat};
            } else {
                out << toml::toml_formatter{toml::value<T>(v), kFormat};
            }
        },
        value);
    return out.str();
}

std::string readTomlKeys(std::string_view text, TomlKeys& out)
{
    if (auto error = tooDeep(text); !error.empty()) return error;
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& e) {
        return std::to_string(e.source().begin.line) + ": " + std::string(e.description());
    }
    if (auto error = KeyReader(out, text).readRoot(root); !error.empty()) return error;
    std::vector<std::pair<int, std::string>> byLine;
    for (const auto& [path, v] : out.keys) byLine.emplace_back(v.line, path);
    std::stable_sort(byLine.begin(), byLine.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [line, path] : byLine) out.order.push_back(std::move(path));
    return "";
}

}  // namespace quelvar::text
