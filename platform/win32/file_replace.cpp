#include "platform/file_replace.h"

#include <windows.h>

namespace skelvane {

// A plain rename fails on Windows when the target exists; asking to replace
// it makes the move the one step it is elsewhere. Write-through returns only
// once the move is on the disk.
bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace skelvane
