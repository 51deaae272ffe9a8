#include "testnet/server_list_file.h"

#include <algorithm>

#include "testnet/loopback_address.h"

namespace skelvane {

namespace {

std::string_view Trimmed(std::string_view line) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && isSpace(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && isSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::optional<std::vector<Ipv4Endpoint>> ParseServerListFile(std::string_view text,
                                                             std::string& error) {
    std::vector<Ipv4Endpoint> servers;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto server = ParseLoopbackEndpoint(line, 1);
        if (!server) {
            error = "line " + std::to_string(lineNumber) + ": expected 127.x.y.z:PORT, got '" +
                    std::string(line) + "'";
            return std::nullopt;
        }
        servers.push_back(*server);
    }
    return servers;
}

}  // namespace skelvane
