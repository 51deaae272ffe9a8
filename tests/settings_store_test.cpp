#include "app/settings_store.h"

#include "app/config_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace skelvane {
namespace {

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

StoredValue Text(const std::u16string& text) {
    return TextValue(text);
}

struct Loaded {
    Settings settings;
    std::optional<StoredPlacement> placement;
    int installDirReads = 0;
};

// Loads as the browser does, after the columns have set the Ping order.
Loaded Load(const FakeKey* key, std::optional<StoredValue> installDir = std::nullopt) {
    Loaded loaded;
    loaded.settings.sortOrder = kDefaultSortOrder;
    const ReadStored reader = key != nullptr ? key->Reader() : ReadStored{};
    loaded.placement = LoadStoredSettings(
        key != nullptr ? &reader : nullptr,
        [&] {
            ++loaded.installDirReads;
            return installDir;
        },
        loaded.settings);
    return loaded;
}

std::u16string Member(const char16_t* text) {
    return text;
}

TEST(SettingsStore, FirstStartsMissingValuesAndZerosGiveTheDefaults) {
    const Loaded first = Load(nullptr, Text(u"D:\\Skelvane"));
    EXPECT_EQ(first.settings.showFull, 1);
    EXPECT_EQ(first.settings.showEmpty, 1);
    EXPECT_EQ(first.settings.packetsPerSecond, 10);
    EXPECT_EQ(first.settings.goodPingThreshold, 100);
    EXPECT_EQ(first.settings.mediumPingThreshold, 200);
    EXPECT_EQ(first.settings.playerViewStyle, 0);
    EXPECT_EQ(first.settings.sortOrder, kDefaultSortOrder);
    EXPECT_EQ(Member(first.settings.gameExecutable), u"skelvane.exe");
    EXPECT_EQ(Member(first.settings.gameDirectory), u"D:\\Skelvane") << "no backslash added";
    EXPECT_EQ(first.settings.buddyText, u"");
    EXPECT_FALSE(first.placement);

    FakeKey zeros;
    zeros.Set(kPacketsPerSecondValue, NumberValue(0))
        .Set(kGoodPingValue, NumberValue(0))
        .Set(kMediumPingValue, NumberValue(-5))
        .Set(kSortOrderValue, NumberValue(0))
        .Set(kGameDirectoryValue, Text(u"C:\\Game\\"))
        .Set(kGameExecutableValue, Text(u""));
    const Loaded stored = Load(&zeros, Text(u"D:\\Skelvane"));
    EXPECT_EQ(stored.settings.showFull, 0) << "a key without the Show values shows neither";
    EXPECT_EQ(stored.settings.showEmpty, 0);
    EXPECT_EQ(stored.settings.packetsPerSecond, 10);
    EXPECT_EQ(stored.settings.goodPingThreshold, 100);
    EXPECT_EQ(stored.settings.mediumPingThreshold, -5) << "only zero means the default";
    EXPECT_EQ(stored.settings.sortOrder, 0u) << "a stored zero order is an order";
    EXPECT_EQ(Member(stored.settings.gameExecutable), u"skelvane.exe");
    EXPECT_EQ(Member(stored.settings.gameDirectory), u"C:\\Game\\");
    EXPECT_EQ(stored.installDirReads, 0) << "the game's key is read only without a directory";

    zeros.Set(kPacketsPerSecondValue, NumberValue(-20));
    EXPECT_EQ(Load(&zeros).settings.packetsPerSecond, 10) << "the sweep needs a positive rate";
}

// A 44-byte placement of a 600 x 400 window at 100, 50.
Bytes PlacementBytes() {
    Bytes bytes;
    for (const std::int32_t field : {44, 0, 3, -1, -1, -1, -1, 100, 50, 700, 450}) {
        const Bytes four = NumberValue(field).bytes;
        bytes.insert(bytes.end(), four.begin(), four.end());
    }
    return bytes;
}

TEST(SettingsStore, HostileValuesReadAsIfTheyWereMissing) {
    Bytes shortPlacement = PlacementBytes();
    shortPlacement.pop_back();
    FakeKey hostile;
    hostile.Set(kPacketsPerSecondValue, Text(u"50"))
        .Set(kPlayerViewStyleValue, {StoredType::kNumber, {1, 0}})
        .Set(kGoodPingValue, {StoredType::kNumber, Bytes(8, 1)})
        .Set(kMediumPingValue, {StoredType::kText, {7, 0, 0, 0}})
        .Set(kShowEmptyValue, {StoredType::kExpandableText, {1, 0, 0, 0}})
        .Set(kShowFullValue, {StoredType::kNumber, {}})
        .Set(kVersionValue, Text(u"2"))
        .Set(kSortOrderValue, {StoredType::kNone, {2, 0, 0, 0}})
        .Set(kGameDirectoryValue, Text(std::u16string(300, u'd')))
        .Set(kGameExecutableValue, {StoredType::kText, Bytes(520, 'e')})
        .Set(kWindowPositionValue, {StoredType::kBinary, shortPlacement})
        .Set(kBuddyListValue, NumberValue(0x00410042));
    const Loaded loaded = Load(&hostile, Text(u"D:\\Skelvane"));
    FakeKey empty;
    const Loaded missing = Load(&empty, Text(u"D:\\Skelvane"));
    EXPECT_EQ(loaded.settings.packetsPerSecond, missing.settings.packetsPerSecond);
    EXPECT_EQ(loaded.settings.playerViewStyle, missing.settings.playerViewStyle);
    EXPECT_EQ(loaded.settings.goodPingThreshold, missing.settings.goodPingThreshold);
    EXPECT_EQ(loaded.settings.mediumPingThreshold, missing.settings.mediumPingThreshold);
    EXPECT_EQ(loaded.settings.showEmpty, missing.settings.showEmpty);
    EXPECT_EQ(loaded.settings.showFull, missing.settings.showFull);
    EXPECT_EQ(loaded.settings.sortOrder, missing.settings.sortOrder);
    EXPECT_EQ(Member(loaded.settings.gameDirectory), u"D:\\Skelvane");
    EXPECT_EQ(Member(loaded.settings.gameExecutable), u"skelvane.exe");
    EXPECT_EQ(loaded.settings.buddyText, u"");
    EXPECT_FALSE(loaded.placement);

    hostile.Set(kWindowPositionValue, {StoredType::kBinary, PlacementBytes()});
    ASSERT_TRUE(Load(&hostile).placement);
    EXPECT_EQ(Load(&hostile).placement->bytes[28], 100) << "the normal rectangle as stored";
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

    const Settings loaded = Load(&key).settings;
    EXPECT_EQ(Member(loaded.gameDirectory), Member(Edited().gameDirectory));
    EXPECT_EQ(Member(loaded.gameExecutable), u"sk.exe");
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

TEST(SettingsStore, AVersionOneListIsConvertedOnceAndWrittenBackAsVersionTwo) {
    for (const bool withVersion : {true, false}) {
        FakeKey key = VersionOneStore(withVersion);
        Loaded first = Load(&key);
        EXPECT_EQ(first.settings.buddyText, u"J\u00f6rg\r\nBob");
        SaveStoredSettings(first.settings, {}, key.Writer());
        EXPECT_EQ(StoredFormatVersion(key.values[kVersionValue]), 2);
        EXPECT_EQ(Load(&key).settings.buddyText, u"J\u00f6rg\r\nBob");
    }
}

// Wherever a save stops or whichever write fails, the next start reads the
// buddy list that was stored before, the one being saved, or none; never
// the bytes of one in the encoding of the other.
TEST(SettingsStore, ASaveThatStopsAnywhereNeverMisreadsTheBuddyList) {
    FakeKey v2;
    v2.Set(kVersionValue, NumberValue(2)).Set(kBuddyListValue, Text(u"Old\u0411"));
    const std::pair<FakeKey, std::u16string> before[] = {
        {VersionOneStore(true), u"J\u00f6rg\r\nBob"},
        {VersionOneStore(false), u"J\u00f6rg\r\nBob"},
        {v2, u"Old\u0411"},
        {FakeKey{}, u""},
    };
    const std::u16string saved = Edited().buddyText;
    const std::u16string names[] = {kBuddyListValue, kVersionValue, kGameExecutableValue};
    for (const auto& [store, old] : before) {
        for (int stop = 0; stop <= 14; ++stop) {
            for (const std::u16string& failing : names) {
                FakeKey key = store;
                key.writesLeft = stop;
                key.failing = failing;
                SaveInputs inputs;
                inputs.storedFormatVersion = StoredFormatVersion(key.Reader()(kVersionValue));
                SaveStoredSettings(Edited(), inputs, key.Writer());
                const std::u16string read = Load(&key).settings.buddyText;
                EXPECT_TRUE(read == old || read == saved || read.empty())
                    << "stop after " << stop << " writes, failing "
                    << std::string(failing.begin(), failing.end());
            }
        }
    }
}

}  // namespace
}  // namespace skelvane
