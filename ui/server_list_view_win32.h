#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/presentation_win32.h"

namespace skelvane {

// Both lists take exactly sub-item images and full-row selection.
void SetListExtendedStyles(HWND list);

// The six server columns, with their initial widths; points `sortOrder` at the
// Ping column. False when the list refuses a column.
bool InsertServerColumns(HWND serverList, Settings& settings);

// The table is about to be released: no row may outlive it, and the counts
// say so at once.
void ForgetTable(Presentation& view);

// The table is complete and stays put until the next refresh: start empty.
void TakeTable(Presentation& view);

// The answers of these records have been parsed: each gets a row at its place
// in the current order when the filters let it show. The rows show at the
// next RepaintServerList.
void AddParsedServers(Presentation& view, const std::vector<std::int32_t>& indices);

// The selected row, or -1 when none is.
int SelectedServerRow(const Presentation& view);

// The record shown in a row, or -1 when there is no such row or the table may
// not be read now. Every reader of a row's record goes through here.
std::int32_t RecordIndexAtRow(const Presentation& view, int row);
const ServerRecord* RecordAtRow(const Presentation& view, int row);

// Paints the rows added since the last repaint; within kListRepaintIntervalMs
// of the last repaint, when the list's repaint timer fires.
void RepaintServerList(Presentation& view);

// Paints the server list now (its repaint timer, and the end of a refresh).
// A list whose window is hidden or minimized is not painted until it is
// shown (RepaintServerListWhenShown).
void RepaintServerListNow(Presentation& view);

// Paints one row again, its record having changed in some way it shows.
void RepaintServerRow(const Presentation& view, int row);

// The main window is shown again: paints what was held back meanwhile.
void RepaintServerListWhenShown(Presentation& view);

// Selects the row of that server and scrolls it into view; false when no row
// shows it.
bool SelectServer(Presentation& view, const Ipv4Endpoint& server);

// LVN_GETDISPINFOW of the server list: the cell's text and image, and the
// favourite's overlay on the Host Name icon.
void FillServerCell(const Presentation& view, NMLVDISPINFOW& request);

// LVN_ODFINDITEMW, typing in the list: the next row from the request's start
// whose host name begins with the typed text, wrapping around; -1 for none.
int FindServerRow(const Presentation& view, const NMLVFINDITEMW& request);

// LVN_COLUMNCLICK of the server list: the column in its normal direction, or
// reversed when it was already the sort column in its normal direction.
void OnServerColumnClick(Presentation& view, int column);

// Full or Empty was toggled: take both boxes into the settings and, when the
// number of servers to show has changed, rebuild the list.
void ApplyFilterChange(Presentation& view, HWND mainWindow);

// What decides whether a server has a row: Full, Empty and the find text.
ServerFilter ListFilter(const Presentation& view);

// The find text has changed: the rows become those of the servers it finds
// (all of them for an empty text), in the current order, with the counts of
// what is shown. The selected server stays selected while it has a row.
void ApplyFindText(Presentation& view, std::u16string_view typed);

// A record that has a row, or may have one, was written anew (an answer of
// its own outside the sweep): its row goes where the filters and the order
// now put it, and the counts and its players follow.
void ServerRecordChanged(Presentation& view, std::int32_t index);

}  // namespace skelvane
