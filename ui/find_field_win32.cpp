#include "ui/find_field_win32.h"

#include "browse/server_find.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// The field's row in dialog units: the label, the field and the gap to the
// list below them.
constexpr RECT kLabelDialogUnits{0, 2, 22, 10};
constexpr int kFieldHeightDialogUnits = 12;
constexpr int kGapBelowFieldDialogUnits = 3;

RECT InDialogUnits(HWND mainWindow, RECT units) {
    MapDialogRect(mainWindow, &units);
    return units;
}

RECT ControlBounds(HWND mainWindow, HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

HWND CreateControl(HWND mainWindow, DWORD exStyle, const wchar_t* className, const wchar_t* text,
                   DWORD style, const RECT& bounds, int id) {
    HWND control = CreateWindowExW(
        exStyle, className, text, WS_CHILD | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, mainWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE)), nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(mainWindow, WM_GETFONT, 0, 0), FALSE);
    // Before the list in the tab order, as it is above it on the screen.
    SetWindowPos(control, GetDlgItem(mainWindow, IDC_SERVERS_GROUP), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return control;
}

// The label and the field are made when the field is first opened, over the
// list's top edge, which then moves below them. A window that never opens the
// field has no edit control: under Wine the first edit control of a window
// slows every key press that the window takes afterwards.
HWND CreateFindRow(HWND mainWindow) {
    const RECT list = ControlBounds(mainWindow, GetDlgItem(mainWindow, IDC_SERVERLIST));
    RECT label = InDialogUnits(mainWindow, kLabelDialogUnits);
    OffsetRect(&label, list.left, list.top);
    const RECT fieldHeight = InDialogUnits(mainWindow, {0, 0, 0, kFieldHeightDialogUnits});
    const RECT field{label.right, list.top, list.right, list.top + fieldHeight.bottom};
    CreateControl(mainWindow, 0, L"Static", L"Find:", SS_LEFT | SS_NOPREFIX, label, IDC_FIND_LABEL);
    HWND edit = CreateControl(mainWindow, WS_EX_CLIENTEDGE, L"Edit", L"",
                              WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, field, IDC_FIND);
    SendMessageW(edit, EM_LIMITTEXT, kFindTextCapacity - 1, 0);
    return edit;
}

// The list's top edge moves by `shift` pixels and its bottom edge stays, so
// that the field and the list share the Servers box. The sizer moves the
// controls from where they are, so it keeps either layout.
void MoveListTop(HWND mainWindow, int shift) {
    HWND list = GetDlgItem(mainWindow, IDC_SERVERLIST);
    const RECT bounds = ControlBounds(mainWindow, list);
    SetWindowPos(list, nullptr, bounds.left, bounds.top + shift, bounds.right - bounds.left,
                 bounds.bottom - bounds.top - shift, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The room the field takes above the list: its own height and the gap.
int FieldRowHeight(HWND mainWindow, HWND field) {
    const RECT bounds = ControlBounds(mainWindow, field);
    return bounds.bottom - bounds.top +
           InDialogUnits(mainWindow, {0, 0, 0, kGapBelowFieldDialogUnits}).bottom;
}

void ShowFieldRow(HWND mainWindow, HWND field, bool show) {
    MoveListTop(mainWindow,
                show ? FieldRowHeight(mainWindow, field) : -FieldRowHeight(mainWindow, field));
    ShowWindow(GetDlgItem(mainWindow, IDC_FIND_LABEL), show ? SW_SHOWNA : SW_HIDE);
    ShowWindow(field, show ? SW_SHOWNA : SW_HIDE);
    // The box's background where the field was, or where the list was.
    InvalidateRect(mainWindow, nullptr, TRUE);
}

}  // namespace

void OpenFindField(HWND mainWindow) {
    HWND field = GetDlgItem(mainWindow, IDC_FIND);
    if (field == nullptr) {
        field = CreateFindRow(mainWindow);
    }
    if (!IsWindowVisible(field)) {
        ShowFieldRow(mainWindow, field, true);
    }
    SendMessageW(mainWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

void OnFindFieldChange(Presentation& view, HWND mainWindow) {
    char16_t text[kFindTextCapacity] = {};
    GetDlgItemTextW(mainWindow, IDC_FIND, AsWide(text), kFindTextCapacity);
    ApplyFindText(view, text);
}

bool CloseFocusedFindField(Presentation& view, HWND mainWindow) {
    HWND field = GetDlgItem(mainWindow, IDC_FIND);
    if (field == nullptr || GetFocus() != field) {
        return false;
    }
    SetWindowTextW(field, L"");
    ApplyFindText(view, u"");
    // The focus leaves first: a hidden window would keep it.
    SendMessageW(mainWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(view.serverList), TRUE);
    ShowFieldRow(mainWindow, field, false);
    return true;
}

}  // namespace skelvane
