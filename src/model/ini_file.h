#pragma once
// A private-profile (INI) file, held as its text so that it can be updated in place.
// Section and key names match without regard to case; the first matching key wins,
// whichever of several sections of the same name holds it. Setting a key changes
// only that key's value, or adds a line at the end of its section (a missing
// section is added at the end of the file): every other line, comment (";") and
// blank line stays exactly as it was. A value ends at a ";" comment.
//
//   IniFile ini(text);                      // any bytes; nothing is refused
//   std::optional<int> baud = ini.integer("Com", "baud");
//   ini.setValue("Com", "baud", "9600");
//   write(ini.text());

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quelvar {

class IniFile {
public:
    explicit IniFile(std::string_view text = {});

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The value when it is a decimal integer (optionally signed) that fits an int.
    std::optional<int> integer(std::string_view section, std::string_view key) const;
    // Every key of the section, in file order, each with the value it is read as.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    void setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return m_text; }

private:
    struct Line {
        std::size_t begin = 0, end = 0;  // the line without its line end
        bool isSection = false;
        std::string name;  // the section's or the key's
        std::size_t valueBegin = 0, valueEnd = 0;
    };
    void parse();
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    std::size_t insertionPoint(std::string_view section) const;
    void insertLine(std::size_t at, const std::string& line);

    std::string m_text;
    std::vector<Line> m_lines;  // key lines and section headers only
};

}  // namespace quelvar
