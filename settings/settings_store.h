#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "settings/settings.h"
#include "settings/stored_value.h"

namespace skelvane {

// Where the settings live, below the current user's key, and where the game
// records its own install directory, below the local machine's key.
inline constexpr char16_t kSettingsKeyPath[] = u"SOFTWARE\\Drenlix\\Skelvane Server Browser";
inline constexpr char16_t kGameKeyPath[] = u"SOFTWARE\\Skelvane";
inline constexpr char16_t kInstallDirValue[] = u"InstallDir";

inline constexpr char16_t kGameDirectoryValue[] = u"Skelvane Directory";
inline constexpr char16_t kGameExecutableValue[] = u"Skelvane Executable";
inline constexpr char16_t kBuddyListValue[] = u"Buddy List";
inline constexpr char16_t kPacketsPerSecondValue[] = u"Packets Per Second";
inline constexpr char16_t kPlayerViewStyleValue[] = u"Player View Style";
inline constexpr char16_t kGoodPingValue[] = u"Good Ping Threshold";
inline constexpr char16_t kMediumPingValue[] = u"Medium Ping Threshold";
inline constexpr char16_t kVersionValue[] = u"Version";
inline constexpr char16_t kSortOrderValue[] = u"Sort Order";
inline constexpr char16_t kShowEmptyValue[] = u"Show Empty Servers";
inline constexpr char16_t kShowFullValue[] = u"Show Full Servers";
inline constexpr char16_t kWindowPositionValue[] = u"Window Position";
inline constexpr char16_t kFavouriteServersValue[] = u"Favourite Servers";
inline constexpr char16_t kMasterServersValue[] = u"Master Servers";
inline constexpr char16_t kWatchForBuddiesValue[] = u"Watch For Buddies";
inline constexpr char16_t kWatchPauseValue[] = u"Watch Pause Seconds";

// The format that saving writes: the buddy list as UTF-16.
inline constexpr std::int32_t kCurrentFormatVersion = 2;

// One value of a key as stored, or nothing when it is missing or unreadable.
using ReadStored = std::function<std::optional<StoredValue>(const char16_t* name)>;
// Stores one value, or deletes it when `value` is null. True on success.
using WriteStored = std::function<bool(const char16_t* name, const StoredValue* value)>;

// The game path, executable and buddy list as a load left them, for each of
// those values that the store holds: saving leaves such a value exactly as it
// is stored, whatever its type, size or content, until the run changes its
// member. Nothing for a value that saving writes in any case: one the store
// does not hold, and a buddy list still to be converted from 8-bit text.
struct StoredTexts {
    std::optional<std::u16string> gameDirectory;
    std::optional<std::u16string> gameExecutable;
    std::optional<std::u16string> buddyText;
};

// What a load gives besides the settings.
struct LoadedStore {
    // The stored window placement, if usable.
    std::optional<StoredPlacement> placement;
    StoredTexts texts;
};

// Fills every member but `sortOrder` from the settings key, or with the
// values of a first start when `settingsKey` is null; `sortOrder` changes
// only when one is stored. `readInstallDir` is asked only when no game
// directory is stored.
LoadedStore LoadStoredSettings(const ReadStored* settingsKey,
                               const std::function<std::optional<StoredValue>()>& readInstallDir,
                               Settings& settings);

// What saving takes from the window and the store besides the settings.
struct SaveInputs {
    bool showEmptyChecked = false;
    bool showFullChecked = false;
    std::optional<StoredPlacement> placement;
    // The format of the store about to be written over.
    std::int32_t storedFormatVersion = 1;
    StoredTexts storedTexts;
    // The watch switch as the store holds it.
    std::optional<StoredValue> storedWatch;
};

void SaveStoredSettings(const Settings& settings, const SaveInputs& inputs,
                        const WriteStored& write);

}  // namespace skelvane
