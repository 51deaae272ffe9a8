#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "browse/buddy_list.h"
#include "engine/refresh_engine.h"
#include "engine/server_table.h"
#include "platform/udp_socket.h"

namespace skelvane {

// A server as a buddy event names it.
struct WatchedServer {
    Ipv4Endpoint endpoint;
    std::u16string hostName;
};

// A player who matches the buddy list, on a server that answered a refresh.
struct BuddySighting {
    std::u16string player;
    WatchedServer server;
};

enum class BuddyEventKind {
    kPlaying,  // already playing when the watch began
    kJoined,   // on a server, and on none in the refresh before
    kMoved,    // on another server than before
    kLeft,     // on no server for two refreshes in a row
};

struct BuddyEvent {
    BuddyEventKind kind;
    std::u16string player;
    // Where the player now is; for kLeft, where the player was last seen.
    WatchedServer server;
    // For kMoved: where the player was before.
    WatchedServer from;
};

// Every buddy on every answered server of the table, in table order, each
// player of a server once; `server` names the place as it answered.
std::vector<BuddySighting> SightBuddies(const ServerTable& table, const BuddyList& buddies);

// The longest pause a watch takes between refreshes: a day. A watch that
// should wait longer is better started again.
inline constexpr std::int32_t kLongestWatchPauseSeconds = 86400;

// Whether a refresh tells where buddies are: its sweep ran to the end over a
// whole list, the master's or the one that stands in for it. A refresh that
// found no list, or swept only the servers given beside a failed master,
// would make every buddy elsewhere look gone.
bool SweptWholeList(const RefreshResult& result);

// Follows buddies over a run of refreshes. A player is followed by name on
// each server: the same name on two servers is two buddies, as the list
// shows them. One missed sighting is taken for a lost answer, not a
// departure, so a lossy refresh raises nothing.
class BuddyWatch {
  public:
    // Takes the sightings of one refresh that ran its sweep to the end; gives
    // the events it raises, sightings' events in their order, then departures.
    std::vector<BuddyEvent> Observe(const std::vector<BuddySighting>& sightings);

    // Starts over: the next refresh is the first of a watch.
    void Reset();

  private:
    struct Followed {
        std::u16string player;
        WatchedServer server;
        // Refreshes in a row that did not see the player there.
        int missed = 0;
        bool gone = false;
    };

    // Indices of the places the latest refresh did not confirm, by player.
    using UnconfirmedPlaces = std::unordered_map<std::u16string, std::vector<std::size_t>>;

    std::vector<BuddyEvent> FirstRefresh(const std::vector<BuddySighting>& sightings);
    UnconfirmedPlaces UnconfirmedByPlayer(const std::vector<bool>& seen) const;
    // One unconfirmed place of the player, which it then no longer lists.
    Followed* TakeUnconfirmed(UnconfirmedPlaces& places, const std::u16string& player);
    void Follow(const BuddySighting& sighting);
    void DropGone();

    bool started_ = false;
    std::vector<Followed> followed_;
    // Index into `followed_` by player and server.
    std::unordered_map<std::u16string, std::size_t> byPlace_;
};

}  // namespace skelvane
