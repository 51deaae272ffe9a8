#include "engine/master_wire.h"

#include <cstring>
#include <vector>

#include "engine/byte_cursor.h"
#include "platform/udp_socket.h"

namespace skelvane {

namespace {

void Append(MasterRequest& request, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(request.bytes.data() + request.size, text, length);
    request.size += length;
}

}  // namespace

MasterRequest BuildGetServersRequest(bool full, bool empty) {
    MasterRequest request;
    Append(request,
           "\xFF\xFF\xFF\xFF"
           "getservers 69");
    if (full) {
        Append(request, " full");
    }
    if (empty) {
        Append(request, " empty");
    }
    return request;
}

// A response datagram:
//
//   0       23                       23+7n          23+7n+6
//   +-------+------+----+----+ ... --+--------------+
//   |header |addr 4|port|'\\'|       | EOT 00 00 00 |   (end marker: last datagram only)
//   +-------+------+----+----+ ... --+--------------+
//
// The header is skipped unread. An entry whose separator is missing moves the
// cursor by 6 bytes only, while the count of bytes left still drops by 7.
//
// Many deployed masters write the backslash before each entry instead: their
// datagrams hold the same bytes from offset 23 on, except that one without
// the end marker has 22 + 7n bytes and ends with an entry that has no
// separator behind it, and a list that fills its last datagram is followed by
// a datagram that holds only the end marker. The same reading takes both:
// six bytes left are a whole entry, fewer are a piece that is dropped.
//
// The reading stops at the end of what was received, so a datagram shorter
// than the header holds no entries. The entries are gathered first and the
// table grows by their number: it has room for every entry read and never
// stores more records than that.
std::vector<Ipv4Endpoint> ReadMasterEntries(std::span<const std::uint8_t> datagram,
                                            bool& endMarkerSeen) {
    std::vector<Ipv4Endpoint> entries;
    if (datagram.size() < kMasterHeaderSize) {
        return entries;
    }
    auto remaining = static_cast<std::int64_t>(datagram.size() - kMasterHeaderSize);
    entries.reserve(static_cast<std::size_t>(remaining) / kMasterEntrySize + 1);
    ByteCursor cursor(datagram);
    cursor.Skip(kMasterHeaderSize);
    while (remaining > 0) {
        if (cursor.StartsWith(kMasterEndMarker)) {
            endMarkerSeen = true;
            break;
        }
        const auto address = cursor.ReadRaw32();
        const auto port = cursor.ReadBigEndian16();
        if (!address || !port) {
            break;
        }
        entries.push_back(Ipv4Endpoint{*address, *port});
        if (cursor.Peek() == std::uint8_t{'\\'}) {
            cursor.Skip(1);
        }
        remaining -= static_cast<std::int64_t>(kMasterEntrySize);
    }
    return entries;
}

void ReadMasterDatagram(std::span<const std::uint8_t> datagram, ServerTable& table,
                        bool& endMarkerSeen, MasterListCounts* counts) {
    const std::vector<Ipv4Endpoint> entries = ReadMasterEntries(datagram, endMarkerSeen);
    GrowTable(table, table.Count() + static_cast<std::int32_t>(entries.size()));
    for (const Ipv4Endpoint& entry : entries) {
        if (counts != nullptr) {
            counts->duplicates += FindServer(table, entry.address, entry.port) >= 0 ? 1 : 0;
        }
        AppendServer(table, entry.address, entry.port);
    }
    if (counts != nullptr) {
        counts->entries += static_cast<std::uint32_t>(entries.size());
    }
}

}  // namespace skelvane
