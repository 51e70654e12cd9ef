#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reclib {

// One "key = value" line of a plain-text configuration or state file.
struct KeyValueLine
{
    int lineNumber = 0;
    std::string section;   // the last "[section]" header above it, "" before any
    int sectionIndex = -1; // that header's place in KeyValueText::sections, -1 before any
    std::string key;       // lower case, trimmed
    std::string value;     // trimmed, comment removed
};

// Reads "key = value" lines grouped under "[section]" headers. Blank lines
// and everything after '#' are ignored; CR LF and LF line ends are both
// accepted. A line that is neither a header nor an assignment is reported
// in problems with its number.
struct KeyValueSection
{
    std::string name;
    int lineNumber = 0;
};

struct KeyValueText
{
    std::vector<KeyValueSection> sections; // in file order, also empty and repeated ones
    std::vector<KeyValueLine> lines;
    std::vector<std::string> problems;

    static KeyValueText parse(std::string_view text);
};

std::string trimmed(std::string_view text);

} // namespace reclib
