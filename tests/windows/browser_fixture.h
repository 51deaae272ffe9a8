#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "engine/refresh_engine.h"

namespace skelvane::test {

// Runs the real main window in the test's own process, against a master on
// the loopback address. Every test leaves no refresh and no window behind;
// a failed one leaves a picture of the window in the working directory.
class BrowserWindowTest : public ::testing::Test {
  protected:
    // Every window starts as on a first start unless it is to keep the
    // settings that the registry holds and the master list kept on disk.
    HWND Open(std::uint16_t masterPort, const RefreshTiming& timing,
              bool keepStoredSettings = false);
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    HWND ServerList() const;
    // The open window's state.
    Browser& State() const { return *browser_; }
    RefreshState& Engine() const { return *browser_->engine; }
    // The record shown in each row of the server list, top to bottom.
    std::vector<std::int32_t> ServerRows() const;
    // A status bar part as the user sees it: once the texts that the bar holds
    // back while answers pour in have been written.
    std::wstring StatusPart(int part) const;
    std::wstring Status() const { return StatusPart(0); }

    // Until a refresh has ended and the Update button is usable again.
    bool WaitForRefreshEnd(std::uint32_t timeoutMs = 15000);
    void Click(int id);

    // What a refresh does to the table, with every server's answer already in:
    // `fill` writes record i. Nothing is listed until an answer is announced.
    void HandOverRecords(std::size_t count,
                         const std::function<void(ServerRecord&, std::size_t)>& fill);

    void TearDown() override;
    // Closes the open window, leaving no refresh running.
    void Close();

    HWND window_ = nullptr;
    std::unique_ptr<Browser> browser_;
};

// A timing for a quick refresh whose master phase fails at once.
RefreshTiming QuickFailingMaster();

// A number the browser saved in its settings, or -1 when there is none.
long SavedNumber(const char16_t* name);

}  // namespace skelvane::test
