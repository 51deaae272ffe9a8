#pragma once

#include <cstdint>
#include <string_view>

#include "engine/server_table.h"
#include "engine/status_text.h"
#include "platform/udp_socket.h"

namespace skelvane {

// How a server-list cell is rendered.
enum DisplayKind : std::int32_t {
    KIND_MAP = 1,
    KIND_MOD = 4,
    KIND_HOSTNAME = 5,
    KIND_ADDRESS = 9,
    KIND_PLAYERS = 10,
    KIND_PING = 11,
};

enum class SortField { kHostName, kAddress, kMapName, kGameName, kPlayerCount, kPing };

struct ColumnDef {
    const char16_t* title;
    std::int32_t widthPercent;
    std::int32_t kind;
    SortField sortField;
    bool numeric;
    std::int32_t sortWeight;
};

inline constexpr int kServerColumnCount = 6;
extern const ColumnDef kServerColumns[kServerColumnCount];

inline constexpr std::uint32_t SORT_REVERSED = 0x4000;
// The Ping column, lowest first: the order before any is chosen or loaded.
inline constexpr std::uint32_t kDefaultSortOrder = 5;

// Image indices of the server list's image list.
enum ServerImage : std::int32_t {
    kImageServer = 0,
    kImagePingGood = 1,
    kImagePingMedium = 2,
    kImagePingBad = 3,
    kImageOsLinux = 4,
    kImageOsWindows = 5,
    kImageOsFreeBsd = 6,
    kImageOsMac = 7,
    // Only ever drawn over another image, as overlay kFavouriteOverlay.
    kImageFavourite = 8,
};

// The overlay number of kImageFavourite: a favourite's Host Name icon wears it.
inline constexpr std::int32_t kFavouriteOverlay = 1;

// A public slot is free: the server is not full, as the Full filter counts.
bool HasFreeSlot(const ServerRecord& record);

// The Full/Empty rule: an answered server is shown unless it is full and full
// servers are hidden, or empty and empty servers are hidden.
bool IsServerShown(const ServerRecord& record, std::int32_t showFull, std::int32_t showEmpty);

// "a.b.c.d:port": a server as its IP Address cell shows it and as the game is
// told to connect to it. The longest, with its terminator:
inline constexpr int kAddressTextCapacity = sizeof "255.255.255.255:65535";
void FormatServerAddress(const ServerRecord& record, char16_t (&out)[kAddressTextCapacity]);
void FormatEndpoint(const Ipv4Endpoint& server, char16_t (&out)[kAddressTextCapacity]);

// The whole text of any cell, before it is cut to the list's buffer: the
// longest is a record's long text.
inline constexpr int kCellTextCapacity = kLongTextCapacity;

std::int32_t OsIconForVersion(const char16_t* version);

// Negative when `a` goes before `b` in the order `sortParameter` (a column
// index, plus SORT_REVERSED for the other direction).
std::int32_t CompareServers(const ServerRecord& a, const ServerRecord& b,
                            std::uint32_t sortParameter);

// Pings below `good` show the good icon, those below `medium` the medium one.
inline constexpr std::int32_t kDefaultGoodPing = 100;
inline constexpr std::int32_t kDefaultMediumPing = 200;
struct PingThresholds {
    std::int32_t good = kDefaultGoodPing;
    std::int32_t medium = kDefaultMediumPing;
};

// The text a Host Name, Map or Mod cell shows, by the column's kind; empty
// for any other kind.
std::u16string_view TextCellOf(const ServerRecord& record, std::int32_t kind);

// The text of one cell, cut to `capacity` units and terminated; for the Ping
// column also its image. False, with nothing written, for a column that does
// not exist.
bool FormatServerCell(const ServerRecord& record, int column, const PingThresholds& thresholds,
                      char16_t* out, int capacity, std::int32_t* image);

}  // namespace skelvane
