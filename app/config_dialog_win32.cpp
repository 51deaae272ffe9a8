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

// Each field and its text, in the order the dialog fills them.
struct FieldOfDialog {
    int id;
    std::u16string ConfigFields::*text;
};
constexpr FieldOfDialog kFields[] = {
    {IDC_GAMEPATH, &ConfigFields::gameDirectory}, {IDC_GAMEEXE, &ConfigFields::gameExecutable},
    {IDC_QPS, &ConfigFields::queryRate},          {IDC_GOODPING, &ConfigFields::goodPing},
    {IDC_MEDIUMPING, &ConfigFields::mediumPing},  {IDC_BUDDIES, &ConfigFields::buddyText},
};

ConfigFields ReadFields(HWND dialog) {
    ConfigFields fields;
    for (const FieldOfDialog& field : kFields) {
        fields.*field.text = FieldText(dialog, field.id);
    }
    return fields;
}

void FillFields(HWND dialog, const ConfigFields& fields) {
    for (const FieldOfDialog& field : kFields) {
        SetFieldText(dialog, field.id, fields.*field.text);
    }
}

// Every row of a list paints again, with the new buddies and thresholds.
void RedrawRows(HWND list) {
    const int rows = ListView_GetItemCount(list);
    if (rows > 0) {
        ListView_RedrawItems(list, 0, rows - 1);
    }
}

// What the dialog works on: the browser, and its fields as they read once
// filled, which may differ from what they were given (a field keeps what it
// can hold). A field that reads the same at the end was not changed.
struct ConfigDialogState {
    Browser& browser;
    ConfigFields filled;
};

void ApplyConfig(HWND dialog, ConfigDialogState& state) {
    Browser& browser = state.browser;
    Settings& settings = browser.settings;
    ApplyConfigFields(state.filled, ReadFields(dialog), settings);
    browser.view.buddies = ParseBuddyList(settings.buddyText);
    PublishRefreshSettings(settings, browser.engine->settings);
    RedrawRows(browser.view.serverList);
    RedrawRows(browser.view.playerList);
    UpdateWindow(browser.view.serverList);
    UpdateWindow(browser.view.playerList);
}

ConfigDialogState& StateOfDialog(HWND dialog) {
    return *reinterpret_cast<ConfigDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR OnInitDialog(HWND dialog, ConfigDialogState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    FillFields(dialog, ConfigFieldsOf(state.browser.settings));
    state.filled = ReadFields(dialog);
    // TRUE gives the first field, the game path, the focus.
    return TRUE;
}

INT_PTR ApplyAndClose(HWND dialog) {
    ApplyConfig(dialog, StateOfDialog(dialog));
    EndDialog(dialog, 0);
    return TRUE;
}

// There is no Cancel: OK and the close box both apply, and every other
// command, the Cancel that Escape sends among them, does nothing.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, *reinterpret_cast<ConfigDialogState*>(lParam));
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
    ConfigDialogState state{browser, {}};
    DialogBoxParamW(browser.instance, MAKEINTRESOURCEW(IDD_CONFIG), browser.mainWindow,
                    ConfigDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace skelvane
