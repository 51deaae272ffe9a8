#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "launch/game_search.h"

namespace skelvane {

// Lists a directory with the file system's own enumeration, in its order.
bool ListDirectory(const std::u16string& pattern,
                   const std::function<bool(const ListedEntry&)>& visit);

// The search on this machine's drives, asking its questions in message boxes
// owned by `owner` and showing its progress through `showStatus`.
GameSearchHost MakeGameSearchHost(HWND owner, std::function<void(const char16_t*)> showStatus);

}  // namespace skelvane
