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
}

std::int32_t GrowTable(ServerTable& table, std::int32_t newCapacity) {
    newCapacity = std::min(newCapacity, kMaxServerRecords);
    if (newCapacity <= table.capacity) {
        return table.capacity;
    }
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

bool AppendServer(ServerTable& table, std::uint32_t address, std::uint16_t port) {
    const std::int32_t count = table.Count();
    if (count >= table.capacity) {
        return false;
    }
    ServerRecord& slot = table.records[count];
    slot.address = address;
    slot.port = port;
    for (std::int32_t i = 0; i < count; ++i) {
        if (table.records[i].address == address && table.records[i].port == port) {
            return false;
        }
    }
    table.count.store(count + 1, std::memory_order_release);
    return true;
}

}  // namespace skelvane
