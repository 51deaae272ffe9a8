// The main window at other sizes: its controls, the columns of both lists and
// the size grip follow it; it never gets smaller than it starts.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "res/resource.h"
#include "sizer/sizer_layout.h"
#include "sizer/sizer_win32.h"
#include "tests/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"
#include "ui/column_widths.h"

namespace skelvane::test {
namespace {

struct Anchored {
    int id;
    std::int32_t flags;
};

// The controls and how each follows the window; the status bar keeps itself
// along the bottom and is looked at separately.
constexpr std::array<Anchored, 10> kAnchored = {{
    {IDC_CONFIG, 3},
    {IDC_UPDATE, 3},
    {IDC_EXIT, 3},
    {IDC_SERVERLIST, 12},
    {IDC_PLAYERLIST, 6},
    {IDC_SERVERS_GROUP, 12},
    {IDC_PLAYERS_GROUP, 6},
    {IDC_CONTROLS_GROUP, 3},
    {IDC_SHOWEMPTY, 3},
    {IDC_SHOWFULL, 3},
}};

SizerRect ChildRect(HWND window, HWND child) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    return SizerRect{bounds.left, bounds.top, bounds.right, bounds.bottom};
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

// The client area's pixels as the screen shows them.
std::vector<COLORREF> ClientPixels(HWND window) {
    const SIZE size = ClientSize(window);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    GetDIBits(memory, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

class MainWindowSizing : public BrowserWindowTest {
  protected:
    void OpenAtStart() {
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{999}, {}, 0});
        ASSERT_NE(Open(master_->port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        startSize_ = ClientSize(window_);
        for (const Anchored& control : kAnchored) {
            start_.push_back(ChildRect(window_, Control(control.id)));
        }
    }

    void Resize(int width, int height) {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        PumpFor(10);
    }

    // Every control where its flags put it for the client area's change since
    // the start, and the columns at their shares of the client width.
    void ExpectLayoutFollows(const char* when) const {
        const SIZE size = ClientSize(window_);
        const int dx = size.cx - startSize_.cx;
        const int dy = size.cy - startSize_.cy;
        for (std::size_t i = 0; i < kAnchored.size(); ++i) {
            EXPECT_EQ(ChildRect(window_, Control(kAnchored[i].id)),
                      AnchorRect(start_[i], kAnchored[i].flags, dx, dy))
                << when << ": control " << kAnchored[i].id;
        }
        const SizerRect bar = ChildRect(window_, Control(IDC_STATUSBAR));
        EXPECT_EQ(bar.left, 0) << when;
        EXPECT_EQ(bar.right, size.cx) << when;
        EXPECT_EQ(bar.bottom, size.cy) << when;
        ExpectColumnWidthsFor(static_cast<std::uint16_t>(size.cx), when);
    }

    void ExpectColumnWidthsFor(std::uint16_t clientWidth, const char* when) const {
        const bool details = State().settings.playerViewStyle != 0;
        const ScaledColumnWidths widths = ScaleColumnWidths(clientWidth, details);
        for (int column = 0; column < kServerColumnCount; ++column) {
            EXPECT_EQ(ListView_GetColumnWidth(ServerList(), column), widths.server[column])
                << when << ": server column " << column;
        }
        for (int column = 0; column < widths.playerColumnsSet; ++column) {
            EXPECT_EQ(ListView_GetColumnWidth(Control(IDC_PLAYERLIST), column),
                      widths.player[column])
                << when << ": player column " << column;
        }
    }

    std::unique_ptr<FakeMaster> master_;
    SIZE startSize_{};
    std::vector<SizerRect> start_;
};

TEST_F(MainWindowSizing, ControlsAndColumnsFollowEveryResizeAndItNeverShrinksBelowItsStart) {
    OpenAtStart();
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    struct Step {
        int width;
        int height;
    };
    const Step steps[] = {{width + 320, height + 200},
                          {width + 90, height + 260},
                          {width + 500, height},
                          {width, height}};
    for (const Step& step : steps) {
        Resize(step.width, step.height);
        ExpectLayoutFollows("resized");
    }

    // Nothing of the old layout stays on the screen: what it shows after a
    // resize is what a full repaint shows.
    Resize(width + 320, height + 200);
    PumpFor(50);
    const std::vector<COLORREF> resized = ClientPixels(window_);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(resized == ClientPixels(window_)) << "the resize left pieces of the old layout";

    MINMAXINFO limits{};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, width);
    EXPECT_EQ(limits.ptMinTrackSize.y, height);

    // The details view of the player list gets all three of its columns.
    State().settings.playerViewStyle = 1;
    ListView_SetView(Control(IDC_PLAYERLIST), LV_VIEW_DETAILS);
    Resize(width + 200, height + 100);
    ExpectLayoutFollows("details view");
}

TEST_F(MainWindowSizing, MaximizingMinimizingAndRestoringKeepTheLayoutAndTheGrip) {
    OpenAtStart();
    const auto expectGripAnswers = [this](const char* when) {
        const SIZE size = ClientSize(window_);
        POINT corner{size.cx - 2, size.cy - 2};
        ClientToScreen(window_, &corner);
        EXPECT_EQ(SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)),
                  HTBOTTOMRIGHT)
            << when;
    };
    expectGripAnswers("at the start");

    ShowWindow(window_, SW_MAXIMIZE);
    PumpFor(30);
    ASSERT_TRUE(IsZoomed(window_));
    ExpectLayoutFollows("maximized");
    expectGripAnswers("maximized");
    ShowWindow(window_, SW_RESTORE);
    PumpFor(30);
    ExpectLayoutFollows("restored");

    ShowWindow(window_, SW_MINIMIZE);
    PumpFor(30);
    ASSERT_TRUE(IsIconic(window_));
    for (std::size_t i = 0; i < kAnchored.size(); ++i) {
        EXPECT_EQ(ChildRect(window_, Control(kAnchored[i].id)), start_[i]) << "minimized";
    }
    ExpectColumnWidthsFor(static_cast<std::uint16_t>(startSize_.cx), "minimized");
    ShowWindow(window_, SW_RESTORE);
    PumpFor(30);
    ExpectLayoutFollows("restored after minimizing");
}

}  // namespace
}  // namespace skelvane::test
