#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "browse/server_columns.h"
#include "engine/refresh_engine.h"
#include "settings/favourite_servers.h"

namespace skelvane {

// A game path or executable name: at most 259 characters and the terminator.
inline constexpr int kGamePathCapacity = 260;

// Everything the browser keeps between runs, as one value that the main
// window owns and hands to whatever needs it. Only the UI thread reads or
// writes it; the refresh threads get their own copies of the few members they
// use (see PublishRefreshSettings). The initial values are those of a first
// start.
struct Settings {
    char16_t gameDirectory[kGamePathCapacity] = {};
    char16_t gameExecutable[kGamePathCapacity] = u"skelvane.exe";
    std::u16string buddyText;
    std::int32_t packetsPerSecond = kDefaultQueryRate;
    std::int32_t goodPingThreshold = kDefaultGoodPing;
    std::int32_t mediumPingThreshold = kDefaultMediumPing;
    std::int32_t playerViewStyle = 0;
    std::int32_t showFull = kDefaultShowFull;
    std::int32_t showEmpty = kDefaultShowEmpty;
    std::uint32_t sortOrder = kDefaultSortOrder;
    FavouriteServers favourites;
    // Masters to ask besides those of the command line or the built-in one.
    std::vector<MasterServer> moreMasters;
    // The browser refreshes by itself and raises an alert for every buddy
    // newly seen on a server.
    std::int32_t watchForBuddies = 0;
    // Seconds from the end of a watched refresh to the start of the next, as
    // stored; WatchPauseMs gives the pause taken.
    std::int32_t watchPauseSeconds = 60;
};

// The pause between watched refreshes: the stored seconds, never less than a
// minute, so that a watch never hammers the master, nor more than a day.
std::uint32_t WatchPauseMs(std::int32_t storedSeconds);

// The text of a game path or executable member, up to its terminator.
std::u16string_view GamePathText(const char16_t (&member)[kGamePathCapacity]);

// Copies the members that refresh threads read into the engine's copies. Call
// it after every change of the filters or the query rate.
void PublishRefreshSettings(const Settings& settings, RefreshSettings& refresh);

}  // namespace skelvane
