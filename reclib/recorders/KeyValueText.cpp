#include "recorders/KeyValueText.h"

#include <algorithm>
#include <cctype>

namespace reclib {

std::string trimmed(std::string_view text)
{
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && isSpace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return std::string(text);
}

KeyValueText KeyValueText::parse(std::string_view text)
{
    KeyValueText result;
    std::string section;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;

        const size_t hash = raw.find('#');
        const std::string line = trimmed(raw.substr(0, hash));
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = trimmed(std::string_view(line).substr(1, line.size() - 2));
            result.sections.push_back({section, lineNumber});
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            result.problems.push_back("line " + std::to_string(lineNumber) + ": expected \"key = value\"");
            continue;
        }
        std::string key = trimmed(std::string_view(line).substr(0, equals));
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const int sectionIndex = static_cast<int>(result.sections.size()) - 1;
        result.lines.push_back(
            {lineNumber, section, sectionIndex, key, trimmed(std::string_view(line).substr(equals + 1))});
    }
    return result;
}

} // namespace reclib
