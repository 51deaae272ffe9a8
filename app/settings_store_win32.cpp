#include "app/settings_store_win32.h"

#include "platform/udp_socket.h"
#include "res/resource.h"

namespace skelvane {

void LoadSettings(HWND mainWindow, Settings& settings) {
    settings = Settings{};
    CheckDlgButton(mainWindow, IDC_SHOWEMPTY, BST_CHECKED);
    CheckDlgButton(mainWindow, IDC_SHOWFULL, BST_CHECKED);
}

void SaveSettings(HWND, const Settings&) {
    StopNetworking();
}

}  // namespace skelvane
