#include "app/config_dialog_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/browser_win32.h"
#include "browse/buddy_list.h"
#include "engine/refresh_defaults.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/config_fields.h"

namespace skelvane {

namespace {

std::u16string FieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, AsWide(text.data()), static_cast<int>(text.size()))));
    return text;
}

void SetFieldText(HWND dialog, int id, std::u16string_view text) {
    SetDlgItemTextW(dialog, id, AsWide(std::u16string(text).c_str()));
}

void FillFields(HWND dialog, const Settings& settings) {
    SetFieldText(dialog, IDC_GAMEPATH, GamePathText(settings.gameDirectory));
    SetFieldText(dialog, IDC_GAMEEXE, GamePathText(settings.gameExecutable));
    SetDlgItemInt(dialog, IDC_QPS, static_cast<UINT>(settings.packetsPerSecond), TRUE);
    SetDlgItemInt(dialog, IDC_GOODPING, static_cast<UINT>(settings.goodPingThreshold), TRUE);
    SetDlgItemInt(dialog, IDC_MEDIUMPING, static_cast<UINT>(settings.mediumPingThreshold), TRUE);
    SetFieldText(dialog, IDC_BUDDIES, settings.buddyText);
}

// Every row of a list paints again, with the new buddies and thresholds.
void RedrawRows(HWND list) {
    const int rows = ListView_GetItemCount(list);
    if (rows > 0) {
        ListView_RedrawItems(list, 0, rows - 1);
    }
}

// Thresholds are taken as typed, a zero included, until the next start; a
// query rate the sweep could not pace by becomes the default at once.
void ApplyConfig(HWND dialog, Browser& browser) {
    Settings& settings = browser.settings;
    TakeDirectoryField(FieldText(dialog, IDC_GAMEPATH), settings.gameDirectory);
    TakeTextField(FieldText(dialog, IDC_GAMEEXE), settings.gameExecutable);
    settings.packetsPerSecond = UsableQueryRate(ConfigNumber(FieldText(dialog, IDC_QPS)));
    settings.goodPingThreshold = ConfigNumber(FieldText(dialog, IDC_GOODPING));
    settings.mediumPingThreshold = ConfigNumber(FieldText(dialog, IDC_MEDIUMPING));
    settings.buddyText = FieldText(dialog, IDC_BUDDIES);
    browser.view.buddies = ParseBuddyList(settings.buddyText);
    PublishRefreshSettings(settings, browser.engine->settings);
    RedrawRows(browser.view.serverList);
    RedrawRows(browser.view.playerList);
    UpdateWindow(browser.view.serverList);
    UpdateWindow(browser.view.playerList);
}

Browser& BrowserOfDialog(HWND dialog) {
    return *reinterpret_cast<Browser*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR OnInitDialog(HWND dialog, Browser& browser) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&browser));
    FillFields(dialog, browser.settings);
    // TRUE gives the first field, the game path, the focus.
    return TRUE;
}

INT_PTR ApplyAndClose(HWND dialog) {
    ApplyConfig(dialog, BrowserOfDialog(dialog));
    EndDialog(dialog, 0);
    return TRUE;
}

// There is no Cancel: OK and the close box both apply, and every other
// command, the Cancel that Escape sends among them, does nothing.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, *reinterpret_cast<Browser*>(lParam));
        case WM_COMMAND:
            return LOWORD(wParam) == IDOK ? ApplyAndClose(dialog) : FALSE;
        case WM_CLOSE:
            return ApplyAndClose(dialog);
        default:
            return FALSE;
    }
}

}  // namespace

void RunConfigDialog(Browser& browser) {
    DialogBoxParamW(browser.instance, MAKEINTRESOURCEW(IDD_CONFIG), browser.mainWindow,
                    ConfigDialogProc, reinterpret_cast<LPARAM>(&browser));
}

}  // namespace skelvane
