// The sizer on a window of its own: a plain top-level window with one child
// for every combination of anchor flags.

#include <windows.h>

#include <gtest/gtest.h>

#include <prsht.h>

#include <vector>

#include "sizer/sizer_win32.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

constexpr wchar_t kWindowClass[] = L"SkelvaneSizerTestWindow";
constexpr int kFirstChildId = 100;
constexpr int kMissingChildId = 999;

// What the window's own procedure saw.
struct OwnProcLog {
    int minMaxInfo = 0;
    int notify = 0;
    bool destroyedWithoutSizer = false;
};
OwnProcLog gLog;

LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO:
            ++gLog.minMaxInfo;
            break;
        case WM_NOTIFY:
            ++gLog.notify;
            break;
        case WM_DESTROY:
            gLog.destroyedWithoutSizer = GetPropW(window, L"SizerProperty") == nullptr &&
                                         GetPropW(window, L"SizerWindowProc") == nullptr &&
                                         GetWindowLongPtrW(window, GWLP_WNDPROC) ==
                                             reinterpret_cast<LONG_PTR>(&OwnWindowProc);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

RECT ChildRect(HWND window, int id) {
    RECT bounds{};
    GetWindowRect(GetDlgItem(window, id), &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

SizerRect AsSizerRect(const RECT& rect) {
    return SizerRect{rect.left, rect.top, rect.right, rect.bottom};
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

LRESULT HitTestClientPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

// Whether anything but the background is drawn in the grip's square when the
// window erases its background.
bool GripIsDrawn(HWND window) {
    const SIZE size = ClientSize(window);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    const RECT grip = SizerGripRect(size.cx, size.cy);
    const COLORREF background = GetPixel(memory, grip.left - 2, grip.top - 2);
    bool drawn = false;
    for (int y = grip.top; y < grip.bottom; ++y) {
        for (int x = grip.left; x < grip.right; ++x) {
            drawn = drawn || GetPixel(memory, x, y) != background;
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return drawn;
}

class Sizer : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassW(&windowClass);
        gLog = OwnProcLog{};
        window_ = CreateWindowExW(0, kWindowClass, L"Sizer", WS_OVERLAPPEDWINDOW, 40, 30, 520, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        // Every flag combination, each child in its own spot.
        for (int flags = 0; flags < 16; ++flags) {
            CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 10 + 25 * flags,
                            20 + 10 * flags, 20, 30, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstChildId + flags)),
                            GetModuleHandleW(nullptr), nullptr);
            anchors_.push_back(SizerAnchor{kFirstChildId + flags, flags});
        }
        // A row for a control the window does not have changes nothing.
        anchors_.insert(anchors_.begin() + 3, SizerAnchor{kMissingChildId, 15});
        anchors_.push_back(SizerAnchor{-1, -1});
        ShowWindow(window_, SW_SHOWNORMAL);
        PumpFor(20);
    }

    void TearDown() override {
        if (IsWindow(window_)) {
            DestroyWindow(window_);
        }
    }

    std::vector<RECT> ChildRects() const {
        std::vector<RECT> rects;
        for (int flags = 0; flags < 16; ++flags) {
            rects.push_back(ChildRect(window_, kFirstChildId + flags));
        }
        return rects;
    }

    // Every child sits where its flags put it for the client area's change
    // since `before` was taken at `beforeSize`.
    void ExpectChildrenFollowed(const std::vector<RECT>& before, SIZE beforeSize) const {
        const SIZE now = ClientSize(window_);
        for (int flags = 0; flags < 16; ++flags) {
            const SizerRect expected = AnchorRect(AsSizerRect(before[flags]), flags,
                                                  now.cx - beforeSize.cx, now.cy - beforeSize.cy);
            EXPECT_EQ(AsSizerRect(ChildRect(window_, kFirstChildId + flags)), expected)
                << "flags " << flags << " at " << now.cx << " x " << now.cy;
        }
    }

    void Resize(int width, int height) {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        PumpFor(10);
    }

    HWND window_ = nullptr;
    std::vector<SizerAnchor> anchors_;
};

TEST_F(Sizer, ControlsFollowEachResizeByTheirFlagsAndAZeroChangeMovesNothing) {
    ASSERT_EQ(SizerAttach(window_, anchors_.data(), true, std::nullopt), 1);
    const std::vector<RECT> start = ChildRects();
    const SIZE startSize = ClientSize(window_);
    const SIZE outer[] = {{700, 520}, {560, 640}, {900, 410}, {520, 400}};
    for (const SIZE& size : outer) {
        Resize(size.cx, size.cy);
        ExpectChildrenFollowed(start, startSize);
    }
    // Back at the attach size: every child is where it started.
    EXPECT_EQ(AsSizerRect(ChildRects()[15]), AsSizerRect(start[15]));

    // A size message for the size the layout already has moves nothing, not
    // even a child that was put elsewhere meanwhile.
    HWND child = GetDlgItem(window_, kFirstChildId + 15);
    SetWindowPos(child, nullptr, 3, 4, 5, 6, SWP_NOZORDER);
    const SIZE same = ClientSize(window_);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(same.cx, same.cy));
    EXPECT_EQ(AsSizerRect(ChildRect(window_, kFirstChildId + 15)), (SizerRect{3, 4, 8, 10}));
}

TEST_F(Sizer, TracksNoSmallerThanAtAttachAndNoLargerOnlyWhenAMaximumIsGiven) {
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    ASSERT_EQ(SizerAttach(window_, anchors_.data(), false, std::nullopt), 1);
    gLog.minMaxInfo = 0;
    Resize(800, 700);
    MINMAXINFO limits{};
    limits.ptMaxTrackSize = POINT{12345, 23456};
    limits.ptMaxSize = POINT{111, 222};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, bounds.right - bounds.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, bounds.bottom - bounds.top);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 12345);
    EXPECT_EQ(limits.ptMaxSize.y, 222);
    // The window's own answer is never asked for while the sizer is attached.
    EXPECT_EQ(gLog.minMaxInfo, 0);

    HWND bounded = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const SizerAnchor none[] = {{-1, -1}};
    ASSERT_EQ(SizerAttach(bounded, none, false, SIZE{640, 480}), 1);
    SendMessageW(bounded, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 300);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 640);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 480);
    DestroyWindow(bounded);
}

TEST_F(Sizer, TheGripAnswersTheHitTestAlwaysAndIsHiddenOnlyWhileMaximized) {
    ASSERT_EQ(SizerAttach(window_, anchors_.data(), true, std::nullopt), 1);
    const std::vector<RECT> start = ChildRects();
    const SIZE startSize = ClientSize(window_);
    const auto expectGripAnswers = [this](const char* when) {
        const SIZE size = ClientSize(window_);
        const RECT grip = SizerGripRect(size.cx, size.cy);
        EXPECT_EQ(HitTestClientPoint(window_, size.cx - 1, size.cy - 1), HTBOTTOMRIGHT) << when;
        EXPECT_EQ(HitTestClientPoint(window_, grip.left, grip.top), HTBOTTOMRIGHT) << when;
        EXPECT_EQ(HitTestClientPoint(window_, grip.left - 1, grip.top), HTCLIENT) << when;
        EXPECT_EQ(HitTestClientPoint(window_, grip.left, grip.top - 1), HTCLIENT) << when;
    };
    expectGripAnswers("restored");
    EXPECT_TRUE(GripIsDrawn(window_));

    ShowWindow(window_, SW_MAXIMIZE);
    PumpFor(20);
    ASSERT_TRUE(IsZoomed(window_));
    ExpectChildrenFollowed(start, startSize);
    expectGripAnswers("maximized");
    EXPECT_FALSE(GripIsDrawn(window_));

    ShowWindow(window_, SW_RESTORE);
    PumpFor(20);
    ExpectChildrenFollowed(start, startSize);
    EXPECT_TRUE(GripIsDrawn(window_));

    const auto expectUnmoved = [&](const char* when) {
        const std::vector<RECT> now = ChildRects();
        for (int flags = 0; flags < 16; ++flags) {
            EXPECT_EQ(AsSizerRect(now[flags]), AsSizerRect(start[flags])) << when << flags;
        }
    };
    ShowWindow(window_, SW_MINIMIZE);
    PumpFor(20);
    ASSERT_TRUE(IsIconic(window_));
    expectUnmoved("minimized");
    ShowWindow(window_, SW_RESTORE);
    PumpFor(20);
    expectUnmoved("restored after minimizing");

    // A monitor left of and above the primary one has negative coordinates.
    SetWindowPos(window_, nullptr, -900, -700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpFor(10);
    expectGripAnswers("at negative coordinates");

    const SizerAnchor none[] = {{-1, -1}};
    HWND gripless = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(SizerAttach(gripless, none, false, std::nullopt), 1);
    const SIZE size = ClientSize(gripless);
    EXPECT_EQ(HitTestClientPoint(gripless, size.cx - 1, size.cy - 1), HTCLIENT);
    EXPECT_FALSE(GripIsDrawn(gripless));
    DestroyWindow(gripless);
}

TEST_F(Sizer, AnActivatedPageLaysOutItsParentAndATopLevelWindowPassesTheNoticeOn) {
    ASSERT_EQ(SizerAttach(window_, anchors_.data(), false, std::nullopt), 1);
    const std::vector<RECT> start = ChildRects();
    HWND page = CreateWindowExW(0, kWindowClass, L"", WS_CHILD, 0, 0, 50, 50, window_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    const SizerAnchor none[] = {{-1, -1}};
    ASSERT_EQ(SizerAttach(page, none, false, std::nullopt), 1);

    // A size message for a size the window does not have leaves its layout
    // behind; the page's activation brings it back to the real client area.
    const SIZE real = ClientSize(window_);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(real.cx + 40, real.cy + 30));
    EXPECT_NE(AsSizerRect(ChildRects()[15]), AsSizerRect(start[15]));
    NMHDR notice{page, 0, static_cast<UINT>(PSN_SETACTIVE)};
    SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    for (int flags = 0; flags < 16; ++flags) {
        EXPECT_EQ(AsSizerRect(ChildRects()[flags]), AsSizerRect(start[flags])) << flags;
    }

    gLog.notify = 0;
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(real.cx + 40, real.cy + 30));
    const RECT moved = ChildRects()[15];
    notice.hwndFrom = window_;
    SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(AsSizerRect(ChildRects()[15]), AsSizerRect(moved));
    EXPECT_EQ(gLog.notify, 1);
}

TEST_F(Sizer, LeavesNothingBehindOnDestroyOrAFailedAttachAndAttachesOnce) {
    const auto ownProc = reinterpret_cast<LONG_PTR>(&OwnWindowProc);
    // A heap with room for the sizer's state but not for the table's copy.
    HANDLE small = HeapCreate(0, 0x4000, 0x4000);
    std::vector<SizerAnchor> big(4000, SizerAnchor{kFirstChildId, 3});
    big.push_back(SizerAnchor{-1, -1});
    void* room = HeapAlloc(small, 0, 256);
    ASSERT_NE(room, nullptr);
    HeapFree(small, 0, room);
    ASSERT_EQ(HeapAlloc(small, 0, big.size() * sizeof(SizerAnchor)), nullptr);
    EXPECT_EQ(SizerAttachOnHeap(small, window_, big.data(), true, std::nullopt), 0);
    EXPECT_EQ(GetWindowLongPtrW(window_, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(GetPropW(window_, L"SizerProperty"), nullptr);
    EXPECT_EQ(GetPropW(window_, L"SizerWindowProc"), nullptr);
    // The state went back to the heap too.
    EXPECT_NE(HeapAlloc(small, 0, 2048), nullptr);
    HeapDestroy(small);

    EXPECT_EQ(SizerAttach(nullptr, anchors_.data(), true, std::nullopt), 0);
    ASSERT_EQ(SizerAttach(window_, anchors_.data(), true, std::nullopt), 1);
    EXPECT_EQ(SizerAttach(window_, anchors_.data(), true, std::nullopt), 0);
    // A refused second attach leaves one working sizer.
    const std::vector<RECT> start = ChildRects();
    const SIZE startSize = ClientSize(window_);
    Resize(600, 450);
    ExpectChildrenFollowed(start, startSize);

    DestroyWindow(window_);
    EXPECT_TRUE(gLog.destroyedWithoutSizer);
}

}  // namespace
}  // namespace skelvane::test
