#pragma once

#include <filesystem>

#include "engine/refresh_engine.h"

namespace skelvane {

// Where the browser keeps the master's last list: a folder of its own in the
// current user's local application data. Empty when the system names no
// such folder.
std::filesystem::path KeptListPath();

// Every master list that came whole is kept at `path`, and swept when the
// master phase fails; nothing when the path is empty.
void UseKeptList(ServerSources& sources, const std::filesystem::path& path);

}  // namespace skelvane
