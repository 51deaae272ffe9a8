#include "app/browser_entry_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/main_dialog_win32.h"
#include "app/main_keys_win32.h"
#include "res/resource.h"

namespace skelvane {

namespace {

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv != nullptr && i < count; ++i) {
        args.emplace_back(argv[i]);
    }
    LocalFree(argv);
    return args;
}

void SetSmallIcon(HWND window, HINSTANCE instance) {
    const auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (icon != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace

std::unique_ptr<Browser> CreateMainWindow(HINSTANCE instance, const BrowserOptions& options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    auto browser = std::make_unique<Browser>();
    browser->instance = instance;
    browser->commandLineMasters = options.masters;
    browser->engine->timing = options.timing;
    // The dialog's WM_INITDIALOG records the window; a window created without
    // it having run does not count.
    CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc,
                       reinterpret_cast<LPARAM>(browser.get()));
    if (browser->mainWindow == nullptr) {
        return nullptr;
    }
    SetSmallIcon(browser->mainWindow, instance);
    return browser;
}

int RunMessageLoop(HWND mainWindow) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return kExitStartFailed;
        }
        // The main window's keys, or the dialog manager's keyboard of the
        // window of its own that the message is for (the details).
        if (!TakeMainWindowInput(mainWindow, message) &&
            !IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

int RunBrowser(HINSTANCE instance) {
    const ParsedBrowserOptions parsed = ParseBrowserOptions(CommandLineArguments());
    if (!parsed.options) {
        MessageBoxW(nullptr, parsed.error.c_str(), L"Skelvane Server Browser",
                    MB_OK | MB_ICONERROR);
        return kExitBadCommandLine;
    }
    const std::unique_ptr<Browser> browser = CreateMainWindow(instance, *parsed.options);
    if (browser == nullptr) {
        return kExitStartFailed;
    }
    const int exitCode = RunMessageLoop(browser->mainWindow);
    // A window whose start failed is left standing; it must not keep the state
    // that goes now.
    ForgetBrowser(browser->mainWindow);
    return exitCode;
}

}  // namespace skelvane
