#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace skelvane {

// The whole of a file, or nothing, with why in `error`, when it cannot be read
// or holds more than `maxBytes` bytes.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string& error);

}  // namespace skelvane
