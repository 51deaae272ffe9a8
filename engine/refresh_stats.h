#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace skelvane {

// Passes counted one by one; later ones count as the last of these.
inline constexpr int kCountedPasses = 8;

using StatCounter = std::atomic<std::uint32_t>;

// What one refresh sent and received, counted as it happened for a front end
// that reports it. Written by the refresh threads, read once the refresh has
// ended.
struct RefreshStats {
    // The master phase: datagrams taken in, entries read from them, and
    // entries dropped for repeating an address and port listed before.
    StatCounter masterDatagrams{0};
    StatCounter masterEntries{0};
    StatCounter masterDuplicates{0};
    // Per pass: status queries sent, and answers taken in whose server's
    // latest query went out in that pass.
    std::array<StatCounter, kCountedPasses> queriesSent{};
    std::array<StatCounter, kCountedPasses> answersMatched{};
    // Datagrams on the sweep's socket that no record took: still waiting when
    // the sweep ended, from a server that had answered already, from an
    // address and port not queried in this sweep, and larger than an answer
    // may be.
    StatCounter late{0};
    StatCounter duplicate{0};
    StatCounter unmatchedSender{0};
    StatCounter oversized{0};
};

// Sets every counter to 0, as a refresh does when it starts.
void ResetRefreshStats(RefreshStats& stats);

// Adds one to the counter of the pass with this number (1 = first).
void CountInPass(std::array<StatCounter, kCountedPasses>& counters, std::int32_t pass);

}  // namespace skelvane
