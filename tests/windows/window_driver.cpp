#include "tests/windows/window_driver.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "app/main_keys_win32.h"

namespace skelvane::test {

namespace {

int gQuitCode = -1;
HWND gDialog = nullptr;

void PumpWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            gQuitCode = static_cast<int>(message.wParam);
            continue;
        }
        if (gDialog == nullptr || !IsWindow(gDialog) || !TakeMainWindowInput(gDialog, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

void SetPumpDialog(HWND dialog) {
    gDialog = dialog;
}

bool PumpUntil(const std::function<bool()>& done, std::uint32_t timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpWaiting();
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpFor(std::uint32_t milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

int TakeQuitCode() {
    const int code = gQuitCode;
    gQuitCode = -1;
    return code;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring StatusPartText(HWND mainWindow, int part) {
    HWND bar = GetDlgItem(mainWindow, 140);
    wchar_t text[1100] = L"";
    const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
    if (length < 1100) {
        SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
    }
    return text;
}

int RowCount(HWND list) {
    return ListView_GetItemCount(list);
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t text[300] = L"";
    ListView_GetItemText(list, row, column, text, 300);
    return text;
}

int CellImage(HWND list, int row, int column) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    wchar_t text[300] = L"";
    item.pszText = text;
    item.cchTextMax = 300;
    item.iImage = -1;
    ListView_GetItem(list, &item);
    return item.iImage;
}

std::vector<std::int32_t> RowRecords(HWND list) {
    std::vector<std::int32_t> records;
    for (int row = 0; row < RowCount(list); ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(list, &item);
        records.push_back(static_cast<std::int32_t>(item.lParam));
    }
    return records;
}

void ClickColumn(HWND mainWindow, int listId, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = GetDlgItem(mainWindow, listId);
    click.hdr.idFrom = static_cast<UINT_PTR>(listId);
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(mainWindow, WM_NOTIFY, static_cast<WPARAM>(listId),
                 reinterpret_cast<LPARAM>(&click));
}

// Keys go to the window with the focus, which moves to a dialog's control
// as Tab moves it there (a push button then becomes the default one). The
// modifiers are set in the thread's key state, which is what the program
// reads for them; F10 is a system key, as Windows sends it.
void PressKey(HWND target, const KeyPress& press) {
    SendMessageW(GetParent(target), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE saved[3] = {state[VK_CONTROL], state[VK_SHIFT], state[VK_MENU]};
    state[VK_CONTROL] = press.ctrl ? 0x80 : 0;
    state[VK_SHIFT] = press.shift ? 0x80 : 0;
    state[VK_MENU] = press.alt ? 0x80 : 0;
    SetKeyboardState(state);
    // F10 and every key with Alt come as the system's key messages.
    const bool system = press.key == VK_F10 || press.alt;
    const LPARAM down = press.repeat ? (LPARAM{1} << 30) | 1 : 1;
    PostMessageW(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, press.key, down);
    PostMessageW(target, system ? WM_SYSKEYUP : WM_KEYUP, press.key,
                 static_cast<LPARAM>(0xC0000001u));
    PumpFor(50);
    state[VK_CONTROL] = saved[0];
    state[VK_SHIFT] = saved[1];
    state[VK_MENU] = saved[2];
    SetKeyboardState(state);
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void ClearClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // Copied from the screen: the window is shown on the virtual display, and
    // this way its child controls are in the picture too.
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    bool written = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(bits, imageBytes, 1, out) == 1;
        std::fclose(out);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

}  // namespace skelvane::test
