#pragma once

#include <cstdint>
#include <unordered_map>

#include "engine/server_table.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The servers of one sweep, found by address and port, and how many of them
// have not answered yet. The table neither moves nor grows during a sweep, so
// the index built at its start stays valid; every use is under the table lock.
class SweepRoster {
  public:
    explicit SweepRoster(const ServerTable& table);

    // The record of the server at `from`; -1 when none is listed there.
    std::int32_t Find(const Ipv4Endpoint& from) const;
    // The record that an answer from `from` belongs to: queried and not yet
    // answered. -1 when there is none.
    std::int32_t FindQueriedUnanswered(const ServerTable& table, const Ipv4Endpoint& from) const;
    void MarkAnswered() { --unanswered_; }
    std::int32_t Unanswered() const { return unanswered_; }

  private:
    std::unordered_map<std::uint64_t, std::int32_t> indexByEndpoint_;
    std::int32_t unanswered_ = 0;
};

}  // namespace skelvane
