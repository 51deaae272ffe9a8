#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/refresh_engine.h"

namespace skelvane {

// What the browser starts with: the masters named on the command line, in
// order (none: the built-in one), and the refresh's waits, which only tests
// shorten.
struct BrowserOptions {
    std::vector<MasterServer> masters;
    RefreshTiming timing;
};

struct ParsedBrowserOptions {
    std::optional<BrowserOptions> options;
    // Why the command line was refused, when it was.
    std::wstring error;
};

// Reads the arguments after the program name. Only "--master HOST[:PORT]",
// which may be given several times, means something; the browser was never
// meant to be driven by its command line, so whatever else a shortcut or
// launcher adds is left alone. A "--master" without a usable address is
// refused.
ParsedBrowserOptions ParseBrowserOptions(const std::vector<std::wstring>& args);

}  // namespace skelvane
