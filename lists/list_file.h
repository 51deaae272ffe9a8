#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace skelvane {

// One entry of a list file and the number of its line (1 = first).
struct ListEntry {
    std::string_view text;
    std::size_t lineNumber = 0;
};

// The entries of a list file, one a line, as the command-line programs read
// them: blank lines and lines that start with '#' are skipped, and spaces,
// tabs and a carriage return around an entry are dropped. The entries point
// into `text`.
std::vector<ListEntry> ListFileEntries(std::string_view text);

}  // namespace skelvane
