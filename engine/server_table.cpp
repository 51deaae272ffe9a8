#include "engine/server_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace skelvane {

ServerTable::~ServerTable() {
    std::free(records);
}

void ReplaceTable(ServerTable& table) {
    table.count.store(0, std::memory_order_release);
    std::free(table.records);
    table.records = nullptr;
    table.capacity = 0;
    table.allocated = 0;
    table.indexByEndpoint.clear();
    table.serversLeftOut = false;
}

namespace {

std::uint64_t EndpointKey(std::uint32_t address, std::uint16_t port) {
    return (std::uint64_t{address} << 16) | port;
}

// A list arrives a datagram at a time, each adding room for its entries. A
// record is several kilobytes, and a heap that cannot grow a block in place
// copies the whole array on every growth; growing the allocation by half at
// least keeps the copying to a small multiple of the final table.
bool Allocate(ServerTable& table, std::int32_t needed) {
    const std::int32_t wanted =
        std::min(std::max(needed, table.allocated + table.allocated / 2), kMaxServerRecords);
    void* grown = std::realloc(table.records, sizeof(ServerRecord) * wanted);
    if (grown == nullptr) {
        return false;
    }
    table.records = static_cast<ServerRecord*>(grown);
    std::memset(table.records + table.allocated, 0,
                sizeof(ServerRecord) * (wanted - table.allocated));
    table.allocated = wanted;
    return true;
}

}  // namespace

std::int32_t GrowTable(ServerTable& table, std::int32_t newCapacity) {
    newCapacity = std::min(newCapacity, kMaxServerRecords);
    if (newCapacity <= table.capacity) {
        return table.capacity;
    }
    if (newCapacity > table.allocated && !Allocate(table, newCapacity)) {
        return table.capacity;
    }
    table.capacity = newCapacity;
    return table.capacity;
}

// The duplicate test is one look-up, so that a list of any length, with any
// number of repeats, is read in time proportional to its length.
bool AppendServer(ServerTable& table, std::uint32_t address, std::uint16_t port) {
    const std::int32_t count = table.Count();
    const std::uint64_t key = EndpointKey(address, port);
    if (table.indexByEndpoint.contains(key)) {
        return false;
    }
    if (count >= table.capacity) {
        table.serversLeftOut = true;
        return false;
    }
    table.indexByEndpoint.emplace(key, count);
    ServerRecord& slot = table.records[count];
    slot.address = address;
    slot.port = port;
    table.count.store(count + 1, std::memory_order_release);
    return true;
}

std::int32_t FindServer(const ServerTable& table, std::uint32_t address, std::uint16_t port) {
    const auto found = table.indexByEndpoint.find(EndpointKey(address, port));
    return found == table.indexByEndpoint.end() ? -1 : found->second;
}

// An answer from a server that has not been asked yet, or a second answer,
// changes nothing.
std::int32_t FindQueriedUnanswered(const ServerTable& table, std::uint32_t address,
                                   std::uint16_t port) {
    const std::int32_t index = FindServer(table, address, port);
    if (index < 0) {
        return -1;
    }
    const ServerRecord& record = table[index];
    return record.sendTime != 0 && record.responded == 0 ? index : -1;
}

std::int32_t CountUnanswered(const ServerTable& table) {
    std::int32_t unanswered = 0;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        unanswered += table[i].responded == 0 ? 1 : 0;
    }
    return unanswered;
}

}  // namespace skelvane
