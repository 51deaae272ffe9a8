// Arbitrary bytes as a --servers file of skelvane-query.

#include <string>
#include <string_view>

#include "cli/servers_file.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto servers = skelvane::ParseServersFile(text, "list", 30720);
    if (!servers) {
        Require(servers.Why().rfind("list:", 0) == 0);
        for (char c : servers.Why()) {
            Require(c >= 0x20 && c < 0x7F);
        }
        return 0;
    }
    for (const skelvane::GivenServer& given : *servers) {
        Require(!given.server.host.empty() && given.server.port != 0);
        Require(given.server.host.find_first_of(" \t\r\n#:") == std::string::npos);
    }
    return 0;
}
