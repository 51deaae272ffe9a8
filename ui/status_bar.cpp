#include "ui/status_bar.h"

#include <commctrl.h>

#include "engine/status_text.h"
#include "res/resource.h"
#include "ui/status_bar_parts.h"
#include "ui/wide_text.h"

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

}  // namespace

HWND CreateStatusBar(HWND mainWindow, HINSTANCE instance) {
    RECT client{};
    GetClientRect(mainWindow, &client);
    const int width = client.right - client.left;
    // The bar sizes itself to its font and keeps to the bottom of its parent.
    HWND statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, width,
                                     0, mainWindow, nullptr, instance, nullptr);
    if (statusBar == nullptr) {
        return nullptr;
    }
    SetParts(statusBar, width);
    SetWindowLongPtrW(statusBar, GWLP_ID, IDC_STATUSBAR);
    SetPartIcon(statusBar, instance, kPlayersPart, IDI_PLAYER, 16);
    SetPartIcon(statusBar, instance, kServersPart, IDI_SERVER, 16);
    SetPartIcon(statusBar, instance, kMessagePart, IDI_INFO, 14);
    ShowStatus(statusBar, u"Updating Server List...");
    UpdateCounts(statusBar, 0, 0);
    return statusBar;
}

void ShowStatus(HWND statusBar, const char16_t* text) {
    if (statusBar == nullptr) {
        return;
    }
    char16_t shown[kStatusTextCapacity];
    FormatStatus(shown, u"%s", {text});
    SetPartText(statusBar, kMessagePart, shown);
}

void UpdateCounts(HWND statusBar, std::int32_t shownPlayers, std::int32_t shownServers) {
    char16_t text[kCountTextCapacity];
    FormatCountText(text, shownPlayers, u"Player");
    SetPartText(statusBar, kPlayersPart, text);
    FormatCountText(text, shownServers, u"Server");
    SetPartText(statusBar, kServersPart, text);
}

}  // namespace skelvane
