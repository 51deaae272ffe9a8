#pragma once

#include <cstdint>
#include <optional>
#include <queue>
#include <vector>

#include "platform/udp_socket.h"

namespace skelvane {

// Milliseconds of a clock that never goes back and does not wrap in practice.
std::uint64_t MonotonicMs();

// A send that waits for its time: a server's late answer or a master datagram
// after its gap.
struct PendingSend {
    enum class Source { kServer, kMaster };
    std::uint64_t dueMs = 0;
    Source source = Source::kServer;
    // The server's index, or the master datagram's.
    std::uint32_t index = 0;
    Ipv4Endpoint to;
    // A server's answer only: how often it goes, and whether from the second socket.
    std::uint32_t copies = 1;
    bool fromOtherPort = false;
};

// Sends ordered by their time; sends due at the same time leave in the order
// they were queued.
class TimerQueue {
  public:
    void Push(const PendingSend& send);
    // How long a wait may last before the earliest send is due: 0 when one is
    // due already, -1 when none waits.
    int WaitMs(std::uint64_t nowMs) const;
    // The earliest send if it is due at `nowMs`.
    std::optional<PendingSend> PopDue(std::uint64_t nowMs);

  private:
    struct Entry {
        PendingSend send;
        std::uint64_t order = 0;
    };
    struct Later {
        bool operator()(const Entry& a, const Entry& b) const {
            return a.send.dueMs != b.send.dueMs ? a.send.dueMs > b.send.dueMs : a.order > b.order;
        }
    };

    std::priority_queue<Entry, std::vector<Entry>, Later> entries_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace skelvane
