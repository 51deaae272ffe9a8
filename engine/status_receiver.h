#pragma once

#include <atomic>
#include <cstdint>

#include "engine/refresh_engine.h"
#include "platform/event.h"
#include "platform/udp_socket.h"

namespace skelvane {

// What the sweep and its receiver thread share for one sweep.
struct SweepChannel {
    RefreshState& engine;
    UdpSocket socket;
    Event socketReadable;
    Event stopReceiver;
    Event allResponded;
    // The servers of the sweep that have not answered; under the table lock.
    std::int32_t unanswered = 0;
    // Set together with stopReceiver: the receiver reads it between the
    // datagrams of a burst, where a look at the event would cost a system call.
    std::atomic<bool> stopping{false};
    // Datagrams the receiver takes in after each wait (ReceivesPerWake).
    int receivesPerWake = 1;
};

// How many datagrams the receiver reads after each wait, for the sweep's
// pacing interval. A paced sweep's answers come one at a time, so a second
// read would nearly always find nothing, and a read that finds nothing is a
// trip to the system (two under Wine) for each answer; the socket's event is
// signalled again after a read while more datagrams wait, so one read a wake
// misses none. An unpaced sweep's answers pour in, and a burst is read
// without a wait between every two.
int ReceivesPerWake(std::uint32_t pacingIntervalMs);

// A status answer may fill the whole receive area; one more byte holds the
// zero that ends its text.
inline constexpr std::size_t kStatusDatagramCapacity = 4096;

// Thread entry; the argument is the SweepChannel. Receives answers until the
// sweep signals stopReceiver.
void StatusReceiver(void* channel);

// Handles one received datagram: finds the queried, unanswered record of the
// sender and parses the answer into it. Called with the table lock held.
// False when no record took the datagram.
bool AcceptStatusAnswer(SweepChannel& channel, std::span<const std::uint8_t> datagram,
                        const Ipv4Endpoint& from);

}  // namespace skelvane
