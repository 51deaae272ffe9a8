#include "settings/master_servers.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "engine/host_and_port.h"

namespace skelvane {

namespace {

// A few host names of the longest kind; a larger value is not read at all.
constexpr std::size_t kMaxStoredBytes = 16 * 1024;

bool IsSameMaster(const MasterServer& a, const MasterServer& b) {
    return a.port == b.port && a.hostName.size() == b.hostName.size() &&
           std::equal(a.hostName.begin(), a.hostName.end(), b.hostName.begin(),
                      [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

void AddOnce(std::vector<MasterServer>& masters, const MasterServer& master) {
    const auto same = [&master](const MasterServer& other) { return IsSameMaster(master, other); };
    if (masters.size() < kMaxMasters && std::none_of(masters.begin(), masters.end(), same)) {
        masters.push_back(master);
    }
}

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
            AddOnce(masters, *master);
        }
    }
    return masters;
}

std::vector<MasterServer> MastersToAsk(const std::vector<MasterServer>& commandLine,
                                       const std::vector<MasterServer>& stored) {
    std::vector<MasterServer> masters;
    for (const MasterServer& master :
         commandLine.empty() ? std::vector<MasterServer>{MasterServer{}} : commandLine) {
        AddOnce(masters, master);
    }
    for (const MasterServer& master : stored) {
        AddOnce(masters, master);
    }
    return masters;
}

}  // namespace skelvane
