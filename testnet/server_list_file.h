#pragma once

#include <string_view>
#include <vector>

#include "lists/result.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The servers a master lists, read from the text of a list file: one
// "ADDRESS:PORT" per line, with a loopback address. Blank lines and lines that
// start with '#' are skipped; spaces around an entry and a carriage return are
// ignored. A bad line fails the whole file, naming the line's number.
Result<std::vector<Ipv4Endpoint>> ParseServerListFile(std::string_view text);

}  // namespace skelvane
