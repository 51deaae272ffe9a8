#include "lists/list_file.h"

#include <algorithm>

namespace skelvane {

namespace {

std::string_view Trimmed(std::string_view line) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && isSpace(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && isSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::vector<ListEntry> ListFileEntries(std::string_view text) {
    std::vector<ListEntry> entries;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (!line.empty() && line.front() != '#') {
            entries.push_back(ListEntry{line, lineNumber});
        }
    }
    return entries;
}

}  // namespace skelvane
