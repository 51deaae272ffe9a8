#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/given_servers.h"

namespace skelvane {

// The servers of a --servers file: one HOST[:PORT] a line (the port defaults
// to `defaultPort`), '#' comment lines and blank lines skipped. A bad line
// refuses the whole file, with the file name and line number in `error`.
std::optional<std::vector<GivenServer>> ParseServersFile(std::string_view text,
                                                         const std::string& fileName,
                                                         std::uint16_t defaultPort,
                                                         std::string& error);

}  // namespace skelvane
