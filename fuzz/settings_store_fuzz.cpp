// Arbitrary registry contents through the settings store: every value of
// any type, size and content, then a save and a second load. A start and a
// close with nothing changed keep the settings as they were, and leave every
// stored game path, executable and buddy list as it was stored; only an 8-bit
// buddy list is written again, converted without losing a character.
//
// Input: records of [value index][type][size, 2 bytes little-endian][bytes].

#include <cstring>
#include <map>
#include <string>

#include "browse/buddy_list.h"
#include "fuzz/fuzz_check.h"
#include "settings/settings_store.h"

using namespace skelvane;
using skelvane::fuzz::IsTerminated;
using skelvane::fuzz::Require;

namespace {

// Index 12 stands for the game's own install directory.
const char16_t* const kNames[] = {
    kGameDirectoryValue,   kGameExecutableValue,   kBuddyListValue,     kPacketsPerSecondValue,
    kPlayerViewStyleValue, kGoodPingValue,         kMediumPingValue,    kVersionValue,
    kSortOrderValue,       kShowEmptyValue,        kShowFullValue,      kWindowPositionValue,
    kInstallDirValue,      kFavouriteServersValue, kMasterServersValue,
};
constexpr std::size_t kNameCount = sizeof kNames / sizeof kNames[0];

using Store = std::map<std::u16string, StoredValue>;

Store Decode(const std::uint8_t* data, std::size_t size) {
    Store store;
    std::size_t at = 0;
    while (at + 4 <= size) {
        const char16_t* name = kNames[data[at] % kNameCount];
        const auto type = static_cast<StoredType>(data[at + 1]);
        const std::size_t length =
            std::min<std::size_t>(data[at + 2] | data[at + 3] << 8, size - at - 4);
        store[name] = StoredValue{type, {data + at + 4, data + at + 4 + length}};
        at += 4 + length;
    }
    return store;
}

std::optional<StoredValue> Find(const Store& store, const char16_t* name) {
    const auto found = store.find(name);
    return found == store.end() ? std::nullopt : std::optional(found->second);
}

Settings Load(const Store& store, LoadedStore& loaded) {
    const ReadStored read = [&store](const char16_t* name) { return Find(store, name); };
    Settings settings;
    loaded = LoadStoredSettings(
        &read, [&read] { return read(kInstallDirValue); }, settings);
    return settings;
}

bool SameTexts(const char16_t* a, const char16_t* b) {
    return std::u16string(a) == std::u16string(b);
}

bool SameValues(const StoredValue& a, const StoredValue& b) {
    return a.type == b.type && a.bytes == b.bytes;
}

// A stored text after a start and a close: as it was, or for an 8-bit buddy
// list, the same characters in UTF-16 in a store that now says so.
void RequireTextKept(const Store& before, const Store& after, const char16_t* name) {
    const auto was = Find(before, name);
    if (!was) {
        return;
    }
    const auto now = Find(after, name);
    Require(now.has_value());
    if (SameValues(*was, *now)) {
        return;
    }
    Require(name == kBuddyListValue && StoredFormatVersion(Find(before, kVersionValue)) == 1);
    Require(IsWhollyAnsiText(*was));
    const std::int32_t version = StoredFormatVersion(Find(after, kVersionValue));
    Require(version != 1 && StoredBuddyText(&*now, version) == StoredBuddyText(&*was, 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Store store = Decode(data, size);
    const Store before = store;
    LoadedStore loadedStore;
    const Settings loaded = Load(store, loadedStore);
    const std::optional<StoredPlacement>& placement = loadedStore.placement;

    Require(IsTerminated(loaded.gameDirectory));
    Require(IsTerminated(loaded.gameExecutable) && loaded.gameExecutable[0] != u'\0');
    Require(loaded.packetsPerSecond > 0);
    Require(loaded.goodPingThreshold != 0 && loaded.mediumPingThreshold != 0);
    Require(loaded.favourites.servers.size() <= kMaxFavourites);
    const BuddyList buddies = ParseBuddyList(loaded.buddyText);
    for (std::int32_t i = 0; i < buddies.buddyCount; ++i) {
        Require(IsTerminated(buddies.buddyNames[static_cast<std::size_t>(i)].text));
    }

    // Saved and loaded again, the settings stay as they were: favourites
    // written whole, or not at all over a value that could not be read.
    Settings changed = loaded;
    changed.favourites.changed = true;
    SaveInputs inputs;
    inputs.showEmptyChecked = loaded.showEmpty != 0;
    inputs.showFullChecked = loaded.showFull != 0;
    inputs.placement = placement;
    inputs.storedFormatVersion = StoredFormatVersion(Find(store, kVersionValue));
    inputs.storedTexts = loadedStore.texts;
    SaveStoredSettings(changed, inputs, [&store](const char16_t* name, const StoredValue* value) {
        if (value == nullptr) {
            store.erase(name);
        } else {
            store[name] = *value;
        }
        return true;
    });
    for (const char16_t* name : {kGameDirectoryValue, kGameExecutableValue, kBuddyListValue}) {
        RequireTextKept(before, store, name);
    }
    LoadedStore loadedAgain;
    const Settings again = Load(store, loadedAgain);
    const std::optional<StoredPlacement>& placementAgain = loadedAgain.placement;
    Require(SameTexts(again.gameDirectory, loaded.gameDirectory));
    Require(SameTexts(again.gameExecutable, loaded.gameExecutable));
    Require(again.buddyText == loaded.buddyText);
    Require(again.packetsPerSecond == loaded.packetsPerSecond);
    Require(again.goodPingThreshold == loaded.goodPingThreshold);
    Require(again.mediumPingThreshold == loaded.mediumPingThreshold);
    Require(again.playerViewStyle == loaded.playerViewStyle);
    Require(again.sortOrder == loaded.sortOrder);
    Require((again.showEmpty != 0) == (loaded.showEmpty != 0));
    Require((again.showFull != 0) == (loaded.showFull != 0));
    Require(again.favourites.servers == loaded.favourites.servers);
    Require(again.moreMasters.size() == loaded.moreMasters.size());
    Require(placementAgain.has_value() == placement.has_value());
    Require(!placement || std::memcmp(placement->bytes.data(), placementAgain->bytes.data(),
                                      kPlacementSize) == 0);
    return 0;
}
