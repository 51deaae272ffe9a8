#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// Why a file could not be read or written.
enum class FileProblem { kNone, kCannotRead, kTooLarge, kCannotWrite, kCannotReplace };

// The whole of a file, or nothing, with why in `problem`, when it cannot be
// read or holds more than `maxBytes` bytes.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes,
                                        FileProblem& problem);

// Replaces the file with `text` through a new file beside it that is moved
// over it, so that an interrupted write leaves the old file or the new one,
// never a part. kNone when it was written.
FileProblem WriteFileWhole(const std::filesystem::path& path, std::string_view text);

// The problem in words, for a user who named the file as `shownPath`.
std::string DescribeFileProblem(FileProblem problem, const std::string& shownPath,
                                std::size_t maxBytes);

}  // namespace skelvane
