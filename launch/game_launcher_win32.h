#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace skelvane {

// What joining a server needs from the browser.
struct GameJoin {
    // The owner of the message boxes: the main window.
    HWND owner = nullptr;
    // The game directory setting; a directory found by a search is stored here.
    std::span<char16_t> gameDirectory;
    const char16_t* gameExecutable = u"";
    std::function<void(const char16_t*)> showStatus;
    // The chosen server's address text, read once any search is over; nothing
    // when its record can no longer be read.
    std::function<std::optional<std::u16string>()> serverAddress;
};

// Starts the game connected to the server, after searching the fixed drives
// for it when no game directory is set. True when the game has started: the
// browser closes then. False, with the reason in the status bar and, where
// the user must act, a message box, when nothing was started; the settings
// are then as the search left them.
bool LaunchGame(const GameJoin& join);

}  // namespace skelvane
