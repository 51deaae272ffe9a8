#include "ui/column_scaling_win32.h"

#include <commctrl.h>

#include "browse/column_widths.h"

namespace skelvane {

namespace {

// The list takes a width as its low 16 bits.
void SetColumnWidth(HWND list, int column, std::int32_t width) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MAKELPARAM(static_cast<WORD>(width), 0));
}

// A list repaints itself at once for every width it is given; held back, the
// widths of one size change are painted together, several times faster. A
// list whose drawing is already held back is left to whoever holds it.
class HeldBackDrawing {
  public:
    HeldBackDrawing(HWND list, bool alreadyHeldBack) : list_(alreadyHeldBack ? nullptr : list) {
        if (list_ != nullptr) {
            SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        }
    }
    HeldBackDrawing(const HeldBackDrawing&) = delete;
    HeldBackDrawing& operator=(const HeldBackDrawing&) = delete;
    ~HeldBackDrawing() {
        if (list_ != nullptr) {
            SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(list_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }

  private:
    HWND list_;
};

}  // namespace

// A minimised window reports a client width of 0, whose widths would be
// negative, sent as 16-bit values near 65535: the lists would grow scroll
// ranges of a whole screen's worth for nothing until the restore.
LRESULT ScaleColumns(const Presentation& view, WPARAM sizeKind, LPARAM clientSize) {
    if (sizeKind == SIZE_MINIMIZED) {
        return 0;
    }
    const ScaledColumnWidths widths =
        ScaleColumnWidths(LOWORD(clientSize), view.settings->playerViewStyle != 0);
    const HeldBackDrawing servers(view.serverList, view.redrawPaused);
    const HeldBackDrawing players(view.playerList, false);
    for (int column = 0; column < kServerColumnCount; ++column) {
        SetColumnWidth(view.serverList, column, widths.server[column]);
    }
    for (int column = 0; column < widths.playerColumnsSet; ++column) {
        SetColumnWidth(view.playerList, column, widths.player[column]);
    }
    return 0;
}

}  // namespace skelvane
