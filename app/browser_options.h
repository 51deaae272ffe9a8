#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/refresh_engine.h"

namespace skelvane {

// What the browser's command line may say: only which master to ask.
struct BrowserOptions {
    MasterServer master;
};

struct ParsedBrowserOptions {
    std::optional<BrowserOptions> options;
    // Why the command line was refused, when it was.
    std::wstring error;
};

// Reads the arguments after the program name: nothing, or "--master HOST[:PORT]".
ParsedBrowserOptions ParseBrowserOptions(const std::vector<std::wstring>& args);

}  // namespace skelvane
