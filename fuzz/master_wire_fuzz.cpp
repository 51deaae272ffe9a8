// Arbitrary bytes as the master's response, read datagram by datagram through
// the reader of the master phase. The input is cut into datagrams before every
// four 0xFF bytes after its start, so concatenated real datagrams replay as
// the refresh reads them; each datagram gets a buffer of its own size so that
// reading past it is caught. Every server read must stand, as its six bytes,
// in the entry area of a datagram: none is invented.

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "engine/master_wire.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::Require;

namespace {

std::vector<std::vector<std::uint8_t>> SplitIntoDatagrams(const std::uint8_t* data,
                                                          std::size_t size) {
    constexpr std::array<std::uint8_t, 4> kStart = {0xFF, 0xFF, 0xFF, 0xFF};
    std::vector<std::vector<std::uint8_t>> datagrams;
    const std::uint8_t* end = data + size;
    const std::uint8_t* start = data;
    while (start != end) {
        const std::uint8_t* next = std::search(start + 1, end, kStart.begin(), kStart.end());
        datagrams.emplace_back(start, next);
        start = next;
    }
    return datagrams;
}

bool ListedIn(const std::vector<std::vector<std::uint8_t>>& datagrams,
              const skelvane::ServerRecord& record) {
    std::array<std::uint8_t, 6> entry{};
    std::memcpy(entry.data(), &record.address, 4);
    entry[4] = static_cast<std::uint8_t>(record.port >> 8);
    entry[5] = static_cast<std::uint8_t>(record.port & 0xFF);
    for (const auto& datagram : datagrams) {
        if (datagram.size() > skelvane::kMasterHeaderSize &&
            std::search(datagram.begin() + skelvane::kMasterHeaderSize, datagram.end(),
                        entry.begin(), entry.end()) != datagram.end()) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto datagrams = SplitIntoDatagrams(data, size);
    skelvane::ServerTable table;
    bool endMarkerSeen = false;
    for (const auto& datagram : datagrams) {
        skelvane::ReadMasterDatagram(datagram, table, endMarkerSeen);
        Require(table.Count() >= 0 && table.Count() <= table.capacity);
        Require(table.capacity <= skelvane::kMaxServerRecords);
    }
    std::set<std::pair<std::uint32_t, std::uint16_t>> seen;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        Require(seen.emplace(table[i].address, table[i].port).second);
        Require(ListedIn(datagrams, table[i]));
    }
    return 0;
}
