#include "app/main_notify_win32.h"

#include "app/browser_win32.h"
#include "app/join_server_win32.h"
#include "res/resource.h"
#include "ui/player_list_view_win32.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// The handlers below answer notifications of features that are not built yet:
// buddy highlighting, and the player rows with their sorting and view switch.
// They are routed already so that each feature only fills in its handler.
LRESULT OnListCustomDraw(HWND, const NMLVCUSTOMDRAW&) {
    return CDRF_DODEFAULT;
}
void FillPlayerCell(NMLVDISPINFOW&) {}
void SortPlayerList(int) {}
void TogglePlayerView() {}

// A result for the list goes through DWLP_MSGRESULT.
INT_PTR Answer(HWND mainWindow, LRESULT result) {
    SetWindowLongPtrW(mainWindow, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR OnServerListNotify(Browser& browser, NMHDR& header) {
    Presentation& view = browser.view;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillServerCell(view, reinterpret_cast<NMLVDISPINFOW&>(header));
            return 0;
        case LVN_ODFINDITEMW:
            return Answer(browser.mainWindow,
                          FindServerRow(view, reinterpret_cast<const NMLVFINDITEMW&>(header)));
        case LVN_COLUMNCLICK:
            OnServerColumnClick(view, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        case LVN_ITEMCHANGED:
            if (!view.followingRecord) {
                FillPlayerList(view);
            }
            return 0;
        case NM_CUSTOMDRAW:
            return Answer(
                browser.mainWindow,
                OnListCustomDraw(header.hwndFrom, reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        case NM_DBLCLK:
            JoinServer(browser, reinterpret_cast<const NMITEMACTIVATE&>(header));
            return 0;
        default:
            return 0;
    }
}

INT_PTR OnPlayerListNotify(Browser& browser, NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillPlayerCell(reinterpret_cast<NMLVDISPINFOW&>(header));
            return 0;
        case LVN_COLUMNCLICK:
            SortPlayerList(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        case NM_CUSTOMDRAW:
            return Answer(
                browser.mainWindow,
                OnListCustomDraw(header.hwndFrom, reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        case NM_RCLICK:
            TogglePlayerView();
            return 0;
        default:
            return 0;
    }
}

}  // namespace

INT_PTR OnNotify(Browser& browser, NMHDR& header) {
    switch (header.idFrom) {
        case IDC_SERVERLIST:
            return OnServerListNotify(browser, header);
        case IDC_PLAYERLIST:
            return OnPlayerListNotify(browser, header);
        default:
            return 0;
    }
}

}  // namespace skelvane
