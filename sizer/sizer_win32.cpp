#include "sizer/sizer_win32.h"

#include <windowsx.h>

#include <prsht.h>

#include <cstring>

namespace skelvane {

namespace {

constexpr wchar_t kStateProperty[] = L"SizerProperty";
constexpr wchar_t kPreviousProcProperty[] = L"SizerWindowProc";

struct SizerState {
    std::int32_t entryCount;
    SizerAnchor* anchors;
    SIZE minTrackSize;
    SIZE maxTrackSize;
    bool hasMaxTrackSize;
    SIZE lastClientSize;
    bool maximized;
    bool showGrip;
    RECT gripRect;
    // The heap that holds this state and its anchors.
    HANDLE heap;
};

SizerState* StateOf(HWND window) {
    return static_cast<SizerState*>(GetPropW(window, kStateProperty));
}

WNDPROC PreviousProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropW(window, kPreviousProcProperty));
}

RECT ToRect(const SizerRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

SizerRect ToSizerRect(const RECT& rect) {
    return SizerRect{rect.left, rect.top, rect.right, rect.bottom};
}

SIZE OuterSize(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

// A control's rectangle in its parent's client coordinates.
RECT ClientRectOfControl(HWND window, HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
    ScreenToClient(window, &corners[0]);
    ScreenToClient(window, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void ReleaseState(SizerState* state) {
    if (state->anchors != nullptr) {
        HeapFree(state->heap, 0, state->anchors);
    }
    HeapFree(state->heap, 0, state);
}

// Leaves the window as it was before the attach: its own procedure back in
// place, no properties, the state released.
void Detach(HWND window) {
    if (SizerState* state = StateOf(window)) {
        RemovePropW(window, kStateProperty);
        ReleaseState(state);
    }
    if (WNDPROC previous = PreviousProcOf(window)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    RemovePropW(window, kPreviousProcProperty);
}

// Only the union of the old and the new grip square is redrawn.
void RepaintGrip(HWND window, SizerState& state, int width, int height) {
    if (!state.showGrip) {
        return;
    }
    const RECT old = state.gripRect;
    state.gripRect = SizerGripRect(width, height);
    RECT both{};
    UnionRect(&both, &old, &state.gripRect);
    InvalidateRect(window, &both, TRUE);
}

void DrawGrip(HWND window, HDC dc) {
    SizerState* state = StateOf(window);
    if (state != nullptr && state->showGrip && !state->maximized) {
        DrawFrameControl(dc, &state->gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void OnSize(HWND window, WPARAM kind, LPARAM size) {
    SizerState* state = StateOf(window);
    // A minimised window keeps its layout, so that restoring it moves nothing.
    if (state == nullptr || kind == SIZE_MINIMIZED) {
        return;
    }
    state->maximized = kind == SIZE_MAXIMIZED;
    SizerRelayout(LOWORD(size), HIWORD(size), window);
}

bool OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) {
    const SizerState* state = StateOf(window);
    if (state == nullptr) {
        return false;
    }
    limits.ptMinTrackSize = POINT{state->minTrackSize.cx, state->minTrackSize.cy};
    if (state->hasMaxTrackSize) {
        limits.ptMaxTrackSize = POINT{state->maxTrackSize.cx, state->maxTrackSize.cy};
    }
    return true;
}

// A property-sheet page that becomes active lays out the sheet around it,
// which may have been resized while another page was shown.
void OnNotify(HWND window, const NMHDR& header) {
    if (header.code != static_cast<UINT>(PSN_SETACTIVE)) {
        return;
    }
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) {
        return;
    }
    HWND parent = GetParent(window);
    const SIZE size = ClientSize(parent);
    SizerRelayout(size.cx, size.cy, parent);
}

// The grip works like the bottom-right sizing border. The position is signed:
// a monitor left of or above the primary one has negative coordinates.
bool IsOverGrip(HWND window, LPARAM position) {
    const SizerState* state = StateOf(window);
    if (state == nullptr || !state->showGrip) {
        return false;
    }
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(window, &point);
    return RectContains(ToSizerRect(state->gripRect), point.x, point.y);
}

LRESULT CALLBACK SizerSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = PreviousProcOf(window);
    const auto passOn = [&] {
        return previous != nullptr ? CallWindowProcW(previous, window, message, wParam, lParam)
                                   : DefWindowProcW(window, message, wParam, lParam);
    };
    switch (message) {
        case WM_SIZE:
            OnSize(window, wParam, lParam);
            return passOn();
        case WM_ERASEBKGND: {
            const LRESULT erased = passOn();
            DrawGrip(window, reinterpret_cast<HDC>(wParam));
            return erased;
        }
        case WM_GETMINMAXINFO:
            return OnGetMinMaxInfo(window, *reinterpret_cast<MINMAXINFO*>(lParam)) ? 0 : passOn();
        case WM_NOTIFY:
            OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
            return passOn();
        case WM_NCHITTEST:
            return IsOverGrip(window, lParam) ? HTBOTTOMRIGHT : passOn();
        case WM_DESTROY:
            // The window's own procedure sees its destruction without the sizer.
            Detach(window);
            return passOn();
        default:
            return passOn();
    }
}

void Subclass(HWND window) {
    const LONG_PTR previous = GetWindowLongPtrW(window, GWLP_WNDPROC);
    SetPropW(window, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SizerSubclassProc));
}

}  // namespace

int SizerAttach(HWND window, const SizerAnchor* anchors, bool showGrip,
                std::optional<SIZE> maxTrackSize) {
    return SizerAttachOnHeap(GetProcessHeap(), window, anchors, showGrip, maxTrackSize);
}

int SizerAttachOnHeap(HANDLE heap, HWND window, const SizerAnchor* anchors, bool showGrip,
                      std::optional<SIZE> maxTrackSize) {
    // A second attach would make the sizer its own predecessor, and every
    // message would go round in circles.
    if (!IsWindow(window) || StateOf(window) != nullptr) {
        return 0;
    }
    auto* state = static_cast<SizerState*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(SizerState)));
    if (state == nullptr) {
        return 0;
    }
    state->heap = heap;
    state->minTrackSize = OuterSize(window);
    state->lastClientSize = ClientSize(window);
    SetPropW(window, kStateProperty, state);
    state->gripRect = SizerGripRect(state->lastClientSize.cx, state->lastClientSize.cy);
    Subclass(window);
    state->showGrip = showGrip;
    state->entryCount = CountAnchorRows(anchors);
    const auto tableBytes = static_cast<SIZE_T>(state->entryCount) * sizeof(SizerAnchor);
    state->anchors = static_cast<SizerAnchor*>(HeapAlloc(heap, 0, tableBytes));
    if (state->anchors == nullptr) {
        // Nothing may keep pointing at the state about to be released.
        Detach(window);
        return 0;
    }
    std::memcpy(state->anchors, anchors, tableBytes);
    if (maxTrackSize) {
        state->maxTrackSize = *maxTrackSize;
        state->hasMaxTrackSize = true;
    }
    return 1;
}

void SizerRelayout(int width, int height, HWND window) {
    SizerState* state = StateOf(window);
    if (state == nullptr) {
        return;
    }
    const int dx = width - state->lastClientSize.cx;
    const int dy = height - state->lastClientSize.cy;
    if (dx == 0 && dy == 0) {
        return;
    }
    HDWP batch = BeginDeferWindowPos(state->entryCount);
    for (std::int32_t row = 0; row + 1 < state->entryCount; ++row) {
        const SizerAnchor& anchor = state->anchors[row];
        HWND control = GetDlgItem(window, anchor.controlId);
        if (control == nullptr || batch == nullptr) {
            continue;
        }
        const SizerRect moved =
            AnchorRect(ToSizerRect(ClientRectOfControl(window, control)), anchor.flags, dx, dy);
        batch =
            DeferWindowPos(batch, control, nullptr, moved.left, moved.top, moved.right - moved.left,
                           moved.bottom - moved.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr) {
        EndDeferWindowPos(batch);
    }
    state->lastClientSize = SIZE{width, height};
    RepaintGrip(window, *state, width, height);
}

// The grip's width is the height of a scroll-bar arrow and its height the
// width of a vertical scroll bar; both are read afresh for every rectangle.
RECT SizerGripRect(int width, int height) {
    return ToRect(
        GripRect(width, height, GetSystemMetrics(SM_CYVSCROLL), GetSystemMetrics(SM_CXVSCROLL)));
}

}  // namespace skelvane
