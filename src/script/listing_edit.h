#pragma once
// What the function selection dialog and the function editor do to texts, kept
// apart from the widgets: the typed-name rule, the description store and the
// listing being edited line by line with its current line.

#include "model/setup.h"
#include "script/tally_script.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelvar {

// Blanks and control characters removed at both ends.
std::string trimBlanks(std::string_view text);

// A name typed into the instruction or an operand box: trimmed, first character
// raised to upper case. A TAB inside would split the listing line into the wrong
// fields, so it becomes a blank.
std::string typedName(std::string_view text);

// The description of function n (0..15) as the selection dialog shows it.
std::string functionDescription(const FunctionDescriptions& store, int n);
// Stores text into slot n, cut to 255 characters; false when n names no slot.
bool storeFunctionDescription(FunctionDescriptions& store, int n, std::string_view text);

// The function number the selection dialog goes to for a typed number: the
// number itself when it names a slot, else function 1.
int selectableFunctionNumber(long long typed);

// A listing being edited: its lines and the line shown in the five boxes. The
// current line always addresses an existing line while there is one, so Enter on
// the last line and deleting the last line keep it on the last line.
class ListingEdit {
public:
    explicit ListingEdit(std::vector<std::string> lines);

    const std::vector<std::string>& lines() const { return m_lines; }
    std::size_t current() const { return m_current; }

    // The fields of the current line (its first 255 characters); nothing when
    // there is no line or it lacks a TAB.
    std::optional<ListingLine> currentFields() const;
    // Replaces the current line by the boxes' texts after applying the typed-name
    // rule (and trimming the comment); returns the texts to write back.
    ListingLine store(const ListingLine& boxes);

    void next();                   // Enter: the following line, if there is one
    void select(std::size_t row);  // a row picked in the list
    void insertEmpty();            // an empty line before the current one
    void removeCurrent();

private:
    void clampCurrent();

    std::vector<std::string> m_lines;
    std::size_t m_current = 0;
};

}  // namespace quelvar
