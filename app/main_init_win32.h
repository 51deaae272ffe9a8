#pragma once

namespace skelvane {

struct Browser;

// The main window's initialisation, while it is still hidden: the abort
// signal, sockets, the lists and status bar, the settings, then the window is
// shown and the first refresh starts. A failure posts a quit with exit code 1.
void InitMainDialog(Browser& browser);

}  // namespace skelvane
