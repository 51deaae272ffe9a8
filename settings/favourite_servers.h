#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/udp_socket.h"
#include "settings/stored_value.h"

namespace skelvane {

// More favourites than anyone keeps; a stored value with more is not read.
inline constexpr std::size_t kMaxFavourites = 1024;

// The servers the user marked as favourites, in the order marked. They are
// swept in every refresh, whatever the masters list.
struct FavouriteServers {
    std::vector<Ipv4Endpoint> servers;
    // Changed since they were loaded: only then is the stored value written.
    bool changed = false;
    // The stored value holds what this program cannot read; it is never
    // written over, so what the user changes lasts only until exit.
    bool storedUnreadable = false;
};

bool IsFavourite(const FavouriteServers& favourites, const Ipv4Endpoint& server);

// Each marks the favourites changed when it changes them.
void AddFavourite(FavouriteServers& favourites, const Ipv4Endpoint& server);
void RemoveFavourite(FavouriteServers& favourites, const Ipv4Endpoint& server);

// The favourites of a "Favourite Servers" value, one "A.B.C.D:PORT" a line,
// each server once. A missing value is no favourites. A value of another
// type or far too large, a line of another form or more than kMaxFavourites
// servers make it unreadable; the servers of its readable lines are still
// taken.
FavouriteServers FavouritesFromStored(const std::optional<StoredValue>& value);

// The value to store; nothing when it must not be written: nothing changed,
// or the stored value could not be read.
std::optional<StoredValue> FavouritesToStore(const FavouriteServers& favourites);

}  // namespace skelvane
