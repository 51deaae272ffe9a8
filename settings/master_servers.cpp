#include "settings/master_servers.h"

#include "engine/ascii_text.h"
#include "engine/host_and_port.h"

namespace skelvane {

namespace {

// A few host names of the longest kind; a larger value is not read at all.
constexpr std::size_t kMaxStoredBytes = 16 * 1024;

}  // namespace

std::optional<MasterServer> ParseMasterAddress(std::u16string_view text) {
    // Host names are plain ASCII; anything else cannot be one.
    const auto ascii = NarrowAscii(text);
    const auto master = ascii ? ParseHostAndPort(*ascii, kMasterPort) : std::nullopt;
    return master ? std::optional<MasterServer>(MasterServer{master->host, master->port})
                  : std::nullopt;
}

std::vector<MasterServer> MastersFromStored(const std::optional<StoredValue>& value) {
    std::vector<MasterServer> masters;
    const auto lines =
        value && value->bytes.size() <= kMaxStoredBytes ? StoredLines(*value) : std::nullopt;
    for (const std::u16string& line : lines.value_or(std::vector<std::u16string>{})) {
        if (const auto master = ParseMasterAddress(line)) {
            masters.push_back(*master);
        }
    }
    return masters;
}

}  // namespace skelvane
