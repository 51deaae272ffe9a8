#pragma once

#include <cstdint>

#include "engine/server_table.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The servers of one sweep, found by address and port, and how many of them
// have not answered yet. The table neither moves nor grows during a sweep;
// every use is under the table lock.
class SweepRoster {
  public:
    explicit SweepRoster(const ServerTable& table);

    // The record that an answer from `from` belongs to: queried and not yet
    // answered. -1 when there is none.
    std::int32_t FindQueriedUnanswered(const ServerTable& table, const Ipv4Endpoint& from) const;
    void MarkAnswered() { --unanswered_; }
    std::int32_t Unanswered() const { return unanswered_; }

  private:
    std::int32_t unanswered_ = 0;
};

}  // namespace skelvane
