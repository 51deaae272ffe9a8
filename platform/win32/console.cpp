#include "platform/console.h"

#include <windows.h>

namespace skelvane {

// A console otherwise reads the bytes in its own code page, and names with
// letters beyond ASCII come out garbled. Pipes and files are not affected.
void UseUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
}

}  // namespace skelvane
