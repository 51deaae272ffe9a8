#include "tests/windows/menu_driver.h"

#include "tests/windows/window_driver.h"

namespace skelvane::test {

namespace {

struct PendingChoice {
    wchar_t key = 0;
    std::vector<MenuItemSeen> items;
    bool done = false;
};

PendingChoice gChoice;

std::vector<MenuItemSeen> ReadMenu(HMENU menu) {
    std::vector<MenuItemSeen> items;
    const UINT defaultId = GetMenuDefaultItem(menu, FALSE, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        items.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0, id == defaultId,
                         (state & MF_CHECKED) != 0});
    }
    return items;
}

// Runs inside the menu's own message loop, which dispatches timers.
void CALLBACK OnMenuTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (gChoice.done || menuWindow == nullptr || !IsWindowVisible(menuWindow)) {
        return;
    }
    KillTimer(nullptr, timer);
    gChoice.done = true;
    gChoice.items = ReadMenu(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
    PostMessageW(menuWindow, WM_CHAR, gChoice.key, 0);
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

std::vector<MenuItemSeen> ChooseFromMenu(const std::function<void()>& open, wchar_t key) {
    gChoice = PendingChoice{key, {}, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, OnMenuTimer);
    open();
    PumpUntil([] { return gChoice.done; }, 1000);
    PumpFor(50);
    KillTimer(nullptr, timer);
    return gChoice.items;
}

std::vector<std::wstring> MenuTexts(const std::vector<MenuItemSeen>& items) {
    std::vector<std::wstring> texts;
    for (const MenuItemSeen& item : items) {
        texts.push_back(item.text);
    }
    return texts;
}

}  // namespace skelvane::test
