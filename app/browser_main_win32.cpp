// skelvane-browser: the Windows program's entry.

#include <windows.h>

#include "app/browser_entry_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return skelvane::RunBrowser(instance);
}
