// Closing the real program while a refresh runs: the process must end at once,
// whatever the refresh is waiting for, with exit code 0 and its settings saved.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/support/test_support.h"
#include "tests/support/wait_until.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/game_drives.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

struct FoundWindow {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM found) {
    auto& wanted = *reinterpret_cast<FoundWindow*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.processId && IsWindowVisible(window)) {
        wanted.window = window;
        return FALSE;
    }
    return TRUE;
}

// The browser in a process of its own, asking the given master.
class RunningBrowser {
  public:
    explicit RunningBrowser(std::uint16_t masterPort) {
        std::wstring commandLine = L"\"" + BuiltProgram(L"app\\skelvane-browser.exe") +
                                   L"\" --master 127.0.0.1:" + std::to_wstring(masterPort);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    ~RunningBrowser() {
        if (started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
        }
        if (started_) {
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }

    HWND MainWindow() {
        FoundWindow found{process_.dwProcessId, nullptr};
        WaitUntil(
            [&] {
                EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&found));
                return found.window != nullptr;
            },
            10000);
        return found.window;
    }

    // Closes the window as the user would and gives the milliseconds until the
    // process had ended, or a negative number when it had not after 5 s.
    long CloseAndTime(bool viaExitButton, DWORD& exitCode) {
        HWND window = MainWindow();
        const DWORD start = GetTickCount();
        if (viaExitButton) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
        } else {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
            return -1;
        }
        const long elapsed = static_cast<long>(GetTickCount() - start);
        GetExitCodeProcess(process_.hProcess, &exitCode);
        return elapsed;
    }

    // Unticks Full as the user would, so that the saved settings tell.
    void UntickFull() {
        HWND window = MainWindow();
        HWND box = GetDlgItem(window, IDC_SHOWFULL);
        SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SHOWFULL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(box));
    }

    bool started() const { return started_; }

  private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

struct Moment {
    const char* name;
    // The network the browser refreshes, and when to close it.
    std::function<bool(const FakeMaster&, const FakeServers&)> reached;
    bool masterAnswers;
    bool masterSplits;
    int servers;
};

TEST(Shutdown, ClosingMidRefreshEndsTheProcessAtOnceWithExitCodeZeroAndTheSettingsSaved) {
    const Moment moments[] = {
        {"before the master answers",
         [](const FakeMaster& master, const FakeServers&) { return !master.Requests().empty(); },
         false, false, 2},
        {"between the master's datagrams",
         [](const FakeMaster& master, const FakeServers&) {
             return !master.Requests().empty() &&
                    ElapsedMs(MillisecondClock(), master.RequestTimes().front()) > 200;
         },
         true, true, 2},
        {"right after the hand-over",
         [](const FakeMaster&, const FakeServers& servers) { return servers.Queries(0) > 0; }, true,
         false, 20},
        {"mid-sweep",
         [](const FakeMaster&, const FakeServers& servers) { return servers.Queries(6) > 0; }, true,
         false, 20},
        {"in the last wait for late answers",
         [](const FakeMaster&, const FakeServers& servers) { return servers.Queries(1) == 3; },
         true, false, 2},
    };
    bool viaExitButton = false;
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        FakeServers servers(
            std::vector<FakeServers::Behaviour>(moment.servers, FakeServers::Silent()));
        FakeMaster::Script script{{}, {servers.MasterAnswer()}, 0};
        if (!moment.masterAnswers) {
            script.answerRequests = {999};
        }
        if (moment.masterSplits) {
            script.datagrams.insert(script.datagrams.begin(), MasterDatagram().Build());
            script.gapMs = 900;
        }
        FakeMaster master(script);
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
        RunningBrowser browser(master.port());
        ASSERT_TRUE(browser.started());
        ASSERT_NE(browser.MainWindow(), nullptr);
        browser.UntickFull();
        ASSERT_TRUE(WaitUntil([&] { return moment.reached(master, servers); }, 15000));
        viaExitButton = !viaExitButton;
        DWORD exitCode = 99;
        const long elapsed = browser.CloseAndTime(viaExitButton, exitCode);
        ASSERT_GE(elapsed, 0) << "the process did not end";
        EXPECT_LT(elapsed, 500) << "the close waited for the refresh";
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(SavedNumber(kShowFullValue), 0);
        EXPECT_EQ(SavedNumber(kVersionValue), 2);
        RecordProperty(std::string("closeMs ") + moment.name, static_cast<int>(elapsed));
    }
}

}  // namespace
}  // namespace skelvane::test
