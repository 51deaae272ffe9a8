#include "browse/server_columns.h"

#include <algorithm>
#include <string_view>

#include "engine/ascii_text.h"
#include "engine/host_and_port.h"
#include "engine/status_text.h"

namespace skelvane {

const ColumnDef kServerColumns[kServerColumnCount] = {
    {u"Host Name", 40, KIND_HOSTNAME, SortField::kHostName, false, +1},
    {u"IP Address", 20, KIND_ADDRESS, SortField::kAddress, true, 0},
    {u"Map", 10, KIND_MAP, SortField::kMapName, false, +1},
    {u"Mod", 10, KIND_MOD, SortField::kGameName, false, +1},
    {u"Players", 11, KIND_PLAYERS, SortField::kPlayerCount, true, -1},
    {u"Ping", 9, KIND_PING, SortField::kPing, true, +1},
};

namespace {

// Slots open to the public. Both numbers come from the server, so the
// difference wraps as 32-bit arithmetic does instead of overflowing.
std::int32_t PublicSlots(const ServerRecord& record) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(record.maxClients) -
                                     static_cast<std::uint32_t>(record.privateClients));
}

bool ContainsIgnoringAsciiCase(std::u16string_view text, std::u16string_view lowerNeedle) {
    const auto found = std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(),
                                   [](char16_t a, char16_t b) { return FoldAsciiCase(a) == b; });
    return found != text.end() || lowerNeedle.empty();
}

// Negative, zero or positive as `a` goes before, with or after `b` when A to
// Z are folded; a text that is a prefix of the other goes first.
std::int32_t CompareTextIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = FoldAsciiCase(a[i]);
        const char16_t y = FoldAsciiCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::int32_t NumericSortValue(const ServerRecord& record, SortField field) {
    switch (field) {
        case SortField::kAddress:
            return static_cast<std::int32_t>(record.address);
        case SortField::kPlayerCount:
            return record.playerCount;
        case SortField::kPing:
            return static_cast<std::int32_t>(record.ping);
        default:
            return 0;
    }
}

const char16_t* TextSortValue(const ServerRecord& record, SortField field) {
    switch (field) {
        case SortField::kHostName:
            return record.hostName;
        case SortField::kMapName:
            return record.mapName;
        case SortField::kGameName:
            return record.gameName;
        default:
            return u"";
    }
}

std::int32_t PingImage(std::uint32_t ping, const PingThresholds& thresholds) {
    if (ping <= static_cast<std::uint32_t>(thresholds.good)) {
        return kImagePingGood;
    }
    if (ping <= static_cast<std::uint32_t>(thresholds.medium)) {
        return kImagePingMedium;
    }
    return kImagePingBad;
}

// The cell's text in full, before it is cut to the caller's buffer.
void RenderCell(const ServerRecord& record, std::int32_t kind,
                char16_t (&text)[kCellTextCapacity]) {
    text[0] = u'\0';
    switch (kind) {
        case KIND_HOSTNAME:
        case KIND_MAP:
        case KIND_MOD:
            CopyText(text, TextCellOf(record, kind));
            break;
        case KIND_ADDRESS: {
            char16_t address[kAddressTextCapacity];
            FormatServerAddress(record, address);
            CopyText(text, address);
            break;
        }
        case KIND_PLAYERS:
            FormatText(text, u"%d / %d", {record.playerCount, PublicSlots(record)});
            break;
        case KIND_PING:
            FormatText(text, u"%d", {static_cast<std::int32_t>(record.ping)});
            break;
        default:
            break;
    }
}

}  // namespace

std::u16string_view TextCellOf(const ServerRecord& record, std::int32_t kind) {
    switch (kind) {
        case KIND_HOSTNAME:
            return FieldText(record.hostName);
        case KIND_MAP:
            return FieldText(record.mapName);
        case KIND_MOD:
            return FieldText(record.gameName);
        default:
            return {};
    }
}

void FormatServerAddress(const ServerRecord& record, char16_t (&out)[kAddressTextCapacity]) {
    FormatEndpoint(Ipv4Endpoint{record.address, record.port}, out);
}

void FormatEndpoint(const Ipv4Endpoint& server, char16_t (&out)[kAddressTextCapacity]) {
    FormatText(out, u"%S:%d", {DottedAddress(server.address).c_str(), std::int32_t{server.port}});
}

bool HasFreeSlot(const ServerRecord& record) {
    return record.playerCount < PublicSlots(record);
}

bool IsServerShown(const ServerRecord& record, std::int32_t showFull, std::int32_t showEmpty) {
    return record.responded == 1 && (showFull != 0 || HasFreeSlot(record)) &&
           (showEmpty != 0 || record.playerCount != 0);
}

// The tests run in this order and the first match decides, so a version that
// names darwin counts as Windows before "osx" or "ppc" are looked for.
std::int32_t OsIconForVersion(const char16_t* version) {
    const std::u16string_view text = version;
    if (ContainsIgnoringAsciiCase(text, u"linux")) {
        return kImageOsLinux;
    }
    if (ContainsIgnoringAsciiCase(text, u"mingw") || ContainsIgnoringAsciiCase(text, u"win") ||
        ContainsIgnoringAsciiCase(text, u"msvc")) {
        return kImageOsWindows;
    }
    if (ContainsIgnoringAsciiCase(text, u"freebsd")) {
        return kImageOsFreeBsd;
    }
    if (ContainsIgnoringAsciiCase(text, u"osx") || ContainsIgnoringAsciiCase(text, u"ppc")) {
        return kImageOsMac;
    }
    return kImageServer;
}

// A stored order whose column does not exist compares every pair as equal,
// which leaves the rows as they stand instead of reading past the table.
std::int32_t CompareServers(const ServerRecord& a, const ServerRecord& b,
                            std::uint32_t sortParameter) {
    const std::int32_t sign = (sortParameter & SORT_REVERSED) != 0 ? -1 : 1;
    const std::uint32_t column = sortParameter & ~SORT_REVERSED;
    if (column >= kServerColumnCount) {
        return 0;
    }
    const ColumnDef& def = kServerColumns[column];
    const std::int32_t weight = def.sortWeight * sign;
    if (!def.numeric) {
        return CompareTextIgnoringAsciiCase(TextSortValue(a, def.sortField),
                                            TextSortValue(b, def.sortField)) *
               weight;
    }
    const std::int32_t x = NumericSortValue(a, def.sortField);
    const std::int32_t y = NumericSortValue(b, def.sortField);
    return x < y ? -weight : (x > y ? weight : 0);
}

bool FormatServerCell(const ServerRecord& record, int column, const PingThresholds& thresholds,
                      char16_t* out, int capacity, std::int32_t* image) {
    if (column < 0 || column >= kServerColumnCount) {
        return false;
    }
    const std::int32_t kind = kServerColumns[column].kind;
    if (kind == KIND_PING && image != nullptr) {
        *image = PingImage(record.ping, thresholds);
    }
    char16_t text[kCellTextCapacity];
    RenderCell(record, kind, text);
    CopyText(out, capacity, text);
    return true;
}

}  // namespace skelvane
