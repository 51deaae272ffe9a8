#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace skelvane::test {

// One item of a pop-up menu as it was shown.
struct MenuItemSeen {
    std::wstring text;
    bool enabled = false;
    bool isDefault = false;
    bool checked = false;
    friend bool operator==(const MenuItemSeen&, const MenuItemSeen&) = default;
};

// Runs `open`, which is to make the window show a pop-up menu, reads the menu
// once it is up and chooses the item with the mnemonic `key` as a user typing
// it would; a key no item has closes the menu with no choice. Gives the items,
// none when no menu came up within a second.
std::vector<MenuItemSeen> ChooseFromMenu(const std::function<void()>& open, wchar_t key);

// The item texts alone.
std::vector<std::wstring> MenuTexts(const std::vector<MenuItemSeen>& items);

}  // namespace skelvane::test
