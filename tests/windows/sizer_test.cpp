// The sizer on a plain window of its own, for what the main window cannot
// show: attaching that fails or comes twice, the clean-up at destruction, a
// maximum size, and a property-sheet page's activation.

#include <windows.h>

#include <gtest/gtest.h>

#include <prsht.h>

#include <vector>

#include "sizer/sizer_win32.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

constexpr wchar_t kWindowClass[] = L"SkelvaneSizerTestWindow";
constexpr int kChildId = 100;

// What the window's own procedure saw.
struct OwnProcLog {
    int minMaxInfo = 0;
    int notify = 0;
    bool destroyedWithoutSizer = false;
};
OwnProcLog gLog;

LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        ++gLog.minMaxInfo;
    } else if (message == WM_NOTIFY) {
        ++gLog.notify;
    } else if (message == WM_DESTROY) {
        gLog.destroyedWithoutSizer =
            GetPropW(window, L"SizerProperty") == nullptr &&
            GetPropW(window, L"SizerWindowProc") == nullptr &&
            GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnWindowProc);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window whose one child moves with both dimensions.
class Sizer : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassW(&windowClass);
        gLog = OwnProcLog{};
        window_ = NewWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 10, 20, 30, 40, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChildId)), nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    static HWND NewWindow(DWORD style, HWND parent) {
        return CreateWindowExW(0, kWindowClass, L"", style, 40, 30, 400, 300, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    POINT ChildCorner() const {
        RECT bounds{};
        GetWindowRect(GetDlgItem(window_, kChildId), &bounds);
        POINT corner{bounds.left, bounds.top};
        ScreenToClient(window_, &corner);
        return corner;
    }
    SIZE ClientSize() const {
        RECT client{};
        GetClientRect(window_, &client);
        return SIZE{client.right, client.bottom};
    }

    const SizerAnchor anchors_[2] = {{kChildId, SIZER_MOVE_X | SIZER_MOVE_Y}, {-1, -1}};
    HWND window_ = nullptr;
};

TEST_F(Sizer, AFailedOrSecondAttachLeavesTheWindowAsItWasAndDestroyingDetaches) {
    const auto ownProc = reinterpret_cast<LONG_PTR>(&OwnWindowProc);
    // A heap with room for the sizer's state but not for the table's copy.
    HANDLE small = HeapCreate(0, 0x4000, 0x4000);
    std::vector<SizerAnchor> big(4000, anchors_[0]);
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
    EXPECT_EQ(SizerAttach(nullptr, anchors_, true, std::nullopt), 0);

    // A second attach is refused and leaves one working sizer: a loop of two
    // would never return from the next message.
    ASSERT_EQ(SizerAttach(window_, anchors_, true, std::nullopt), 1);
    EXPECT_EQ(SizerAttach(window_, anchors_, true, std::nullopt), 0);
    const SIZE before = ClientSize();
    SetWindowPos(window_, nullptr, 0, 0, 450, 380, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE after = ClientSize();
    EXPECT_EQ(ChildCorner().x, 10 + after.cx - before.cx);
    EXPECT_EQ(ChildCorner().y, 20 + after.cy - before.cy);

    // The window's own procedure sees its destruction without the sizer.
    DestroyWindow(window_);
    EXPECT_TRUE(gLog.destroyedWithoutSizer);
}

TEST_F(Sizer, KeepsAGivenMaximumAndLaysOutTheParentOfAnActivatedPage) {
    ASSERT_EQ(SizerAttach(window_, anchors_, false, SIZE{640, 480}), 1);
    gLog.minMaxInfo = 0;
    MINMAXINFO limits{};
    limits.ptMaxSize = POINT{111, 222};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 400);
    EXPECT_EQ(limits.ptMinTrackSize.y, 300);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 640);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 480);
    EXPECT_EQ(limits.ptMaxSize.y, 222);
    EXPECT_EQ(gLog.minMaxInfo, 0) << "the window's own answer was asked for";

    // A size message for a size the window does not have leaves the layout
    // behind; the activation of a page inside brings it back to the real one.
    HWND page = NewWindow(WS_CHILD, window_);
    const SizerAnchor none[] = {{-1, -1}};
    ASSERT_EQ(SizerAttach(page, none, false, std::nullopt), 1);
    const SIZE real = ClientSize();
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(real.cx + 40, real.cy + 30));
    EXPECT_EQ(ChildCorner().x, 50);
    NMHDR notice{page, 0, static_cast<UINT>(PSN_SETACTIVE)};
    SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(ChildCorner().x, 10);
    EXPECT_EQ(ChildCorner().y, 20);

    // A top-level window has no parent to lay out: the notice only goes on.
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(real.cx + 40, real.cy + 30));
    gLog.notify = 0;
    notice.hwndFrom = window_;
    SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(ChildCorner().x, 50);
    EXPECT_EQ(gLog.notify, 1);
}

}  // namespace
}  // namespace skelvane::test
