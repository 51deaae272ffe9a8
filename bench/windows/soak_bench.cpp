// Refreshes a local test network again and again in the real main window and
// prints what the process holds after every tenth refresh: its committed
// private memory, its working set, its kernel handles, its GDI objects and
// its USER objects. First whole refreshes, each of which must end with every
// server answered, then refreshes aborted once half of the servers are
// listed. Growth after the first few refreshes is a leak.
//
//   soak_bench.exe MASTER_HOST:PORT SERVERS [COMPLETED] [ABORTED]
//
// Where the system does not count GDI or USER objects (Wine), the GDI objects
// are counted in the process's shared GDI handle table and the USER objects
// stand for the windows of the process; the line says so.

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "bench/windows/bench_support.h"
#include "engine/host_and_port.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/status_bar_win32.h"

namespace skelvane {
namespace {

// Memory committed to the process alone, its heaps among it.
std::size_t CommittedPrivateBytes() {
    std::size_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr;
         VirtualQuery(at, &region, sizeof region) == sizeof region && region.RegionSize != 0;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            committed += region.RegionSize;
        }
    }
    return committed;
}

std::size_t WorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? counters.WorkingSetSize
               : 0;
}

template <typename Function>
Function NtdllFunction(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// The system's list of every open handle, of which the process's are counted
// where the process cannot be asked for its count.
struct SystemHandleEntry {
    ULONG ownerProcess;
    UCHAR type;
    UCHAR flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

long HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
        return static_cast<long>(count);
    }
    const auto query =
        NtdllFunction<NTSTATUS(NTAPI*)(ULONG, void*, ULONG, ULONG*)>("NtQuerySystemInformation");
    std::vector<char> buffer(1 << 20);
    NTSTATUS status = 0;
    while (query != nullptr &&
           (status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) == kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (query == nullptr || status != 0) {
        return -1;
    }
    const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(void*));
    long mine = 0;
    for (ULONG i = 0; i < entries; ++i) {
        mine += entry[i].ownerProcess == GetCurrentProcessId() ? 1 : 0;
    }
    return mine;
}

// Wine keeps the GDI objects of a process in a table shared with it, as the
// process environment block says; an entry in use has a type.
struct SharedGdiEntry {
    UINT64 object;
    UINT owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
constexpr int kSharedGdiEntries = 0x10000;

long SharedGdiObjects() {
    const auto queryProcess =
        NtdllFunction<NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*)>(
            "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic{};
    if (queryProcess == nullptr || queryProcess(GetCurrentProcess(), ProcessBasicInformation,
                                                &basic, sizeof basic, nullptr) != 0) {
        return -1;
    }
    const std::size_t tableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const auto* block = reinterpret_cast<const char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const SharedGdiEntry* const*>(block + tableOffset);
    if (table == nullptr) {
        return -1;
    }
    long used = 0;
    for (int i = 0; i < kSharedGdiEntries; ++i) {
        used += table[i].type != 0 ? 1 : 0;
    }
    return used;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

long ProcessWindows() {
    long count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A count of GUI objects from the system, or nothing where it has none.
bool GuiObjects(DWORD kind, long& count) {
    SetLastError(0);
    count = static_cast<long>(GetGuiResources(GetCurrentProcess(), kind));
    return count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

void PrintFigures(const char* phase, int refreshes) {
    long gdi = 0;
    long user = 0;
    const bool counted = GuiObjects(GR_GDIOBJECTS, gdi) && GuiObjects(GR_USEROBJECTS, user);
    if (!counted) {
        gdi = SharedGdiObjects();
        user = ProcessWindows();
    }
    std::printf(
        "phase=%s refreshes=%d private_kb=%zu working_set_kb=%zu handles=%ld gdi=%ld "
        "user=%ld user_kind=%s\n",
        phase, refreshes, CommittedPrivateBytes() / 1024, WorkingSetBytes() / 1024, HandleCount(),
        gdi, user, counted ? "objects" : "windows");
    std::fflush(stdout);
}

std::wstring StatusText(const Browser& browser) {
    HWND bar = browser.view.statusBar.window;
    std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find(L'\0'));
    return text;
}

class Soak {
  public:
    Soak(Browser& browser, int servers) : browser_(browser), servers_(servers) {}

    // One refresh; when `abortAtHalf`, aborted once the sweep has listed half
    // the servers (the list keeps the last refresh's rows until the sweep
    // begins). Gives the status text it ended with.
    std::wstring Refresh(bool abortAtHalf) {
        const HWND window = browser_.mainWindow;
        SendMessageW(window, WM_COMMAND, IDC_UPDATE, 0);
        bool swept = false;
        bool aborted = !abortAtHalf;
        PumpUntil(window, [&] {
            const int rows = ListView_GetItemCount(browser_.view.serverList);
            swept = swept || rows == 0;
            if (swept && !aborted && rows >= servers_ / 2) {
                SendMessageW(window, WM_COMMAND, IDC_UPDATE, 0);
                aborted = true;
            }
            return HasEnded();
        });
        FlushStatusBar(browser_.view.statusBar);
        return StatusText(browser_);
    }

    // Whether the last refresh has ended for the user: Update is usable again.
    bool HasEnded() const {
        return !IsRefreshInProgress(*browser_.engine) &&
               IsWindowEnabled(GetDlgItem(browser_.mainWindow, IDC_CONFIG));
    }

  private:
    Browser& browser_;
    int servers_;
};

int Run(const MasterServer& master, int servers, int completed, int aborted) {
    timeBeginPeriod(1);
    const QuietMainWindow opened = OpenQuietMainWindow();
    if (opened.browser == nullptr) {
        return 1;
    }
    Browser& browser = *opened.browser;
    Soak soak(browser, servers);
    PumpUntil(browser.mainWindow, [&] { return soak.HasEnded(); });
    browser.engine->masters = {master};
    browser.engine->timing = RefreshTiming{};
    browser.engine->settings.packetsPerSecond = 1000000;
    PrintFigures("start", 0);

    const std::wstring whole = L"Completed. " + std::to_wstring(servers) + L" of " +
                               std::to_wstring(servers) + L" servers responded.";
    int wrong = 0;
    for (int i = 1; i <= completed; ++i) {
        const std::wstring status = soak.Refresh(false);
        if (status != whole) {
            ++wrong;
            std::fprintf(stderr, "refresh %d ended: %ls\n", i, status.c_str());
        }
        if (i % 10 == 0) {
            PrintFigures("completed", i);
        }
    }
    for (int i = 1; i <= aborted; ++i) {
        const std::wstring status = soak.Refresh(true);
        if (status.rfind(L"Aborted. ", 0) != 0) {
            ++wrong;
            std::fprintf(stderr, "aborted refresh %d ended: %ls\n", i, status.c_str());
        }
        if (i % 10 == 0) {
            PrintFigures("aborted", i);
        }
    }
    std::printf("refreshes_not_as_expected=%d\n", wrong);
    DestroyWindow(browser.mainWindow);
    return wrong == 0 ? 0 : 2;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const auto master = argc >= 3 ? ParseHostAndPort(argv[1], kMasterPort) : std::nullopt;
    const int servers = argc >= 3 ? std::atoi(argv[2]) : 0;
    const int completed = argc >= 4 ? std::atoi(argv[3]) : 100;
    const int aborted = argc >= 5 ? std::atoi(argv[4]) : 30;
    if (!master || servers <= 0 || completed < 0 || aborted < 0) {
        std::fprintf(stderr, "usage: soak_bench MASTER_HOST:PORT SERVERS [COMPLETED] [ABORTED]\n");
        return 64;
    }
    return Run(MasterServer{master->host, master->port}, servers, completed, aborted);
}
