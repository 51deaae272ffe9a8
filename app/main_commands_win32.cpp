#include "app/main_commands_win32.h"

#include "app/browser_win32.h"
#include "app/buddy_watch_win32.h"
#include "app/config_dialog_win32.h"
#include "app/server_commands_win32.h"
#include "app/server_details_win32.h"
#include "app/server_menu_win32.h"
#include "res/resource.h"
#include "ui/find_field_win32.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

HWND Control(const Browser& browser, int id) {
    return GetDlgItem(browser.mainWindow, id);
}

void OnExitButton(const Browser& browser) {
    DestroyWindow(browser.mainWindow);
}

void OnFilterChange(Browser& browser) {
    ApplyFilterChange(browser.view, browser.mainWindow);
    PublishRefreshSettings(browser.settings, browser.engine->settings);
}

}  // namespace

void OnUpdateButton(Browser& browser) {
    if (IsRefreshInProgress(*browser.engine)) {
        AbortRefresh(*browser.engine);
        EnableWindow(Control(browser, IDC_UPDATE), FALSE);
        return;
    }
    // No refresh thread reads the sources until the one started here.
    browser.engine->sources.given = browser.settings.favourites.servers;
    SetWindowTextW(Control(browser, IDC_UPDATE), L"Abort");
    EnableWindow(Control(browser, IDC_CONFIG), FALSE);
    StartRefresh(browser.engine);
    DetailsRefreshStateChanged(browser);
}

void OnRefreshEnded(Browser& browser) {
    // The engine has already cleared its running flag. A click handled since
    // then has started the next refresh, whose controls must stay as they are.
    if (IsRefreshInProgress(*browser.engine)) {
        return;
    }
    SetWindowTextW(Control(browser, IDC_UPDATE), L"Update");
    EnableWindow(Control(browser, IDC_CONFIG), TRUE);
    EnableWindow(Control(browser, IDC_UPDATE), TRUE);
    DetailsRefreshStateChanged(browser);
    OnWatchedRefreshEnded(browser);
}

void OnCommand(Browser& browser, int controlId) {
    switch (controlId) {
        case IDC_EXIT:
            OnExitButton(browser);
            break;
        case IDC_CONFIG:
            RunConfigDialog(browser);
            break;
        case IDC_UPDATE:
            OnUpdateButton(browser);
            break;
        case IDC_SHOWFULL:
        case IDC_SHOWEMPTY:
            OnFilterChange(browser);
            break;
        case IDM_JOIN_SERVER:
            JoinSelectedServer(browser);
            break;
        case IDM_COPY_ADDRESS:
            CopySelectedAddress(browser);
            break;
        case IDM_SERVER_MENU:
            ShowServerMenu(browser, -1);
            break;
        case IDM_FIND:
            OpenFindField(browser.mainWindow);
            break;
        case IDC_FIND:
            OnFindFieldChange(browser.view, browser.mainWindow);
            break;
        case IDCANCEL:
            // Escape, which closes the find field while it has the focus.
            CloseFocusedFindField(browser.view, browser.mainWindow);
            break;
        case IDM_SERVER_DETAILS:
            OpenSelectedServerDetails(browser);
            break;
        case IDC_DETAILS_JOIN:
            JoinDetailsServer(browser);
            break;
        case IDC_DETAILS_REFRESH:
            RefreshDetailsServer(browser);
            break;
        case IDM_REFRESH_SERVER:
            RefreshSelectedServer(browser);
            break;
        case IDM_ADD_FAVOURITE:
            AddSelectedToFavourites(browser);
            break;
        case IDM_REMOVE_FAVOURITE:
            RemoveSelectedFromFavourites(browser);
            break;
        case IDM_QUICK_JOIN:
            QuickJoin(browser);
            break;
        case IDM_WATCH_BUDDIES:
            SetWatching(browser, !IsWatching(browser));
            break;
        case IDM_SHOW_WINDOW:
            ShowMainWindow(browser);
            break;
        default:
            // Among others the dialog manager's OK: Enter must not close the
            // browser, and neither must Escape (IDCANCEL) anywhere.
            break;
    }
}

}  // namespace skelvane
