#include "cli/servers_file.h"

#include "cli/text_coding.h"
#include "lists/list_file.h"

namespace skelvane {

Result<std::vector<GivenServer>> ParseServersFile(std::string_view text,
                                                  const std::string& fileName,
                                                  std::uint16_t defaultPort) {
    std::vector<GivenServer> servers;
    for (const ListEntry& entry : ListFileEntries(text)) {
        const std::string origin = fileName + ":" + std::to_string(entry.lineNumber);
        const auto server = ParseHostAndPort(std::string(entry.text), defaultPort);
        if (!server) {
            return Failure{origin + ": expected HOST or HOST:PORT, got '" +
                           PrintableAscii(entry.text) + "'"};
        }
        servers.push_back(GivenServer{*server, origin});
    }
    return servers;
}

}  // namespace skelvane
