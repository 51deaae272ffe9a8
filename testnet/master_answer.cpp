#include "testnet/master_answer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/master_wire.h"

namespace skelvane {

namespace {

// The header without its backslash, which the separators decide.
constexpr std::string_view kHeaderWord = "\xFF\xFF\xFF\xFFgetserversResponse";
constexpr std::size_t kShortDatagramBytes = 11;
const Datagram kPartialEntry = {127, 0, 0};
const Datagram kGarbage = {0x01, 0xFE, 'j', 'u', 'n', 'k', 0x00, 0x5C};

std::vector<Ipv4Endpoint> ListedOrder(std::span<const Ipv4Endpoint> servers, bool duplicates) {
    std::vector<Ipv4Endpoint> listed(servers.begin(), servers.end());
    if (duplicates) {
        listed.insert(listed.end(), servers.rbegin(), servers.rend());
    }
    return listed;
}

}  // namespace

MasterDatagram::MasterDatagram(Separators separators)
    : separators_(separators), bytes_(kHeaderWord.begin(), kHeaderWord.end()) {
    if (separators_ == Separators::kAfterEachEntry) {
        bytes_.push_back('\\');
    }
}

MasterDatagram& MasterDatagram::Entry(const Ipv4Endpoint& server, bool separator) {
    const bool before = separators_ == Separators::kBeforeEachEntry;
    if (separator && before) {
        bytes_.push_back('\\');
    }
    const auto* address = reinterpret_cast<const std::uint8_t*>(&server.address);
    bytes_.insert(bytes_.end(), address, address + 4);
    bytes_.push_back(static_cast<std::uint8_t>(server.port >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(server.port & 0xFF));
    if (separator && !before) {
        bytes_.push_back('\\');
    }
    return *this;
}

MasterDatagram& MasterDatagram::Entry(std::uint8_t a, std::uint8_t b, std::uint8_t c,
                                      std::uint8_t d, std::uint16_t port, bool separator) {
    const std::uint8_t bytes[4] = {a, b, c, d};
    Ipv4Endpoint server{0, port};
    std::memcpy(&server.address, bytes, sizeof bytes);
    return Entry(server, separator);
}

MasterDatagram& MasterDatagram::EndMarker() {
    if (separators_ == Separators::kBeforeEachEntry) {
        bytes_.push_back('\\');
    }
    bytes_.insert(bytes_.end(), kMasterEndMarker.begin(), kMasterEndMarker.end());
    return *this;
}

MasterDatagram& MasterDatagram::Raw(const Datagram& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

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

// The list in datagrams of `entriesPerDatagram` entries; an empty list still
// gets one datagram, which carries the end marker.
std::vector<Datagram> BuildMasterAnswer(std::span<const Ipv4Endpoint> servers,
                                        const MasterAnswerShape& shape) {
    const MasterMalformations& spoil = shape.malformations;
    const std::vector<Ipv4Endpoint> listed = ListedOrder(servers, shape.duplicates);
    const std::size_t perDatagram = std::max<std::size_t>(1, shape.entriesPerDatagram);
    std::vector<Datagram> datagrams;
    if (spoil.shortDatagram) {
        datagrams.push_back(
            Datagram(kHeaderWord.begin(), kHeaderWord.begin() + kShortDatagramBytes));
    }
    std::size_t next = 0;
    do {
        MasterDatagram datagram;
        const std::size_t end = std::min(listed.size(), next + perDatagram);
        for (std::size_t i = next; i < end; ++i) {
            datagram.Entry(listed[i], !(spoil.missingSeparator && (i - next) % 2 == 1));
        }
        next = end;
        const bool last = next == listed.size();
        if (spoil.raggedLength) {
            datagram.Raw(kPartialEntry);
        } else if (last) {
            datagram.EndMarker();
        }
        if (last && spoil.trailingGarbage) {
            datagram.Raw(kGarbage);
        }
        datagrams.push_back(datagram.Build());
    } while (next < listed.size());
    return datagrams;
}

}  // namespace skelvane
