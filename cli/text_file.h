#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace skelvane {

// The whole of a file, or nothing, with why in `error`, when it cannot be read
// or holds more than `maxBytes` bytes.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string& error);

// Replaces the file with `text` through a new file beside it that is renamed
// over it, so that an interrupted write leaves the old file or the new one,
// never a part. False, with why in `error`, when it could not be written.
bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error);

}  // namespace skelvane
