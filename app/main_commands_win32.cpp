#include "app/main_commands_win32.h"

#include "app/browser_win32.h"
#include "res/resource.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

HWND Control(int id) {
    return GetDlgItem(gBrowser.mainWindow, id);
}

void OnExitButton() {
    DestroyWindow(gBrowser.mainWindow);
}

// The Config dialog comes with the settings it edits.
void OnConfigButton() {}

}  // namespace

void OnUpdateButton() {
    RefreshEngine& engine = gBrowser.engine;
    if (IsRefreshInProgress(engine)) {
        AbortRefresh(engine);
        EnableWindow(Control(IDC_UPDATE), FALSE);
        return;
    }
    SetWindowTextW(Control(IDC_UPDATE), L"Abort");
    EnableWindow(Control(IDC_CONFIG), FALSE);
    StartRefresh(engine);
}

void OnRefreshEnded() {
    // The engine has already cleared its running flag. A click handled since
    // then has started the next refresh, whose controls must stay as they are.
    if (IsRefreshInProgress(gBrowser.engine)) {
        return;
    }
    SetWindowTextW(Control(IDC_UPDATE), L"Update");
    EnableWindow(Control(IDC_CONFIG), TRUE);
    EnableWindow(Control(IDC_UPDATE), TRUE);
}

void OnCommand(int controlId) {
    switch (controlId) {
        case IDC_EXIT:
            OnExitButton();
            break;
        case IDC_CONFIG:
            OnConfigButton();
            break;
        case IDC_UPDATE:
            OnUpdateButton();
            break;
        case IDC_SHOWFULL:
        case IDC_SHOWEMPTY:
            ApplyFilterChange(gBrowser.view, gBrowser.mainWindow);
            break;
        default:
            // Among others the dialog manager's OK and Cancel: Enter and Escape
            // must not close the browser.
            break;
    }
}

}  // namespace skelvane
