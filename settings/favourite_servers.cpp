#include "settings/favourite_servers.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "engine/host_and_port.h"

namespace skelvane {

namespace {

// Room for every favourite's line, "255.255.255.255:65535" and its end, with
// much to spare; a larger value is not read at all.
constexpr std::size_t kMaxStoredBytes = kMaxFavourites * 32 * sizeof(char16_t);

// Server addresses are plain ASCII; anything else cannot be one.
std::optional<Ipv4Endpoint> EndpointOfLine(const std::u16string& line) {
    const auto ascii = NarrowAscii(line);
    return ascii ? ParseDottedEndpoint(*ascii) : std::nullopt;
}

std::u16string LineOf(const Ipv4Endpoint& server) {
    const std::string text = DottedEndpoint(server);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

bool IsFavourite(const FavouriteServers& favourites, const Ipv4Endpoint& server) {
    return std::find(favourites.servers.begin(), favourites.servers.end(), server) !=
           favourites.servers.end();
}

void AddFavourite(FavouriteServers& favourites, const Ipv4Endpoint& server) {
    if (!IsFavourite(favourites, server) && favourites.servers.size() < kMaxFavourites) {
        favourites.servers.push_back(server);
        favourites.changed = true;
    }
}

void RemoveFavourite(FavouriteServers& favourites, const Ipv4Endpoint& server) {
    const auto found = std::find(favourites.servers.begin(), favourites.servers.end(), server);
    if (found != favourites.servers.end()) {
        favourites.servers.erase(found);
        favourites.changed = true;
    }
}

FavouriteServers FavouritesFromStored(const std::optional<StoredValue>& value) {
    FavouriteServers favourites;
    if (!value) {
        return favourites;
    }
    const auto lines = value->bytes.size() <= kMaxStoredBytes ? StoredLines(*value) : std::nullopt;
    favourites.storedUnreadable = !lines || lines->size() > kMaxFavourites;
    for (const std::u16string& line : lines.value_or(std::vector<std::u16string>{})) {
        const auto server = EndpointOfLine(line);
        if (!server) {
            favourites.storedUnreadable = true;
        } else if (!IsFavourite(favourites, *server) &&
                   favourites.servers.size() < kMaxFavourites) {
            favourites.servers.push_back(*server);
        }
    }
    return favourites;
}

std::optional<StoredValue> FavouritesToStore(const FavouriteServers& favourites) {
    if (!favourites.changed || favourites.storedUnreadable) {
        return std::nullopt;
    }
    std::vector<std::u16string> lines;
    for (const Ipv4Endpoint& server : favourites.servers) {
        lines.push_back(LineOf(server));
    }
    return TextLinesValue(lines);
}

}  // namespace skelvane
