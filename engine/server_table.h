#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace skelvane {

inline constexpr int kMaxPlayers = 64;
inline constexpr int kPlayerNameCapacity = 32;
inline constexpr int kLongTextCapacity = 256;
inline constexpr int kGameNameCapacity = 64;

// A hostile master could otherwise make the table grow without end; this is far
// above any real server list and keeps the table near 100 MB at most.
inline constexpr std::int32_t kMaxServerRecords = 16384;

struct PlayerRecord {
    char16_t name[kPlayerNameCapacity];
    std::int32_t ping;
    std::int32_t score;
};

struct ServerRecord {
    std::uint32_t address;  // network byte order, as listed by the master
    std::uint16_t port;     // host byte order
    char16_t hostName[kLongTextCapacity];
    char16_t mapName[kLongTextCapacity];
    char16_t version[kLongTextCapacity];
    char16_t gameName[kGameNameCapacity];
    std::int32_t playerCount;
    std::int32_t maxClients;
    std::uint32_t sendTime;  // clock reading of the latest query; 0 = not queried
    std::uint32_t ping;
    PlayerRecord players[kMaxPlayers];
    std::int32_t responded;
    std::int32_t attempts;
    std::int32_t pure;
    std::int32_t timeLimit;
    std::int32_t privateClients;
};

// A text field of a record up to its terminator, or all of it when it has none.
template <std::size_t Capacity>
std::u16string_view FieldText(const char16_t (&field)[Capacity]) {
    const char16_t* end = std::find(field, field + Capacity, u'\0');
    return {field, static_cast<std::size_t>(end - field)};
}

// The servers of the current refresh. Only the refresh worker writes `records`
// and `count`, and only in the master phase; every thread may read them.
struct ServerTable {
    ServerRecord* records = nullptr;
    std::atomic<std::int32_t> count{0};
    // Records the master reader may fill; known to it only.
    std::int32_t capacity = 0;
    // Records allocated, zero-filled beyond `capacity`: at least `capacity`.
    std::int32_t allocated = 0;
    // The index of each record by its address and port, kept with `count`.
    std::unordered_map<std::uint64_t, std::int32_t> indexByEndpoint;
    // Set when a listed server was left out for want of room.
    bool serversLeftOut = false;

    ServerTable() = default;
    ServerTable(const ServerTable&) = delete;
    ServerTable& operator=(const ServerTable&) = delete;
    ~ServerTable();

    std::int32_t Count() const { return count.load(std::memory_order_acquire); }
    ServerRecord& operator[](std::int32_t index) { return records[index]; }
    const ServerRecord& operator[](std::int32_t index) const { return records[index]; }
};

// Empties the table and releases its records.
void ReplaceTable(ServerTable& table);

// Makes room for `newCapacity` records (at most kMaxServerRecords), zero-filling
// the new ones and keeping the old ones. On failure the table keeps its old
// size. Gives the capacity now usable.
std::int32_t GrowTable(ServerTable& table, std::int32_t newCapacity);

// Stores address and port at index `count` unless a record holds the same
// pair. Nothing is stored when the table is full, which `serversLeftOut`
// records. True when a record was added.
bool AppendServer(ServerTable& table, std::uint32_t address, std::uint16_t port);

// The index of the record with this address and port; -1 when there is none.
std::int32_t FindServer(const ServerTable& table, std::uint32_t address, std::uint16_t port);

// The record that an answer from this address and port belongs to: one that
// has been queried and has not answered yet. -1 when there is none.
std::int32_t FindQueriedUnanswered(const ServerTable& table, std::uint32_t address,
                                   std::uint16_t port);

// How many records have not answered.
std::int32_t CountUnanswered(const ServerTable& table);

}  // namespace skelvane
