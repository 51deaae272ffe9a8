#pragma once

#include <windows.h>

#include <optional>

#include "sizer/sizer_layout.h"

namespace skelvane {

// Makes a window built from a fixed layout resizable: its controls move and
// stretch with the client area as the anchor table says, the window cannot be
// tracked smaller than it is at attach time (nor larger than `maxTrackSize`
// when one is given), and with `showGrip` a size grip is drawn in its
// bottom-right corner. The table, up to its end row, is copied. The state lives
// on the process heap in the window's properties and goes with the window.
//
// 1 on success. 0 when the window does not exist, is attached already, or
// memory runs out; the window is then left exactly as it was.
int SizerAttach(HWND window, const SizerAnchor* anchors, bool showGrip,
                std::optional<SIZE> maxTrackSize);

// The same with the state on a heap of the caller's.
int SizerAttachOnHeap(HANDLE heap, HWND window, const SizerAnchor* anchors, bool showGrip,
                      std::optional<SIZE> maxTrackSize);

// Moves the anchored controls for a new client size, all in one step. Does
// nothing for a window without the sizer or when the size has not changed.
void SizerRelayout(int width, int height, HWND window);

// The size grip's rectangle for a client size, from the scroll-bar metrics.
RECT SizerGripRect(int width, int height);

}  // namespace skelvane
