#include "engine/masters_to_ask.h"

#include <algorithm>

#include "engine/ascii_text.h"

namespace skelvane {

namespace {

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

std::vector<MasterServer> MastersToAsk(const std::vector<MasterServer>& named,
                                       const std::vector<MasterServer>& more) {
    std::vector<MasterServer> masters;
    for (const MasterServer& master :
         named.empty() ? std::vector<MasterServer>{MasterServer{}} : named) {
        AddOnce(masters, master);
    }
    for (const MasterServer& master : more) {
        AddOnce(masters, master);
    }
    return masters;
}

}  // namespace skelvane
