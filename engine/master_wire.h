#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/server_table.h"
#include "platform/udp_socket.h"

namespace skelvane {

inline constexpr std::size_t kMasterRequestCapacity = 28;
inline constexpr std::size_t kMasterHeaderSize = 23;
inline constexpr std::size_t kMasterEntrySize = 7;
inline constexpr std::array<std::uint8_t, 6> kMasterEndMarker = {'E', 'O', 'T', 0, 0, 0};
inline constexpr std::size_t kMasterDatagramCapacity = 65535;

struct MasterRequest {
    std::array<std::uint8_t, kMasterRequestCapacity> bytes{};
    std::size_t size = 0;
    std::span<const std::uint8_t> View() const { return {bytes.data(), size}; }
};

// The getservers request, with " full" and " empty" as the filter flags ask.
MasterRequest BuildGetServersRequest(bool full, bool empty);

// What a datagram held: entries read, and those dropped for repeating an
// address and port already in the table.
struct MasterListCounts {
    std::uint32_t entries = 0;
    std::uint32_t duplicates = 0;
};

// The entries of one master response datagram, in order, repeats included;
// `endMarkerSeen` is set when it holds the end marker.
std::vector<Ipv4Endpoint> ReadMasterEntries(std::span<const std::uint8_t> datagram,
                                            bool& endMarkerSeen);

// Reads one master response datagram into the table: its entries are appended
// (duplicates dropped) and `endMarkerSeen` is set when it holds the end marker.
// `counts`, when given, adds up what was read.
void ReadMasterDatagram(std::span<const std::uint8_t> datagram, ServerTable& table,
                        bool& endMarkerSeen, MasterListCounts* counts = nullptr);

}  // namespace skelvane
