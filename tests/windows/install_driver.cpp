// Does what a user does with an installed browser and its uninstaller, for the
// installer test, which runs it under Wine:
//
//   skelvane_install_driver.exe run PROGRAM MASTER
//     starts PROGRAM --master MASTER, waits until its window is up and its
//     first refresh has completed, prints the status text and the number of
//     listed servers, and leaves the browser running.
//   skelvane_install_driver.exe hold FILE MILLISECONDS
//     keeps FILE open as the system keeps a running program's file, with
//     neither writing nor deleting shared, prints "held" and lets it go after
//     MILLISECONDS: a browser that runs where no window of it can be seen.
//   skelvane_install_driver.exe uninstall-removing-settings UNINSTALLER
//     starts the uninstaller, prints whether its box that removes the settings
//     starts ticked, ticks it, uninstalls and closes the uninstaller.
//
// Exit status 0 when every step was seen through, 1 otherwise.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

#include "res/resource.h"

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kBrowserTitle[] = L"Skelvane Server Browser";
constexpr wchar_t kUninstallerTitleEnd[] = L" Uninstall";
// The setup program's own button that goes on to the next page.
constexpr int kNextButton = 1;

void Print(const wchar_t* label, const std::wstring& text) {
    char line[1024];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, line,
                                           static_cast<int>(sizeof line), nullptr, nullptr);
    std::printf("%ls: %s\n", label, length > 0 ? line : "");
    std::fflush(stdout);
}

bool Fail(const wchar_t* what) {
    Print(L"failed", what);
    return false;
}

// Asks until `found` gives a window or the time is up.
template <typename Find>
HWND WaitFor(Find found, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = found()) {
            return window;
        }
        if (GetTickCount() - start > timeoutMs) {
            return nullptr;
        }
        Sleep(100);
    }
}

// The text of a window of another process, which only a message reads.
std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

using TitleTest = std::function<bool(const std::wstring&)>;

struct DialogSearch {
    const TitleTest* matches;
    HWND found;
};

BOOL CALLBACK OfferDialog(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == kDialogClass &&
        (*search.matches)(TextOf(window))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible dialog whose title passes `matches`.
HWND FindDialog(const TitleTest& matches) {
    DialogSearch search{&matches, nullptr};
    EnumWindows(OfferDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A child control of `parent`, at any depth, of the given class and text.
HWND FindControl(HWND parent, const wchar_t* className, const wchar_t* text) {
    HWND child = nullptr;
    while ((child = FindWindowExW(parent, child, nullptr, nullptr)) != nullptr) {
        wchar_t childClass[64] = L"";
        GetClassNameW(child, childClass, 64);
        if (std::wstring(childClass) == className && TextOf(child) == text) {
            return child;
        }
        if (HWND inner = FindControl(child, className, text)) {
            return inner;
        }
    }
    return nullptr;
}

bool Start(const std::wstring& commandLine) {
    std::wstring writable = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool RunBrowser(const std::wstring& program, const std::wstring& master) {
    if (!Start(L"\"" + program + L"\" --master " + master)) {
        return Fail(L"the browser did not start");
    }
    const HWND window = WaitFor(
        [] { return FindDialog([](const std::wstring& t) { return t == kBrowserTitle; }); }, 20000);
    if (window == nullptr) {
        return Fail(L"no browser window");
    }
    Print(L"window", TextOf(window));
    const HWND statusBar = GetDlgItem(window, IDC_STATUSBAR);
    const HWND completed = WaitFor(
        [&] { return TextOf(statusBar).rfind(L"Completed.", 0) == 0 ? statusBar : nullptr; },
        30000);
    Print(L"status", TextOf(statusBar));
    DWORD_PTR rows = 0;
    SendMessageTimeoutW(GetDlgItem(window, IDC_SERVERLIST), LVM_GETITEMCOUNT, 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &rows);
    Print(L"rows", std::to_wstring(rows));
    return completed != nullptr || Fail(L"the refresh did not complete");
}

bool HoldFile(const std::wstring& path, DWORD milliseconds) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail(L"the file did not open");
    }
    Print(L"held", path);
    Sleep(milliseconds);
    CloseHandle(file);
    return true;
}

bool ClickAndWait(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool UninstallRemovingSettings(const std::wstring& uninstaller) {
    if (!Start(L"\"" + uninstaller + L"\"")) {
        return Fail(L"the uninstaller did not start");
    }
    // It runs on from a copy of itself, so it is found by its title.
    const auto isUninstaller = [](const std::wstring& t) {
        return t.rfind(kBrowserTitle, 0) == 0 && EndsWith(t, kUninstallerTitleEnd);
    };
    const HWND window = WaitFor([&] { return FindDialog(isUninstaller); }, 20000);
    const wchar_t kBoxText[] = L"&Remove my settings and the data the browser keeps for me";
    const HWND box =
        window ? WaitFor([&] { return FindControl(window, L"Button", kBoxText); }, 5000) : nullptr;
    if (box == nullptr) {
        return Fail(L"no uninstaller page with the box for the settings");
    }
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    Print(L"box at start", state == BST_CHECKED ? L"ticked" : L"unticked");
    const HWND next = GetDlgItem(window, kNextButton);
    if (!ClickAndWait(box) || !ClickAndWait(next)) {
        return Fail(L"the uninstaller took no click");
    }
    // The same button closes the uninstaller once it has done its work.
    const HWND close = WaitFor(
        [&] { return TextOf(next) == L"&Close" && IsWindowEnabled(next) ? next : nullptr; }, 20000);
    if (close == nullptr) {
        return Fail(L"the uninstaller did not finish");
    }
    ClickAndWait(close);
    const bool closed =
        WaitFor([&] { return IsWindow(window) ? nullptr : window; }, 10000) != nullptr;
    return closed || Fail(L"the uninstaller did not close");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"run" && argc == 4) {
        return RunBrowser(argv[2], argv[3]) ? 0 : 1;
    }
    if (command == L"hold" && argc == 4) {
        return HoldFile(argv[2], static_cast<DWORD>(_wtoi(argv[3]))) ? 0 : 1;
    }
    if (command == L"uninstall-removing-settings" && argc == 3) {
        return UninstallRemovingSettings(argv[2]) ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: skelvane_install_driver run PROGRAM MASTER\n"
                 "       skelvane_install_driver hold FILE MILLISECONDS\n"
                 "       skelvane_install_driver uninstall-removing-settings UNINSTALLER\n");
    return 64;
}
