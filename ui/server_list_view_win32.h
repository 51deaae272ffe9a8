#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "ui/presentation_win32.h"

namespace skelvane {

// Both lists take exactly sub-item images and full-row selection.
void SetListExtendedStyles(HWND list);

// The six server columns, with their initial widths; points `sortOrder` at the
// Ping column. False when the list refuses a column.
bool InsertServerColumns(HWND serverList, ViewSettings& settings);

// The table is about to be released: no row may outlive it.
void ForgetTable(Presentation& view);

// The table is complete and stays put until the next refresh: start empty.
void TakeTable(Presentation& view);

// Record `index` has been parsed: give it a row at its place in the current
// order when the filters let it show. True when a row was added; it shows at
// the next RepaintServerList.
bool AddParsedServer(Presentation& view, std::int32_t index);

// Timer of the main window that paints rows held back by the repaint throttle.
inline constexpr UINT_PTR kListRepaintTimer = 2;

// Paints the rows added since the last repaint; within 100 ms of the last
// repaint, when kListRepaintTimer fires.
void RepaintServerList(Presentation& view);

// Paints the server list now (kListRepaintTimer, and the end of a refresh).
void RepaintServerListNow(Presentation& view);

// LVN_GETDISPINFOW of the server list.
void FillServerCell(const Presentation& view, NMLVDISPINFOW& request);

// LVN_COLUMNCLICK of the server list: the column in its normal direction, or
// reversed when it was already the sort column in its normal direction.
void OnServerColumnClick(Presentation& view, int column);

// Full or Empty was toggled: take both boxes into the settings and, when the
// number of servers to show has changed, rebuild the list.
void ApplyFilterChange(Presentation& view, HWND mainWindow);

}  // namespace skelvane
