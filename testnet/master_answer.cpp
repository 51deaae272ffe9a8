#include "testnet/master_answer.h"

#include <algorithm>
#include <string>

#include "engine/master_wire.h"

namespace skelvane {

namespace {

constexpr std::string_view kHeader = "\xFF\xFF\xFF\xFFgetserversResponse\\";
constexpr std::size_t kShortDatagramBytes = 11;
constexpr std::uint8_t kPartialEntry[] = {127, 0, 0};
constexpr std::uint8_t kGarbage[] = {0x01, 0xFE, 'j', 'u', 'n', 'k', 0x00, 0x5C};

Datagram Header() {
    return Datagram(kHeader.begin(), kHeader.end());
}

void AppendEntry(Datagram& out, const Ipv4Endpoint& server, bool separator) {
    const auto* address = reinterpret_cast<const std::uint8_t*>(&server.address);
    out.insert(out.end(), address, address + 4);
    out.push_back(static_cast<std::uint8_t>(server.port >> 8));
    out.push_back(static_cast<std::uint8_t>(server.port & 0xFF));
    if (separator) {
        out.push_back('\\');
    }
}

std::vector<Ipv4Endpoint> ListedOrder(std::span<const Ipv4Endpoint> servers, bool duplicates) {
    std::vector<Ipv4Endpoint> listed(servers.begin(), servers.end());
    if (duplicates) {
        listed.insert(listed.end(), servers.rbegin(), servers.rend());
    }
    return listed;
}

// Splits the list into datagrams of `perDatagram` entries; an empty list still
// gets one datagram, which carries the end marker.
std::vector<Datagram> EntryDatagrams(const std::vector<Ipv4Endpoint>& listed,
                                     std::size_t perDatagram, bool missingSeparator) {
    std::vector<Datagram> datagrams;
    std::size_t next = 0;
    do {
        Datagram datagram = Header();
        const std::size_t end = std::min(listed.size(), next + perDatagram);
        for (std::size_t i = next; i < end; ++i) {
            AppendEntry(datagram, listed[i], !(missingSeparator && (i - next) % 2 == 1));
        }
        datagrams.push_back(std::move(datagram));
        next = end;
    } while (next < listed.size());
    return datagrams;
}

void Append(Datagram& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::optional<MasterMalformations> ParseMasterMalformations(std::string_view names) {
    MasterMalformations malformations;
    while (!names.empty()) {
        const std::size_t comma = std::min(names.find(','), names.size());
        const std::string_view name = names.substr(0, comma);
        names.remove_prefix(std::min(comma + 1, names.size()));
        if (name == "short") {
            malformations.shortDatagram = true;
        } else if (name == "ragged") {
            malformations.raggedLength = true;
        } else if (name == "no-separator") {
            malformations.missingSeparator = true;
        } else if (name == "trailing-garbage") {
            malformations.trailingGarbage = true;
        } else {
            return std::nullopt;
        }
    }
    return malformations;
}

std::vector<Datagram> BuildMasterAnswer(std::span<const Ipv4Endpoint> servers,
                                        const MasterAnswerShape& shape) {
    const MasterMalformations& spoil = shape.malformations;
    std::vector<Datagram> datagrams =
        EntryDatagrams(ListedOrder(servers, shape.duplicates),
                       std::max<std::size_t>(1, shape.entriesPerDatagram), spoil.missingSeparator);
    if (spoil.raggedLength) {
        for (Datagram& datagram : datagrams) {
            Append(datagram, kPartialEntry);
        }
    } else {
        Append(datagrams.back(), kMasterEndMarker);
    }
    if (spoil.trailingGarbage) {
        Append(datagrams.back(), kGarbage);
    }
    if (spoil.shortDatagram) {
        datagrams.insert(datagrams.begin(),
                         Datagram(kHeader.begin(), kHeader.begin() + kShortDatagramBytes));
    }
    return datagrams;
}

}  // namespace skelvane
