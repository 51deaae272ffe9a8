#include "platform/file_replace.h"

#include <cstdio>

namespace skelvane {

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace skelvane
