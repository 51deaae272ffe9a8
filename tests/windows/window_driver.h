#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skelvane::test {

// The main window whose keyboard handling the pump offers messages to, as the
// browser's loop does; null for none.
void SetPumpDialog(HWND dialog);

// Runs the thread's messages the way the browser's loop does (refresh threads
// wait in SendMessage for this thread) until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::uint32_t timeoutMs);
void PumpFor(std::uint32_t milliseconds);

// The exit code of the last quit message the pump took, or -1 when none came.
int TakeQuitCode();

std::wstring WindowText(HWND window);
std::wstring StatusPartText(HWND mainWindow, int part);
int RowCount(HWND list);
// Asks the list for a cell, which it gets from the main window's callback.
std::wstring CellText(HWND list, int row, int column);
int CellImage(HWND list, int row, int column);
// The record index of every row, top to bottom.
std::vector<std::int32_t> RowRecords(HWND list);
// Clicks a column header the way the list reports it.
void ClickColumn(HWND mainWindow, int listId, int column);

// A key pressed and let go in `target`, which takes the focus first, as the
// keyboard would send it, with Ctrl, Shift and Alt held as asked; `repeat`
// marks the press as a held key's repetition. Pumps until it has been handled.
struct KeyPress {
    UINT key = 0;
    bool ctrl = false;
    bool shift = false;
    bool repeat = false;
    bool alt = false;
};
void PressKey(HWND target, const KeyPress& press);

// The clipboard's Unicode text; empty when it holds none.
std::wstring ClipboardText();
void ClearClipboard();

// Writes what the window shows on the screen as a 24-bit BMP, for reading
// after a failure.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace skelvane::test
