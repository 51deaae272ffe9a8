#include "settings/settings_store.h"

#include "settings/config_fields.h"
#include "settings/master_servers.h"

namespace skelvane {

namespace {

constexpr char16_t kDefaultGameExecutable[] = u"skelvane.exe";
constexpr std::int32_t kDefaultGoodPing = 100;
constexpr std::int32_t kDefaultMediumPing = 200;

// Everything a load sets, before anything is read: a missing value leaves
// zero, and zero turns into the default where one exists.
void ClearLoadedMembers(Settings& settings, bool firstStart) {
    const std::uint32_t sortOrder = settings.sortOrder;
    settings = Settings{};
    settings.sortOrder = sortOrder;
    settings.showEmpty = firstStart ? 1 : 0;
    settings.showFull = firstStart ? 1 : 0;
}

template <typename Member>
void ReadNumber(const ReadStored& key, const char16_t* name, Member& member) {
    if (const auto number = StoredNumber(key(name).value_or(StoredValue{}))) {
        member = static_cast<Member>(*number);
    }
}

void ReplaceZero(std::int32_t& member, std::int32_t value) {
    if (member == 0) {
        member = value;
    }
}

void ApplyDefaults(Settings& settings) {
    if (settings.gameExecutable[0] == u'\0') {
        std::u16string_view(kDefaultGameExecutable)
            .copy(settings.gameExecutable, kGamePathCapacity - 1);
    }
    settings.packetsPerSecond = UsableQueryRate(settings.packetsPerSecond);
    ReplaceZero(settings.goodPingThreshold, kDefaultGoodPing);
    ReplaceZero(settings.mediumPingThreshold, kDefaultMediumPing);
}

std::optional<StoredPlacement> ReadStore(const ReadStored& key, Settings& settings) {
    ReadNumber(key, kPacketsPerSecondValue, settings.packetsPerSecond);
    ReadNumber(key, kPlayerViewStyleValue, settings.playerViewStyle);
    ReadNumber(key, kGoodPingValue, settings.goodPingThreshold);
    ReadNumber(key, kMediumPingValue, settings.mediumPingThreshold);
    ReadNumber(key, kShowEmptyValue, settings.showEmpty);
    ReadNumber(key, kShowFullValue, settings.showFull);
    const std::int32_t version = StoredFormatVersion(key(kVersionValue));
    ReadNumber(key, kSortOrderValue, settings.sortOrder);
    ReadNumber(key, kWatchForBuddiesValue, settings.watchForBuddies);
    ReadNumber(key, kWatchPauseValue, settings.watchPauseSeconds);
    if (const auto directory = key(kGameDirectoryValue)) {
        TakeStoredText(*directory, settings.gameDirectory);
    }
    if (const auto executable = key(kGameExecutableValue)) {
        TakeStoredText(*executable, settings.gameExecutable);
    }
    const auto placement = key(kWindowPositionValue);
    const auto buddies = key(kBuddyListValue);
    settings.buddyText = StoredBuddyText(buddies ? &*buddies : nullptr, version);
    settings.favourites = FavouritesFromStored(key(kFavouriteServersValue));
    settings.moreMasters = MastersFromStored(key(kMasterServersValue));
    return placement ? StoredWindowPlacement(*placement) : std::nullopt;
}

}  // namespace

std::int32_t StoredFormatVersion(const std::optional<StoredValue>& version) {
    return version ? StoredNumber(*version).value_or(1) : 1;
}

std::optional<StoredPlacement> LoadStoredSettings(
    const ReadStored* settingsKey,
    const std::function<std::optional<StoredValue>()>& readInstallDir, Settings& settings) {
    ClearLoadedMembers(settings, settingsKey == nullptr);
    std::optional<StoredPlacement> placement;
    if (settingsKey != nullptr) {
        placement = ReadStore(*settingsKey, settings);
    }
    if (settings.gameDirectory[0] == u'\0') {
        // Taken as the game stored it: no backslash is added.
        if (const auto installDir = readInstallDir()) {
            TakeStoredText(*installDir, settings.gameDirectory);
        }
    }
    ApplyDefaults(settings);
    return placement;
}

// The watch switch is written when it is on, or over a switch stored in a
// form this program reads: a browser that never watched leaves the store as a
// first start does, and a value it cannot read stays as it is while the watch
// stays off. The pause is read only: it is the user's to set in the store.
//
// The buddy list's encoding is told by "Version", so the two must never
// disagree, whichever write fails or wherever saving stops: "Version" is
// written first and the list only after it. A store still in the 8-bit
// format loses its old list before that, since that list would be misread
// as UTF-16 once "Version" says 2.
void SaveStoredSettings(const Settings& settings, const SaveInputs& inputs,
                        const WriteStored& write) {
    const auto put = [&write](const char16_t* name, const StoredValue& value) {
        return write(name, &value);
    };
    put(kGameDirectoryValue, TextValue(GamePathText(settings.gameDirectory)));
    put(kGameExecutableValue, TextValue(GamePathText(settings.gameExecutable)));
    const bool oldListGone = inputs.storedFormatVersion != 1 || write(kBuddyListValue, nullptr);
    if (oldListGone && put(kVersionValue, NumberValue(kCurrentFormatVersion))) {
        put(kBuddyListValue, TextValue(settings.buddyText));
    }
    put(kPacketsPerSecondValue, NumberValue(settings.packetsPerSecond));
    put(kPlayerViewStyleValue, NumberValue(settings.playerViewStyle));
    put(kGoodPingValue, NumberValue(settings.goodPingThreshold));
    put(kMediumPingValue, NumberValue(settings.mediumPingThreshold));
    put(kSortOrderValue, NumberValue(static_cast<std::int32_t>(settings.sortOrder)));
    put(kShowEmptyValue, NumberValue(inputs.showEmptyChecked ? 1 : 0));
    put(kShowFullValue, NumberValue(inputs.showFullChecked ? 1 : 0));
    if (const auto favourites = FavouritesToStore(settings.favourites)) {
        put(kFavouriteServersValue, *favourites);
    }
    if (settings.watchForBuddies != 0 ||
        (inputs.storedWatch && StoredNumber(*inputs.storedWatch))) {
        put(kWatchForBuddiesValue, NumberValue(settings.watchForBuddies));
    }
    if (inputs.placement) {
        put(kWindowPositionValue,
            StoredValue{StoredType::kBinary,
                        {inputs.placement->bytes.begin(), inputs.placement->bytes.end()}});
    }
}

}  // namespace skelvane
