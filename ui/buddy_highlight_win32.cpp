#include "ui/buddy_highlight_win32.h"

#include "browse/buddy_list.h"
#include "browse/player_columns.h"
#include "ui/player_list_view_win32.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

constexpr COLORREF kBuddyBackground = RGB(255, 255, 0);

// Rows are looked up through the checks that keep a released record from
// being read: a row that cannot be read is no buddy's.
bool IsBuddyRow(const Presentation& view, const NMCUSTOMDRAW& item) {
    if (item.hdr.hwndFrom == view.serverList) {
        const ServerRecord* record = RecordAtRow(view, static_cast<int>(item.dwItemSpec));
        return record != nullptr && ServerHasBuddy(view.buddies, *record);
    }
    if (item.hdr.hwndFrom == view.playerList) {
        const PlayerRecord* player = PlayerOfRow(view, item.lItemlParam);
        return player != nullptr && IsBuddyName(view.buddies, PlayerNameText(*player));
    }
    return false;
}

}  // namespace

LRESULT OnListCustomDraw(const Presentation& view, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (IsBuddyRow(view, draw.nmcd)) {
                draw.clrTextBk = kBuddyBackground;
            }
            return CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT:
            return CDRF_DODEFAULT;
        default:
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    }
}

}  // namespace skelvane
