#include "engine/master_wire.h"

#include <cstring>

#include "engine/byte_cursor.h"

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
// cursor by 6 bytes only, while the count of bytes left still drops by 7. The
// reading stops at the end of what was received: a datagram shorter than the
// header holds no entries, and a trailing piece too short for an address and
// port is dropped. The table grows by what the datagram can hold, so it never
// stores more records than it has room for.
void ReadMasterDatagram(std::span<const std::uint8_t> datagram, ServerTable& table,
                        bool& endMarkerSeen, MasterListCounts* counts) {
    if (datagram.size() < kMasterHeaderSize) {
        return;
    }
    auto remaining = static_cast<std::int64_t>(datagram.size() - kMasterHeaderSize);
    GrowTable(table, table.Count() + static_cast<std::int32_t>(remaining / kMasterEntrySize));

    ByteCursor cursor(datagram);
    cursor.Skip(kMasterHeaderSize);
    while (remaining > 0) {
        if (cursor.StartsWith(kMasterEndMarker)) {
            endMarkerSeen = true;
            return;
        }
        const auto address = cursor.ReadRaw32();
        const auto port = cursor.ReadBigEndian16();
        if (!address || !port) {
            return;
        }
        const bool added = AppendServer(table, *address, *port);
        if (counts != nullptr) {
            // Only a full table refuses an entry that is no duplicate.
            ++counts->entries;
            counts->duplicates += !added && table.Count() < table.capacity ? 1 : 0;
        }
        if (cursor.Peek() == std::uint8_t{'\\'}) {
            cursor.Skip(1);
        }
        remaining -= static_cast<std::int64_t>(kMasterEntrySize);
    }
}

}  // namespace skelvane
