#pragma once

#include <cstddef>
#include <string>

#include "lists/result.h"

namespace skelvane {

// The whole of a file; a failure when it cannot be read or holds more than
// `maxBytes` bytes.
Result<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes);

// Replaces the file with `text` through a new file beside it that is renamed
// over it, so that an interrupted write leaves the old file or the new one,
// never a part.
Result<> WriteFileWhole(const std::string& path, const std::string& text);

}  // namespace skelvane
