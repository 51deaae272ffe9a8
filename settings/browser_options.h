#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/refresh_engine.h"

namespace skelvane {

// What the browser starts with: which master to ask, taken from the command
// line, and the refresh's waits, which only tests shorten.
struct BrowserOptions {
    MasterServer master;
    RefreshTiming timing;
};

struct ParsedBrowserOptions {
    std::optional<BrowserOptions> options;
    // Why the command line was refused, when it was.
    std::wstring error;
};

// Reads the arguments after the program name. Only "--master HOST[:PORT]"
// means something; the browser was never meant to be driven by its command
// line, so whatever else a shortcut or launcher adds is left alone. A
// "--master" without a usable address is refused.
ParsedBrowserOptions ParseBrowserOptions(const std::vector<std::wstring>& args);

}  // namespace skelvane
