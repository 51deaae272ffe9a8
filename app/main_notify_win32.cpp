#include "app/main_notify_win32.h"

#include "app/browser_win32.h"
#include "app/join_server_win32.h"
#include "res/resource.h"
#include "ui/buddy_highlight_win32.h"
#include "ui/player_list_view_win32.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// A result for the list goes through DWLP_MSGRESULT.
INT_PTR Answer(HWND mainWindow, LRESULT result) {
    SetWindowLongPtrW(mainWindow, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR AnswerCustomDraw(Browser& browser, NMHDR& header) {
    return Answer(browser.mainWindow,
                  OnListCustomDraw(browser.view, reinterpret_cast<NMLVCUSTOMDRAW&>(header)));
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
        // An owner-data list reports a selection that moves with the
        // keyboard partly as a change of a range of rows.
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED:
            if (!view.followingRecord) {
                FillPlayerList(view);
            }
            return 0;
        case NM_CUSTOMDRAW:
            return AnswerCustomDraw(browser, header);
        case NM_DBLCLK:
            JoinServer(browser, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
            return 0;
        default:
            return 0;
    }
}

INT_PTR OnPlayerListNotify(Browser& browser, NMHDR& header) {
    Presentation& view = browser.view;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillPlayerCell(view, reinterpret_cast<NMLVDISPINFOW&>(header));
            return 0;
        case LVN_COLUMNCLICK:
            SortPlayerList(view, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        case NM_CUSTOMDRAW:
            return AnswerCustomDraw(browser, header);
        case NM_RCLICK:
            TogglePlayerView(view, browser.isXpOrLater);
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
