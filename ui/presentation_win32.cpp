#include "ui/presentation_win32.h"

#include <commctrl.h>

#include "res/resource.h"
#include "ui/image_lists_win32.h"
#include "ui/player_list_view_win32.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

HWND InitPresentation(Presentation& view, HWND mainWindow, HINSTANCE instance) {
    HWND serverList = GetDlgItem(mainWindow, IDC_SERVERLIST);
    SetListExtendedStyles(serverList);
    if (!InsertServerColumns(serverList, *view.settings)) {
        return nullptr;
    }
    view.playerList = GetDlgItem(mainWindow, IDC_PLAYERLIST);
    SetListExtendedStyles(view.playerList);
    if (!InsertPlayerColumns(view.playerList)) {
        return nullptr;
    }
    CreateStatusBar(view.statusBar, mainWindow, instance);
    ListView_SetImageList(serverList, CreateServerImageList(instance), LVSIL_SMALL);
    // A row's overlay, the favourite's star, is asked for with its text.
    ListView_SetCallbackMask(serverList, LVIS_OVERLAYMASK);
    ListView_SetImageList(view.playerList, CreatePlayerImageList(instance), LVSIL_SMALL);
    return serverList;
}

}  // namespace skelvane
