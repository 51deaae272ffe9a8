#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace skelvane {

// The info line of the latest answer of each server of the current table, by
// record index, for a front end that shows a server's rules on request. A
// refresh thread keeps lines while the UI thread reads them, so every call
// takes the class's own lock, and only for the copy.
class KeptInfoLines {
  public:
    // Keeps the info line of `answer` for record `index`; an index outside
    // the table's bounds keeps nothing.
    void Keep(std::int32_t index, std::span<const std::uint8_t> answer);
    // The line kept for record `index`; empty when none is.
    std::string InfoLine(std::int32_t index) const;
    // Forgets every line: the table they belong to is going.
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace skelvane
