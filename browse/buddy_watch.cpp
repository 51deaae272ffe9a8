#include "browse/buddy_watch.h"

#include <algorithm>
#include <string_view>

#include "browse/player_columns.h"

namespace skelvane {

namespace {

// A player on one server: the name, then the address and port as code units.
// A zero unit cannot occur in a name, so no two places share a key.
std::u16string PlaceKey(const std::u16string& player, const Ipv4Endpoint& endpoint) {
    std::u16string key = player;
    key += u'\0';
    key += static_cast<char16_t>(endpoint.address >> 16);
    key += static_cast<char16_t>(endpoint.address & 0xFFFFu);
    key += static_cast<char16_t>(endpoint.port);
    return key;
}

BuddyEvent EventOf(BuddyEventKind kind, const BuddySighting& sighting) {
    return BuddyEvent{kind, sighting.player, sighting.server, {}};
}

}  // namespace

bool SweptWholeList(const RefreshResult& result) {
    if (result.sweep != SweepOutcome::kCompleted) {
        return false;
    }
    switch (result.swept) {
        case SweptList::kMaster:
        case SweptList::kFallback:
            return true;
        case SweptList::kGiven:
            return result.master == MasterOutcome::kNotAsked;
        case SweptList::kNone:
            return false;
    }
    return false;
}

std::vector<BuddySighting> SightBuddies(const ServerTable& table, const BuddyList& buddies) {
    std::vector<BuddySighting> sightings;
    if (buddies.buddyCount == 0) {
        return sightings;
    }
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        const ServerRecord& record = table[i];
        if (record.responded != 1) {
            continue;
        }
        const WatchedServer server{{record.address, record.port},
                                   std::u16string(FieldText(record.hostName))};
        for (std::int32_t p = 0; p < ReadablePlayerCount(record); ++p) {
            const std::u16string_view name = PlayerNameText(record.players[p]);
            if (IsBuddyName(buddies, name)) {
                sightings.push_back(BuddySighting{std::u16string(name), server});
            }
        }
    }
    return sightings;
}

std::vector<BuddyEvent> BuddyWatch::Observe(const std::vector<BuddySighting>& sightings) {
    if (!started_) {
        return FirstRefresh(sightings);
    }
    std::vector<bool> seen(followed_.size(), false);
    std::vector<const BuddySighting*> fresh;
    for (const BuddySighting& sighting : sightings) {
        const auto found = byPlace_.find(PlaceKey(sighting.player, sighting.server.endpoint));
        if (found == byPlace_.end()) {
            fresh.push_back(&sighting);
            continue;
        }
        Followed& place = followed_[found->second];
        seen[found->second] = true;
        place.missed = 0;
        place.server.hostName = sighting.server.hostName;
    }
    std::vector<BuddyEvent> events;
    UnconfirmedPlaces unconfirmed = UnconfirmedByPlayer(seen);
    for (const BuddySighting* sighting : fresh) {
        if (byPlace_.contains(PlaceKey(sighting->player, sighting->server.endpoint))) {
            continue;  // the same name twice on one server
        }
        if (Followed* before = TakeUnconfirmed(unconfirmed, sighting->player)) {
            before->gone = true;
            events.push_back(BuddyEvent{BuddyEventKind::kMoved, sighting->player, sighting->server,
                                        before->server});
        } else {
            events.push_back(EventOf(BuddyEventKind::kJoined, *sighting));
        }
        Follow(*sighting);
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        Followed& place = followed_[i];
        if (!seen[i] && !place.gone && ++place.missed >= 2) {
            place.gone = true;
            events.push_back(BuddyEvent{BuddyEventKind::kLeft, place.player, place.server, {}});
        }
    }
    DropGone();
    return events;
}

void BuddyWatch::Reset() {
    started_ = false;
    followed_.clear();
    byPlace_.clear();
}

std::vector<BuddyEvent> BuddyWatch::FirstRefresh(const std::vector<BuddySighting>& sightings) {
    started_ = true;
    std::vector<BuddyEvent> events;
    for (const BuddySighting& sighting : sightings) {
        if (!byPlace_.contains(PlaceKey(sighting.player, sighting.server.endpoint))) {
            Follow(sighting);
            events.push_back(EventOf(BuddyEventKind::kPlaying, sighting));
        }
    }
    return events;
}

// Each player's places are listed newest first, so that taking from the back
// gives the oldest: of two places a moving player may have come from, the one
// followed longer is taken.
BuddyWatch::UnconfirmedPlaces BuddyWatch::UnconfirmedByPlayer(const std::vector<bool>& seen) const {
    UnconfirmedPlaces places;
    for (std::size_t i = seen.size(); i-- > 0;) {
        if (!seen[i]) {
            places[followed_[i].player].push_back(i);
        }
    }
    return places;
}

BuddyWatch::Followed* BuddyWatch::TakeUnconfirmed(UnconfirmedPlaces& places,
                                                  const std::u16string& player) {
    const auto found = places.find(player);
    if (found == places.end() || found->second.empty()) {
        return nullptr;
    }
    Followed& place = followed_[found->second.back()];
    found->second.pop_back();
    return &place;
}

void BuddyWatch::Follow(const BuddySighting& sighting) {
    byPlace_.emplace(PlaceKey(sighting.player, sighting.server.endpoint), followed_.size());
    followed_.push_back(Followed{sighting.player, sighting.server, 0, false});
}

void BuddyWatch::DropGone() {
    std::erase_if(followed_, [](const Followed& place) { return place.gone; });
    byPlace_.clear();
    for (std::size_t i = 0; i < followed_.size(); ++i) {
        byPlace_.emplace(PlaceKey(followed_[i].player, followed_[i].server.endpoint), i);
    }
}

}  // namespace skelvane
