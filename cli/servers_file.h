#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/given_servers.h"
#include "lists/result.h"

namespace skelvane {

// The servers of a --servers file: one HOST[:PORT] a line (the port defaults
// to `defaultPort`), '#' comment lines and blank lines skipped. A bad line
// fails the whole file, naming the file and the line's number.
Result<std::vector<GivenServer>> ParseServersFile(std::string_view text,
                                                  const std::string& fileName,
                                                  std::uint16_t defaultPort);

}  // namespace skelvane
