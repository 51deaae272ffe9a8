#pragma once

#include <windows.h>

#include <commctrl.h>

namespace skelvane {

// The server list's images, in the order of ServerImage: the server, the three
// ping lights, then the operating systems. Lives until the process ends.
HIMAGELIST CreateServerImageList(HINSTANCE instance);

// The player list's single image.
HIMAGELIST CreatePlayerImageList(HINSTANCE instance);

}  // namespace skelvane
