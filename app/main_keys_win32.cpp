#include "app/main_keys_win32.h"

#include <iterator>

#include "res/resource.h"

namespace skelvane {

namespace {

enum KeyModifiers : unsigned {
    kNoModifier = 0,
    kCtrl = 1,
    kShift = 2,
    kAlt = 4,
};

// Where the focus must be for a key to mean its command.
enum class KeyScope {
    kMainWindow,   // anywhere in the main window
    kServerList,   // in the server list: elsewhere the key keeps its usual meaning
    kOutsideText,  // anywhere in the main window but a text field, where it edits text
};

struct MainKey {
    UINT key;
    unsigned modifiers;
    KeyScope scope;
    // Sent to the main window as WM_COMMAND, as a menu or button would.
    int command;
};

// The browser's own keys. Other commands are given keys as rows here; the
// commands themselves are carried out by the main window's command routing
// (OnCommand). Enter elsewhere still presses the focused button, and keys not
// listed keep what the dialog manager and the lists make of them.
constexpr MainKey kMainKeys[] = {
    {VK_RETURN, kNoModifier, KeyScope::kServerList, IDM_JOIN_SERVER},
    {VK_F5, kNoModifier, KeyScope::kMainWindow, IDC_UPDATE},
    {'C', kCtrl, KeyScope::kOutsideText, IDM_COPY_ADDRESS},
    {'J', kCtrl, KeyScope::kMainWindow, IDM_QUICK_JOIN},
    // The context-menu key. Shift+F10 and the right button reach the menu as
    // WM_CONTEXTMENU from the list.
    {VK_APPS, kNoModifier, KeyScope::kServerList, IDM_SERVER_MENU},
    {'F', kCtrl, KeyScope::kMainWindow, IDM_FIND},
    {VK_F3, kNoModifier, KeyScope::kMainWindow, IDM_FIND},
    {VK_RETURN, kAlt, KeyScope::kServerList, IDM_SERVER_DETAILS},
};

unsigned ModifiersDown() {
    unsigned modifiers = kNoModifier;
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        modifiers |= kCtrl;
    }
    if ((GetKeyState(VK_SHIFT) & 0x8000) != 0) {
        modifiers |= kShift;
    }
    if ((GetKeyState(VK_MENU) & 0x8000) != 0) {
        modifiers |= kAlt;
    }
    return modifiers;
}

bool IsTextField(HWND window) {
    wchar_t className[8] = L"";
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    return lstrcmpiW(className, L"Edit") == 0;
}

bool IsInScope(HWND mainWindow, HWND target, KeyScope scope) {
    if (scope == KeyScope::kServerList) {
        return target == GetDlgItem(mainWindow, IDC_SERVERLIST);
    }
    if (scope == KeyScope::kOutsideText && IsTextField(target)) {
        return false;
    }
    return target == mainWindow || IsChild(mainWindow, target);
}

// Keys pressed with Alt come as the system's key messages.
bool IsKeyMessage(const MSG& message) {
    return message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
           message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP;
}

const MainKey* FindKey(HWND mainWindow, const MSG& message) {
    if (!IsKeyMessage(message)) {
        return nullptr;
    }
    const unsigned modifiers = ModifiersDown();
    for (const MainKey& key : kMainKeys) {
        if (key.key == message.wParam && key.modifiers == modifiers &&
            IsInScope(mainWindow, message.hwnd, key.scope)) {
            return &key;
        }
    }
    return nullptr;
}

// The command comes once per press: a key held down repeats, and a command
// that toggles (Update and Abort) or starts the game must not. The release is
// taken as well, so that the system makes nothing else of the key (it would
// open a second menu for the context-menu key).
bool IsPress(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
           (message.lParam & (LPARAM{1} << 30)) == 0;
}

}  // namespace

bool TakeMainWindowInput(HWND mainWindow, MSG& message) {
    if (const MainKey* key = FindKey(mainWindow, message)) {
        if (IsPress(message)) {
            SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(key->command, 1), 0);
        }
        return true;
    }
    return IsDialogMessageW(mainWindow, &message) != FALSE;
}

}  // namespace skelvane
