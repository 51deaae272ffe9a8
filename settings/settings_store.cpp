#include "settings/settings_store.h"

#include <algorithm>

#include "engine/refresh_defaults.h"
#include "settings/master_servers.h"

namespace skelvane {

namespace {

// Everything a load sets, before anything is read: a missing value leaves
// zero, and zero turns into the default where one exists. Only a first start
// keeps the filters' defaults.
void ClearLoadedMembers(Settings& settings, bool firstStart) {
    const std::uint32_t sortOrder = settings.sortOrder;
    settings = Settings{};
    settings.sortOrder = sortOrder;
    if (!firstStart) {
        settings.showEmpty = 0;
        settings.showFull = 0;
    }
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
    const Settings firstStart;
    if (settings.gameExecutable[0] == u'\0') {
        std::copy(std::begin(firstStart.gameExecutable), std::end(firstStart.gameExecutable),
                  settings.gameExecutable);
    }
    settings.packetsPerSecond = UsableQueryRate(settings.packetsPerSecond);
    ReplaceZero(settings.goodPingThreshold, firstStart.goodPingThreshold);
    ReplaceZero(settings.mediumPingThreshold, firstStart.mediumPingThreshold);
}

// Which of the texts the store holds, to be left as stored while unchanged.
struct HeldTexts {
    bool gameDirectory = false;
    bool gameExecutable = false;
    bool buddyText = false;
};

// True when the store holds the value, whether or not it could be used.
bool ReadPath(const ReadStored& key, const char16_t* name, std::span<char16_t> member) {
    const std::optional<StoredValue> value = key(name);
    if (value) {
        TakeStoredText(*value, member);
    }
    return value.has_value();
}

// A list in the 8-bit format is converted, and so written again, only when
// its text is the whole value; any other is used as read and kept as stored.
bool ReadBuddyList(const ReadStored& key, std::int32_t version, Settings& settings) {
    const std::optional<StoredValue> buddies = key(kBuddyListValue);
    settings.buddyText = StoredBuddyText(buddies ? &*buddies : nullptr, version);
    const bool converted =
        version == 1 && !settings.buddyText.empty() && IsWhollyAnsiText(*buddies);
    return buddies && !converted;
}

LoadedStore ReadStore(const ReadStored& key, Settings& settings, HeldTexts& held) {
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
    held.gameDirectory = ReadPath(key, kGameDirectoryValue, settings.gameDirectory);
    held.gameExecutable = ReadPath(key, kGameExecutableValue, settings.gameExecutable);
    LoadedStore loaded;
    if (const auto placement = key(kWindowPositionValue)) {
        loaded.placement = StoredWindowPlacement(*placement);
    }
    settings.favourites = FavouritesFromStored(key(kFavouriteServersValue));
    settings.moreMasters = MastersFromStored(key(kMasterServersValue));
    held.buddyText = ReadBuddyList(key, version, settings);
    return loaded;
}

std::optional<std::u16string> KeptIf(bool held, std::u16string_view text) {
    return held ? std::optional<std::u16string>(text) : std::nullopt;
}

// A text is written when the store holds none to keep, or the run changed it.
bool IsToBeWritten(std::u16string_view text, const std::optional<std::u16string>& stored) {
    return !stored || *stored != text;
}

}  // namespace

LoadedStore LoadStoredSettings(const ReadStored* settingsKey,
                               const std::function<std::optional<StoredValue>()>& readInstallDir,
                               Settings& settings) {
    ClearLoadedMembers(settings, settingsKey == nullptr);
    LoadedStore loaded;
    HeldTexts held;
    if (settingsKey != nullptr) {
        loaded = ReadStore(*settingsKey, settings, held);
    }
    if (settings.gameDirectory[0] == u'\0') {
        // Taken as the game stored it: no backslash is added.
        if (const auto installDir = readInstallDir()) {
            TakeStoredText(*installDir, settings.gameDirectory);
        }
    }
    ApplyDefaults(settings);
    loaded.texts.gameDirectory = KeptIf(held.gameDirectory, GamePathText(settings.gameDirectory));
    loaded.texts.gameExecutable =
        KeptIf(held.gameExecutable, GamePathText(settings.gameExecutable));
    loaded.texts.buddyText = KeptIf(held.buddyText, settings.buddyText);
    return loaded;
}

// The watch switch is written when it is on, or over a switch stored in a
// form this program reads: a browser that never watched leaves the store as a
// first start does, and a value it cannot read stays as it is while the watch
// stays off. The pause is read only: it is the user's to set in the store.
//
// The buddy list's encoding is told by "Version", so the two must never
// disagree, whichever write fails or wherever saving stops. A store still in
// the 8-bit format loses its old list first, then says 2, and only then gets
// the list in UTF-16; one whose list is not written stays as it is, in the
// 8-bit format. A store that already says another version gets the list
// whatever becomes of "Version".
void SaveStoredSettings(const Settings& settings, const SaveInputs& inputs,
                        const WriteStored& write) {
    const auto put = [&write](const char16_t* name, const StoredValue& value) {
        return write(name, &value);
    };
    const auto putText = [&put](const char16_t* name, std::u16string_view text,
                                const std::optional<std::u16string>& stored) {
        if (IsToBeWritten(text, stored)) {
            put(name, TextValue(text));
        }
    };
    const StoredTexts& stored = inputs.storedTexts;
    putText(kGameDirectoryValue, GamePathText(settings.gameDirectory), stored.gameDirectory);
    putText(kGameExecutableValue, GamePathText(settings.gameExecutable), stored.gameExecutable);
    if (inputs.storedFormatVersion != 1) {
        put(kVersionValue, NumberValue(kCurrentFormatVersion));
        putText(kBuddyListValue, settings.buddyText, stored.buddyText);
    } else if (IsToBeWritten(settings.buddyText, stored.buddyText) &&
               write(kBuddyListValue, nullptr) &&
               put(kVersionValue, NumberValue(kCurrentFormatVersion))) {
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
