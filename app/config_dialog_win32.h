#pragma once

namespace skelvane {

struct Browser;

// The Config dialog, modal over the main window. However it is closed, its
// fields are applied to the settings and both lists are redrawn with them.
void RunConfigDialog(Browser& browser);

}  // namespace skelvane
