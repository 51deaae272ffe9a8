#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "engine/status_text.h"
#include "platform/udp_socket.h"

namespace skelvane {

struct Browser;

// The server the details window shows. The record index holds only in the
// table it was taken from; the address outlives every table, so the window
// finds the server again when it answers in a later refresh.
struct DetailsTarget {
    HWND window = nullptr;
    Ipv4Endpoint server;
    // -1 while the server is gone from the list.
    std::int32_t record = -1;
    std::uint32_t tablesForgotten = 0;
};

// Makes the details window, hidden, unless it is made already. Done once the
// main window shows, so that opening the details only fills and shows it.
// False when it could not be made.
bool PrepareDetailsWindow(Browser& browser);

// Alt+Enter and the context menu: the details of the selected server, in the
// one details window, which opens if it is closed. Nothing without a selection.
void OpenSelectedServerDetails(Browser& browser);

// While the window shows, it shows the target as it is now: the record while
// it may be read, otherwise that the server is gone; Join and Refresh follow.
// A closed window follows nothing: opening it shows the selected server.
void ShowDetailsOfTarget(Browser& browser);

// The table is about to go: the window shows the server as gone at once.
void DetailsTableForgotten(Browser& browser);

// Answers were announced: a server that was gone is shown again once its
// answer in the new table is in.
void FollowDetailsTarget(Browser& browser, const std::vector<std::int32_t>& announced);

// A refresh started or ended: Refresh is usable only between refreshes.
void DetailsRefreshStateChanged(Browser& browser);

// A text on the details window's status line, formatted as status texts are.
void SayInDetails(const Browser& browser, const char16_t* format,
                  std::initializer_list<TextArg> args);

// The details window's Join and Refresh.
void JoinDetailsServer(Browser& browser);
void RefreshDetailsServer(Browser& browser);

}  // namespace skelvane
