// The main window at other sizes: its controls, the columns of both lists and
// the size grip follow it; it never gets smaller than it starts.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <memory>
#include <vector>

#include "browse/column_widths.h"
#include "res/resource.h"
#include "sizer/sizer_layout.h"
#include "sizer/sizer_win32.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

// The controls and how each follows the window; the status bar keeps itself
// along the bottom and is looked at on its own.
constexpr std::array<std::array<int, 2>, 10> kAnchored = {{{IDC_CONFIG, 3},
                                                           {IDC_UPDATE, 3},
                                                           {IDC_EXIT, 3},
                                                           {IDC_SERVERLIST, 12},
                                                           {IDC_PLAYERLIST, 6},
                                                           {IDC_SERVERS_GROUP, 12},
                                                           {IDC_PLAYERS_GROUP, 6},
                                                           {IDC_CONTROLS_GROUP, 3},
                                                           {IDC_SHOWEMPTY, 3},
                                                           {IDC_SHOWFULL, 3}}};

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

// The client area's pixels: as the screen shows them, or as the window draws
// its background (and so the grip) into a bitmap of its own.
std::vector<COLORREF> ClientPixels(HWND window, bool background) {
    const SIZE size = ClientSize(window);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (background) {
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    } else {
        BitBlt(memory, 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    }
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    GetDIBits(memory, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

// Whether the grip's corner differs from the background beside it.
bool GripIsDrawn(HWND window) {
    const SIZE size = ClientSize(window);
    const std::vector<COLORREF> pixels = ClientPixels(window, true);
    const RECT grip = SizerGripRect(size.cx, size.cy);
    const COLORREF beside = pixels[grip.top * size.cx + grip.left - 2];
    for (int y = grip.top; y < grip.bottom; ++y) {
        for (int x = grip.left; x < grip.right; ++x) {
            if (pixels[y * size.cx + x] != beside) {
                return true;
            }
        }
    }
    return false;
}

class MainWindowSizing : public BrowserWindowTest {
  protected:
    void OpenAtStart() {
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{999}, {}, 0});
        ASSERT_NE(Open(master_->port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        GetWindowRect(window_, &startBounds_);
        startSize_ = ClientSize(window_);
        for (const auto& [id, flags] : kAnchored) {
            start_.push_back(ChildRect(window_, Control(id)));
        }
    }

    void Resize(int dx, int dy) {
        SetWindowPos(window_, nullptr, 0, 0, startBounds_.right - startBounds_.left + dx,
                     startBounds_.bottom - startBounds_.top + dy, SWP_NOMOVE | SWP_NOZORDER);
        PumpFor(10);
    }

    // Every control where its flags put it for the client area's change from
    // the start to `size`, and the columns at their shares of its width.
    void ExpectLayoutFor(SIZE size, const char* when) const {
        for (std::size_t i = 0; i < kAnchored.size(); ++i) {
            const auto [id, flags] = kAnchored[i];
            EXPECT_EQ(
                ChildRect(window_, Control(id)),
                AnchorRect(start_[i], flags, size.cx - startSize_.cx, size.cy - startSize_.cy))
                << when << ": control " << id;
        }
        const ScaledColumnWidths widths = ScaleColumnWidths(static_cast<std::uint16_t>(size.cx),
                                                            State().settings.playerViewStyle != 0);
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

    // The same for the client area's own size, with the status bar along
    // its bottom.
    void ExpectLayoutFollows(const char* when) const {
        const SIZE size = ClientSize(window_);
        ExpectLayoutFor(size, when);
        const SizerRect bar = ChildRect(window_, Control(IDC_STATUSBAR));
        EXPECT_EQ(bar.left, 0) << when;
        EXPECT_EQ(bar.right, size.cx) << when;
        EXPECT_EQ(bar.bottom, size.cy) << when;
    }

    std::unique_ptr<FakeMaster> master_;
    RECT startBounds_{};
    SIZE startSize_{};
    std::vector<SizerRect> start_;
};

TEST_F(MainWindowSizing, ControlsAndColumnsFollowEveryResizeAndItNeverShrinksBelowItsStart) {
    OpenAtStart();
    const std::array<std::array<int, 2>, 4> changes = {{{320, 200}, {90, 260}, {500, 0}, {0, 0}}};
    for (const auto& [dx, dy] : changes) {
        Resize(dx, dy);
        ExpectLayoutFollows("resized");
    }

    // Nothing of the old layout stays on the screen: what it shows after a
    // resize is what a full repaint shows.
    Resize(320, 200);
    PumpFor(50);
    const std::vector<COLORREF> resized = ClientPixels(window_, false);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(resized == ClientPixels(window_, false)) << "a resize left the old layout";

    MINMAXINFO limits{};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, startBounds_.right - startBounds_.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, startBounds_.bottom - startBounds_.top);

    // The details view of the player list gets all three of its columns.
    State().settings.playerViewStyle = 1;
    ListView_SetView(Control(IDC_PLAYERLIST), LV_VIEW_DETAILS);
    Resize(200, 100);
    ExpectLayoutFollows("details view");

    // A size message for the layout's own size moves nothing, not even a
    // control that was put elsewhere meanwhile.
    SetWindowPos(Control(IDC_EXIT), nullptr, 3, 4, 5, 6, SWP_NOZORDER);
    const SIZE size = ClientSize(window_);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
    EXPECT_EQ(ChildRect(window_, Control(IDC_EXIT)), (SizerRect{3, 4, 8, 10}));
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
    EXPECT_TRUE(GripIsDrawn(window_));

    ShowWindow(window_, SW_MAXIMIZE);
    PumpFor(30);
    ASSERT_TRUE(IsZoomed(window_));
    ExpectLayoutFollows("maximized");
    expectGripAnswers("maximized");
    EXPECT_FALSE(GripIsDrawn(window_)) << "maximized";
    ShowWindow(window_, SW_RESTORE);
    PumpFor(30);
    ExpectLayoutFollows("restored");
    EXPECT_TRUE(GripIsDrawn(window_)) << "restored";

    // Minimized, the window keeps its layout and its columns.
    ShowWindow(window_, SW_MINIMIZE);
    PumpFor(30);
    ASSERT_TRUE(IsIconic(window_));
    ExpectLayoutFor(startSize_, "minimized");
    ShowWindow(window_, SW_RESTORE);
    PumpFor(30);
    ExpectLayoutFollows("restored after minimizing");

    // A monitor left of and above the primary one has negative coordinates.
    SetWindowPos(window_, nullptr, -900, -700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    expectGripAnswers("at negative coordinates");
}

}  // namespace
}  // namespace skelvane::test
