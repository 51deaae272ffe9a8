#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "lists/result.h"

namespace skelvane {

// The whole of a file; a failure when it cannot be read or holds more than
// `maxBytes` bytes.
Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file with `text` through a new file beside it that is moved
// over it, so that an interrupted write leaves the old file or the new one,
// never a part.
Result<> WriteFileWhole(const std::filesystem::path& path, std::string_view text);

// A path as a failure names it: in UTF-8, whatever the system's own encoding.
std::string PathText(const std::filesystem::path& path);

}  // namespace skelvane
