#pragma once

#include <filesystem>

namespace skelvane {

// Puts the file `from` in the place of `to`, replacing any file there, in one
// step: whoever opens `to` finds the old file or the new one, never a part of
// either. Both lie in the same folder. False when the system refused; `from`
// is then left where it was.
bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace skelvane
