#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/refresh_defaults.h"
#include "engine/refresh_front_end.h"
#include "engine/refresh_stats.h"
#include "engine/server_table.h"
#include "platform/event.h"
#include "platform/lock.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The master server this program asks when none is given.
inline constexpr char kDefaultMasterHost[] = "master.skelvane.net";
inline constexpr std::uint16_t kMasterPort = 30710;

// Every wait of a refresh. The defaults are the program's real timings; tests
// may shorten them.
struct RefreshTiming {
    std::uint32_t masterAnswerWaitMs = 2000;
    std::int32_t masterAttempts = 3;
    std::uint32_t masterGapMs = 1000;
    std::uint32_t masterGapAfterEndMs = 500;
    std::int32_t sweepPasses = 3;
    std::uint32_t passEndWaitMs = 1000;
    std::uint32_t repaintAfterMs = 250;
};

// The settings that refresh threads read while the UI thread may change them.
struct RefreshSettings {
    std::atomic<std::int32_t> showFull{kDefaultShowFull};
    std::atomic<std::int32_t> showEmpty{kDefaultShowEmpty};
    std::atomic<std::int32_t> packetsPerSecond{kDefaultQueryRate};
};

struct MasterServer {
    std::string hostName = kDefaultMasterHost;
    std::uint16_t port = kMasterPort;
};

// A list swept instead of the master's when the master phase fails, and the
// status text that says so, shown in place of "Querying servers...".
struct FallbackList {
    std::vector<Ipv4Endpoint> servers;
    std::u16string status;
};

// Servers a front end names itself, beside or instead of the master's list.
struct ServerSources {
    // False: no master is asked and only `given` is swept.
    bool askMaster = true;
    // Swept with the master's list; a server on both is swept once.
    std::vector<Ipv4Endpoint> given;
    // Asked on the refresh thread once the master phase has failed, never
    // after an abort, with the text the failure showed: the list to sweep
    // instead, or nothing when there is none.
    std::function<std::optional<FallbackList>(std::u16string_view failure)> fallback;
    // Handed the master's list on the refresh thread, before the sweep,
    // after every master phase whose answer ended with the end marker.
    std::function<void(std::span<const Ipv4Endpoint> masterList)> keepMasterList;
};

// How the master phase of a refresh ended.
enum class MasterOutcome { kHandedOver, kResolveFailed, kNoResponse, kQueryError, kNotAsked };

// Which list a refresh swept.
enum class SweptList {
    kNone,      // none: the master phase failed and nothing else was given
    kMaster,    // the master's, with the given servers
    kFallback,  // the fallback list, with the given servers, since the master phase failed
    kGiven,     // the given servers alone
};

// How a sweep ended.
enum class SweepOutcome { kCompleted, kAborted, kSetupFailed };

struct RefreshResult {
    MasterOutcome master = MasterOutcome::kQueryError;
    SweptList swept = SweptList::kNone;
    SweepOutcome sweep = SweepOutcome::kSetupFailed;
    // The master's entries at the front of the table, and whether its answer
    // ended with the end marker.
    std::int32_t masterListed = 0;
    bool masterListComplete = false;
    std::int32_t responded = 0;
    std::int32_t listed = 0;
    // The user asked the refresh to stop before it ended, in whichever phase.
    bool aborted = false;
};

// Everything one refresh shares between the UI thread and the refresh threads.
struct RefreshState {
    ServerTable table;
    Lock tableLock;
    Event abortEvent = Event::Create(EventReset::kManual);
    std::atomic<std::int32_t> refreshInProgress{0};
    std::atomic<std::int32_t> listNeedsRepaint{0};
    RefreshSettings settings;
    RefreshTiming timing;
    // Asked at once, at least one; the first is the one a single master is.
    std::vector<MasterServer> masters{MasterServer{}};
    ServerSources sources;
    RefreshStats stats;
    // Set before a refresh starts; never null.
    std::shared_ptr<RefreshFrontEnd> frontEnd = std::make_shared<RefreshFrontEnd>();
    // How the latest refresh went; written before its front end is told it
    // has ended.
    RefreshResult lastResult;
    // Called on the receiver thread between reading an answer and taking the
    // table lock for it; tests hold the receiver there to fix the order of
    // the end of a sweep. Empty in the programs.
    std::function<void()> answerRead;
};

// Marks a refresh as running and starts its worker thread. False when one is
// already running or the thread could not be started (the refresh then ends at
// once, through the usual ending). The worker holds the engine, and with it the
// front end, until it ends: a front end may drop its own hold at any moment,
// and nothing a refresh thread touches is released under it.
bool StartRefresh(const std::shared_ptr<RefreshState>& engine);

// Asks the running refresh to stop.
void AbortRefresh(RefreshState& engine);

bool IsRefreshInProgress(const RefreshState& engine);

// One whole refresh on the calling thread: the master query, the hand-over,
// the sweep and the ending. `refreshInProgress` must already be set.
RefreshResult RunRefresh(RefreshState& engine);

}  // namespace skelvane
