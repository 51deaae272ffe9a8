#include "engine/server_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace skelvane {

namespace {

std::uint64_t EndpointKey(std::uint32_t address, std::uint16_t port) {
    return (std::uint64_t{address} << 16) | port;
}

}  // namespace

ServerTable::~ServerTable() {
    std::free(records);
}

void ReplaceTable(ServerTable& table) {
    table.count.store(0, std::memory_order_release);
    std::free(table.records);
    table.records = nullptr;
    table.capacity = 0;
    table.indexByEndpoint.clear();
    table.serversLeftOut = false;
}

// Each growth adds at least half of what is allocated: a list that arrives
// in many datagrams is then moved a few times in all, not once per datagram,
// which would cost time in proportion to the square of its length.
std::int32_t GrowTable(ServerTable& table, std::int32_t needed) {
    needed = std::min(needed, kMaxServerRecords);
    if (needed <= table.capacity) {
        return table.capacity;
    }
    const std::int32_t newCapacity =
        std::min(std::max(needed, table.capacity + table.capacity / 2), kMaxServerRecords);
    void* grown = std::realloc(table.records, sizeof(ServerRecord) * newCapacity);
    if (grown == nullptr) {
        return table.capacity;
    }
    table.records = static_cast<ServerRecord*>(grown);
    std::memset(table.records + table.capacity, 0,
                sizeof(ServerRecord) * (newCapacity - table.capacity));
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

}  // namespace skelvane
