#include "ui/status_bar_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "browse/status_bar_parts.h"
#include "engine/status_text.h"
#include "platform/clock.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/out_of_sight_win32.h"

namespace skelvane {

namespace {

enum StatusPart : int { kMessagePart = 0, kPlayersPart = 1, kServersPart = 2 };

void SetPartText(HWND statusBar, int part, const char16_t* text) {
    SendMessageW(statusBar, SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(AsWide(text)));
}

void SetPartIcon(HWND statusBar, HINSTANCE instance, int part, int iconId, int width) {
    const auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, 14, LR_DEFAULTCOLOR));
    SendMessageW(statusBar, SB_SETICON, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(icon));
}

void SetParts(HWND statusBar, int clientWidth) {
    const auto edges = StatusBarEdges(clientWidth);
    int rightEdges[3] = {edges[0], edges[1], edges[2]};
    SendMessageW(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
}

// Parts already waiting keep their order with the new text: all go out together.
bool MustWait(StatusBar& bar, std::uint32_t now) {
    for (bool waiting : bar.isWaiting) {
        if (waiting) {
            return true;
        }
    }
    return !bar.throttle.TryNow(now);
}

// Out of sight, the latest texts wait without a timer until the window is
// shown again (FlushStatusBar).
void WritePart(StatusBar& bar, int part, const char16_t* text) {
    if (bar.window == nullptr) {
        return;
    }
    char16_t shown[kStatusTextCapacity];
    CopyText(shown, text);
    const std::uint32_t now = MillisecondClock();
    const bool outOfSight = IsOutOfSight(GetParent(bar.window));
    if (!outOfSight && !MustWait(bar, now)) {
        SetPartText(bar.window, part, shown);
        return;
    }
    std::copy(std::begin(shown), std::end(shown), bar.waiting[part]);
    bar.isWaiting[part] = true;
    if (!outOfSight) {
        SetTimer(GetParent(bar.window), bar.timer, bar.throttle.WaitMs(now) + 1, nullptr);
    }
}

}  // namespace

bool CreateStatusBar(StatusBar& bar, HWND mainWindow, HINSTANCE instance) {
    RECT client{};
    GetClientRect(mainWindow, &client);
    const int width = client.right - client.left;
    // The bar sizes itself to its font and keeps to the bottom of its parent.
    // A group of its own: otherwise the arrow keys move the focus on from
    // Exit, the last button, into the bar, where it helps nobody.
    bar.window = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_GROUP, 0, 0,
                                 width, 0, mainWindow, nullptr, instance, nullptr);
    if (bar.window == nullptr) {
        return false;
    }
    SetParts(bar.window, width);
    SetWindowLongPtrW(bar.window, GWLP_ID, IDC_STATUSBAR);
    SetPartIcon(bar.window, instance, kPlayersPart, IDI_PLAYER, 16);
    SetPartIcon(bar.window, instance, kServersPart, IDI_SERVER, 16);
    SetPartIcon(bar.window, instance, kMessagePart, IDI_INFO, 14);
    ShowStatus(bar, u"Updating Server List...");
    UpdateCounts(bar, 0, 0);
    FlushStatusBar(bar);
    return true;
}

void ShowStatus(StatusBar& bar, const char16_t* text) {
    WritePart(bar, kMessagePart, text);
}

void UpdateCounts(StatusBar& bar, std::int32_t shownPlayers, std::int32_t shownServers) {
    char16_t text[kCountTextCapacity];
    FormatCountText(text, shownPlayers, u"Player");
    WritePart(bar, kPlayersPart, text);
    FormatCountText(text, shownServers, u"Server");
    WritePart(bar, kServersPart, text);
}

void FlushStatusBar(StatusBar& bar) {
    if (bar.window == nullptr || IsOutOfSight(GetParent(bar.window))) {
        return;
    }
    KillTimer(GetParent(bar.window), bar.timer);
    for (int part = 0; part < 3; ++part) {
        if (bar.isWaiting[part]) {
            SetPartText(bar.window, part, bar.waiting[part]);
            bar.isWaiting[part] = false;
        }
    }
}

}  // namespace skelvane
