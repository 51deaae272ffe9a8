#pragma once

namespace skelvane {

struct Browser;

// WM_COMMAND of the main window, by control or command id, from a control,
// the server list's context menu or a key; the notification code does not
// matter.
void OnCommand(Browser& browser, int controlId);

// Starts a refresh, or asks the running one to stop.
void OnUpdateButton(Browser& browser);

// A refresh has ended: make Update usable again, unless a new refresh has
// already started.
void OnRefreshEnded(Browser& browser);

}  // namespace skelvane
