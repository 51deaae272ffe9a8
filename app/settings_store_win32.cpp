#include "app/settings_store_win32.h"

#include "platform/udp_socket.h"
#include "res/resource.h"

namespace skelvane {

void LoadSettings(HWND mainWindow, ViewSettings& view, RefreshSettings& refresh) {
    refresh.packetsPerSecond.store(10);
    view.goodPingThreshold = 100;
    view.mediumPingThreshold = 200;
    view.playerViewStyle = 0;
    refresh.showEmpty.store(1);
    refresh.showFull.store(1);
    CheckDlgButton(mainWindow, IDC_SHOWEMPTY, BST_CHECKED);
    CheckDlgButton(mainWindow, IDC_SHOWFULL, BST_CHECKED);
}

void SaveSettings() {
    StopNetworking();
}

}  // namespace skelvane
