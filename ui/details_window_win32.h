#pragma once

#include <windows.h>

#include "browse/server_rules.h"
#include "engine/server_table.h"

namespace skelvane {

// The details of one server: its name, address, humans and bots, its players
// with score, ping and a bot mark, every rule of its latest answer in the
// order received, a status line, and Join, Refresh and Close. It owns no
// record: everything it shows is copied in when it is told to show it. Join
// and Refresh are sent on to the owner as its commands; Close and Escape
// hide the window, which the owner may show again.

// Creates the window, hidden, owned by `owner`. Null when it could not be made.
HWND CreateDetailsWindow(HWND owner, HINSTANCE instance);

// Shows the record and its rules, replacing whatever was shown.
void ShowServerInDetails(HWND details, const ServerRecord& record, const ServerRules& rules);

// The server is no longer in the list: nothing of it is shown but its address.
void ShowServerGoneInDetails(HWND details, const char16_t* address);

void SetDetailsStatus(HWND details, const char16_t* text);

// Join and Refresh are usable only while there is a server to act on.
void EnableDetailsButtons(HWND details, bool join, bool refresh);

}  // namespace skelvane
