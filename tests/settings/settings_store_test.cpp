#include "settings/settings_store.h"

#include "settings/config_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using namespace std::string_literals;

using Bytes = std::vector<std::uint8_t>;

// A registry key in memory. Writes can be made to fail for one value, or to
// stop for good after a number of them, as when the process ends mid-save.
struct FakeKey {
    std::map<std::u16string, StoredValue> values;
    std::u16string failing;
    int writesLeft = 1000;

    ReadStored Reader() const {
        return [this](const char16_t* name) -> std::optional<StoredValue> {
            const auto found = values.find(name);
            return found == values.end() ? std::nullopt : std::optional(found->second);
        };
    }
    WriteStored Writer() {
        return [this](const char16_t* name, const StoredValue* value) {
            if (writesLeft <= 0 || failing == name) {
                return false;
            }
            --writesLeft;
            if (value == nullptr) {
                values.erase(name);
            } else {
                values[name] = *value;
            }
            return true;
        };
    }
    FakeKey& Set(const char16_t* name, StoredValue value) {
        values[name] = std::move(value);
        return *this;
    }
};

// Loads as the browser does, after the columns have set the Ping order, with
// the game's own install directory at `installDir` when one is given.
Settings Load(const FakeKey& key, LoadedStore* loaded = nullptr, int* installDirReads = nullptr,
              std::u16string_view installDir = {}) {
    Settings settings;
    settings.sortOrder = kDefaultSortOrder;
    const ReadStored reader = key.Reader();
    const LoadedStore store = LoadStoredSettings(
        &reader,
        [&]() -> std::optional<StoredValue> {
            if (installDirReads != nullptr) {
                ++*installDirReads;
            }
            if (installDir.empty()) {
                return std::nullopt;
            }
            return TextValue(installDir);
        },
        settings);
    if (loaded != nullptr) {
        *loaded = store;
    }
    return settings;
}

// A start and a close with nothing changed in between.
void StartAndClose(FakeKey& key, std::u16string_view installDir) {
    LoadedStore loaded;
    const Settings settings = Load(key, &loaded, nullptr, installDir);
    SaveInputs inputs;
    inputs.storedFormatVersion = StoredFormatVersion(key.Reader()(kVersionValue));
    inputs.storedTexts = loaded.texts;
    SaveStoredSettings(settings, inputs, key.Writer());
}

Settings Edited() {
    Settings settings;
    TakeDirectoryField(u"C:\\Games\\Skelvane", settings.gameDirectory);
    TakeTextField(u"sk.exe", settings.gameExecutable);
    settings.buddyText = u"J\u00f6rg\r\n\u0411\u043e\u0440\u0438\u0441\r\nBob";
    settings.packetsPerSecond = 250;
    settings.goodPingThreshold = 0;
    settings.mediumPingThreshold = -3;
    settings.playerViewStyle = 1;
    settings.sortOrder = 4 | SORT_REVERSED;
    return settings;
}

TEST(SettingsStore, SavingWritesEachValueInItsFormAndLoadsBackTheSame) {
    FakeKey key;
    SaveInputs inputs;
    inputs.showEmptyChecked = true;
    SaveStoredSettings(Edited(), inputs, key.Writer());
    EXPECT_EQ(key.values.size(), 11u) << "no placement was read, so none is written";
    EXPECT_EQ(key.values[kVersionValue].bytes, NumberValue(2).bytes);
    EXPECT_EQ(key.values[kShowEmptyValue].bytes, NumberValue(1).bytes);
    EXPECT_EQ(key.values[kShowFullValue].bytes, NumberValue(0).bytes);
    EXPECT_EQ(key.values[kGameExecutableValue].bytes.size(), 14u);
    EXPECT_EQ(key.values[kGameExecutableValue].type, StoredType::kText);
    EXPECT_EQ(key.values[kSortOrderValue].type, StoredType::kNumber);

    const Settings loaded = Load(key);
    EXPECT_EQ(GamePathText(loaded.gameDirectory), u"C:\\Games\\Skelvane\\");
    EXPECT_EQ(GamePathText(loaded.gameExecutable), u"sk.exe");
    EXPECT_EQ(loaded.buddyText, Edited().buddyText);
    EXPECT_EQ(loaded.packetsPerSecond, 250);
    EXPECT_EQ(loaded.goodPingThreshold, 100) << "a zero entered this run is the default next run";
    EXPECT_EQ(loaded.mediumPingThreshold, -3);
    EXPECT_EQ(loaded.playerViewStyle, 1);
    EXPECT_EQ(loaded.sortOrder, 4 | SORT_REVERSED);
    EXPECT_EQ(loaded.showEmpty, 1);
    EXPECT_EQ(loaded.showFull, 0);

    Settings noBuddies = Edited();
    noBuddies.buddyText.clear();
    inputs.placement = StoredPlacement{};
    SaveStoredSettings(noBuddies, inputs, key.Writer());
    EXPECT_EQ(key.values[kBuddyListValue].bytes, (Bytes{0, 0}));
    EXPECT_EQ(key.values[kWindowPositionValue].bytes.size(), 44u);
    EXPECT_EQ(key.values[kWindowPositionValue].type, StoredType::kBinary);
    key.Set(kPacketsPerSecondValue, NumberValue(-20));
    EXPECT_EQ(Load(key).packetsPerSecond, 10) << "the sweep needs a positive rate";
}

// A start and a close leave the favourites as stored unless the user changed
// them, and never write over a value that could not be read; the masters'
// value is read and never written.
TEST(SettingsStore, FavouritesAreWrittenOnlyWhenChangedAndNeverOverAnUnreadableValue) {
    const auto lines = [](std::u16string text) {
        StoredValue value = TextValue(text);
        value.type = StoredType::kTextLines;
        value.bytes.insert(value.bytes.end(), {0, 0});
        return value;
    };
    const StoredValue twice = lines(u"1.2.3.4:5\0\0001.2.3.4:5"s);
    const StoredValue oneLine = TextValue(u"1.2.3.4:5");
    const struct {
        const char* what;
        std::optional<StoredValue> stored;
        bool change;
        std::optional<StoredValue> after;
    } cases[] = {
        {"none, unchanged", std::nullopt, false, std::nullopt},
        {"none, one added", std::nullopt, true, lines(u"9.9.9.9:9")},
        {"read, unchanged", twice, false, twice},
        {"read, one added", twice, true, lines(u"1.2.3.4:5\0009.9.9.9:9"s)},
        {"unreadable, one added", oneLine, true, oneLine},
    };
    for (const auto& c : cases) {
        FakeKey key;
        key.Set(kMasterServersValue, lines(u"m2.example:5"));
        if (c.stored) {
            key.Set(kFavouriteServersValue, *c.stored);
        }
        Settings settings = Load(key);
        ASSERT_EQ(settings.moreMasters.size(), 1u) << c.what;
        EXPECT_EQ(settings.moreMasters[0].hostName, "m2.example") << c.what;
        if (c.change) {
            AddFavourite(settings.favourites, Ipv4Endpoint{0x09090909, 9});
        }
        SaveStoredSettings(settings, SaveInputs{}, key.Writer());
        const auto after = key.Reader()(kFavouriteServersValue);
        ASSERT_EQ(after.has_value(), c.after.has_value()) << c.what;
        if (after) {
            EXPECT_EQ(after->type, c.after->type) << c.what;
            EXPECT_EQ(after->bytes, c.after->bytes) << c.what;
        }
        EXPECT_EQ(key.values[kMasterServersValue].bytes, lines(u"m2.example:5").bytes) << c.what;
    }
}

// What an older browser left: version 1, or no version at all, with the
// buddy list as 8-bit text of the ANSI code page.
FakeKey VersionOneStore(bool withVersion) {
    FakeKey key;
    key.Set(kBuddyListValue,
            {StoredType::kText, {'J', 0xF6, 'r', 'g', '\r', '\n', 'B', 'o', 'b', 0}});
    if (withVersion) {
        key.Set(kVersionValue, NumberValue(1));
    }
    return key;
}

StoredValue Typed(StoredType type, Bytes bytes) {
    return {type, std::move(bytes)};
}

// Whatever the type and size of a stored game path, executable or buddy
// list, the start reads it as text and the close leaves it exactly as it was
// stored; only an 8-bit list that loses nothing in UTF-16 is written again,
// converted, with "Version" 2. A stored game directory is used without asking
// for the game's own.
TEST(SettingsStore, AStartAndACloseLeaveEveryStoredTextAsItWas) {
    const std::u16string tooLong(300, u'd');
    struct Case {
        const char16_t* name;
        StoredValue value;
        std::optional<StoredValue> version;
        std::u16string used;
        bool converted = false;
    };
    const Case cases[] = {
        {kGameDirectoryValue,
         Typed(StoredType::kTextLines, test::Utf16Bytes(std::u16string(u"C:\\A\0D:\\\0\0", 9))),
         {},
         u"C:\\A"},
        {kGameDirectoryValue,
         Typed(StoredType::kBinary, test::Utf16Bytes(u"C:\\Games")),
         {},
         u"C:\\Games"},
        {kGameDirectoryValue,
         Typed(StoredType::kText, test::Utf16Bytes(tooLong)),
         {},
         u"C:\\Install"},
        {kGameDirectoryValue, Typed(StoredType::kText, {0, 0}), {}, u"C:\\Install"},
        {kGameExecutableValue,
         Typed(StoredType::kExpandableText, test::Utf16Bytes(u"%G%\\g.exe")),
         {},
         u"%G%\\g.exe"},
        {kGameExecutableValue, Typed(StoredType::kNumber, {'a', 0, 0, 0}), {}, u"a"},
        {kGameExecutableValue, Typed(StoredType::kNone, Bytes(520, 'e')), {}, u"skelvane.exe"},
        {kBuddyListValue,
         Typed(StoredType::kTextLines, test::Utf16Bytes(std::u16string(u"Ann\0Bob\0\0", 10))),
         NumberValue(2), u"Ann"},
        {kBuddyListValue, Typed(StoredType::kBinary, test::Utf16Bytes(u"Ann\r\nBob")),
         Typed(StoredType::kText, test::Utf16Bytes(std::u16string(u"2\0", 2))), u"Ann\r\nBob"},
        {kBuddyListValue,
         Typed(StoredType::kBinary, {'J', 0xF6, 'r', 'g', '\n', 'B', 0, 0}),
         {},
         u"J\u00f6rg\nB",
         true},
        {kBuddyListValue, Typed(StoredType::kText, test::Utf16Bytes(u"Ann\r\nBob")), NumberValue(1),
         u"A"},
    };
    for (const Case& c : cases) {
        const std::string label = std::string(c.used.begin(), c.used.end());
        FakeKey key;
        key.Set(c.name, c.value);
        if (c.version) {
            key.Set(kVersionValue, *c.version);
        }
        int installDirReads = 0;
        const Settings settings = Load(key, nullptr, &installDirReads, u"C:\\Install");
        const std::u16string used =
            c.name == kGameDirectoryValue    ? std::u16string(GamePathText(settings.gameDirectory))
            : c.name == kGameExecutableValue ? std::u16string(GamePathText(settings.gameExecutable))
                                             : settings.buddyText;
        EXPECT_EQ(used, c.used) << label;
        EXPECT_EQ(installDirReads, GamePathText(settings.gameDirectory) == u"C:\\Install" ? 1 : 0)
            << label;

        StartAndClose(key, u"C:\\Install");
        const StoredValue& after = key.values[c.name];
        if (c.converted) {
            EXPECT_EQ(after.bytes, TextValue(c.used).bytes) << label;
            EXPECT_EQ(StoredFormatVersion(key.values[kVersionValue]), 2) << label;
        } else {
            EXPECT_EQ(after.type, c.value.type) << label;
            EXPECT_EQ(after.bytes, c.value.bytes) << label;
            const bool eightBitKept =
                c.name == kBuddyListValue && StoredFormatVersion(c.version) == 1;
            EXPECT_EQ(StoredFormatVersion(key.values[kVersionValue]), eightBitKept ? 1 : 2)
                << label << ": an 8-bit list left as it is keeps its format";
        }
        EXPECT_EQ(Load(key).buddyText, settings.buddyText) << label;
    }
}

// Wherever a save stops or whichever write fails, the next start reads the
// buddy list that was stored before, the one being saved, or none; never
// the bytes of one in the encoding of the other. A store that already says 2
// gets the new list whatever becomes of "Version".
TEST(SettingsStore, ASaveThatStopsAnywhereNeverMisreadsTheBuddyList) {
    FakeKey v2;
    v2.Set(kVersionValue, NumberValue(2)).Set(kBuddyListValue, TextValue(u"Old\u0411"));
    const std::pair<FakeKey, std::u16string> before[] = {
        {VersionOneStore(true), u"J\u00f6rg\r\nBob"},
        {VersionOneStore(false), u"J\u00f6rg\r\nBob"},
        {v2, u"Old\u0411"},
        {FakeKey{}, u""},
    };
    const std::u16string saved = Edited().buddyText;
    const std::u16string names[] = {kBuddyListValue, kVersionValue, kGameExecutableValue};
    constexpr int kEveryWrite = 14;
    for (const auto& [store, old] : before) {
        for (int stop = 0; stop <= kEveryWrite; ++stop) {
            for (const std::u16string& failing : names) {
                FakeKey key = store;
                LoadedStore loaded;
                Load(key, &loaded);
                key.writesLeft = stop;
                key.failing = failing;
                SaveInputs inputs;
                inputs.storedFormatVersion = StoredFormatVersion(key.Reader()(kVersionValue));
                inputs.storedTexts = loaded.texts;
                SaveStoredSettings(Edited(), inputs, key.Writer());
                const std::u16string read = Load(key).buddyText;
                const std::string label = "stop after " + std::to_string(stop) +
                                          " writes, failing " +
                                          std::string(failing.begin(), failing.end());
                EXPECT_TRUE(read == old || read == saved || read.empty()) << label;
                if (stop == kEveryWrite && failing == kVersionValue &&
                    inputs.storedFormatVersion != 1) {
                    EXPECT_EQ(read, saved) << label;
                }
            }
        }
    }
}

TEST(SettingsStore, TheWatchIsReadBoundedAndWrittenOnlyOverWhatCanBeRead) {
    const StoredValue text{StoredType::kText, {'1', 0}};
    const StoredValue wide{StoredType::kNumber, Bytes(8, 1)};
    const struct {
        std::optional<StoredValue> stored;
        std::int32_t watching;  // as the user leaves it
        std::int32_t loaded;
        std::optional<Bytes> saved;  // nothing: left as it was
    } cases[] = {
        {std::nullopt, 0, 0, std::nullopt},
        {std::nullopt, 1, 0, NumberValue(1).bytes},
        {NumberValue(1), 1, 1, NumberValue(1).bytes},
        {NumberValue(1), 0, 1, NumberValue(0).bytes},
        {text, 0, 0, text.bytes},
        {wide, 0, 0, wide.bytes},
        {wide, 1, 0, NumberValue(1).bytes},
    };
    for (const auto& c : cases) {
        FakeKey key;
        if (c.stored) {
            key.Set(kWatchForBuddiesValue, *c.stored);
        }
        Settings settings = Load(key);
        EXPECT_EQ(settings.watchForBuddies, c.loaded);
        settings.watchForBuddies = c.watching;
        SaveInputs inputs;
        inputs.storedWatch = key.Reader()(kWatchForBuddiesValue);
        SaveStoredSettings(settings, inputs, key.Writer());
        const auto saved = key.Reader()(kWatchForBuddiesValue);
        EXPECT_EQ(saved ? std::optional(saved->bytes) : std::nullopt, c.saved)
            << c.watching << " over " << (c.stored ? c.stored->bytes.size() : 0) << " bytes";
        EXPECT_FALSE(key.Reader()(kWatchPauseValue)) << "the pause is never written";
    }
}

TEST(SettingsStore, TheWatchPauseIsAMinuteToADay) {
    const struct {
        std::optional<std::int32_t> stored;
        std::uint32_t pauseMs;
    } cases[] = {
        {std::nullopt, 60000}, {300, 300000},      {60, 60000},        {59, 60000}, {0, 60000},
        {-5, 60000},           {86400, 86400000u}, {86401, 86400000u},
    };
    for (const auto& c : cases) {
        FakeKey key;
        if (c.stored) {
            key.Set(kWatchPauseValue, NumberValue(*c.stored));
        }
        EXPECT_EQ(WatchPauseMs(Load(key).watchPauseSeconds), c.pauseMs) << c.stored.value_or(-1);
    }
}

}  // namespace
}  // namespace skelvane
