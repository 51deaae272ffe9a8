#pragma once

#include <algorithm>
#include <vector>

namespace skelvane {

// The median of benchmark runs: the middle value, or the mean of the two
// middle ones for an even count; zero for none.
template <typename T>
T Median(std::vector<T> values) {
    if (values.empty()) {
        return T{};
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace skelvane
