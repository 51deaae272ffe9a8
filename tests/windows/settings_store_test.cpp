// The settings against the real registry: values written before a start,
// read back after the window has gone.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/registry_key_win32.h"
#include "browse/buddy_list.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"

namespace skelvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

RegistryKey SettingsKey() {
    return RegistryKey::Create(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_ALL_ACCESS);
}

void Put(const char16_t* name, StoredType type, const Bytes& bytes) {
    ASSERT_TRUE(SettingsKey().Write(AsWide(name), StoredValue{type, bytes}));
}

std::optional<StoredValue> Stored(const char16_t* name) {
    return RegistryKey::Open(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_READ)
        .Read(AsWide(name));
}

std::optional<std::int32_t> StoredInt(const char16_t* name) {
    const auto value = Stored(name);
    return value && value->type == StoredType::kNumber ? StoredNumber(*value) : std::nullopt;
}

// A value's bytes read without any bound.
Bytes RawBytes(const char16_t* name) {
    HKEY key = nullptr;
    Bytes bytes;
    DWORD size = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), 0, KEY_READ, &key) ==
            ERROR_SUCCESS &&
        RegQueryValueExW(key, AsWide(name), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        bytes.resize(size);
        RegQueryValueExW(key, AsWide(name), nullptr, nullptr, bytes.data(), &size);
    }
    RegCloseKey(key);
    return bytes;
}

Bytes Utf16(const std::u16string& text) {
    return TextValue(text).bytes;
}

// A placement of the window in its normal state at `normal`.
Bytes Placement(const RECT& normal) {
    Bytes bytes;
    for (const LONG field :
         {44L, 0L, 1L, -1L, -1L, -1L, -1L, normal.left, normal.top, normal.right, normal.bottom}) {
        const Bytes four = NumberValue(field).bytes;
        bytes.insert(bytes.end(), four.begin(), four.end());
    }
    return bytes;
}

class SettingsStore : public BrowserWindowTest {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath)); }
    void TearDown() override {
        BrowserWindowTest::TearDown();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, AsWide(kGameKeyPath));
    }

    // A start with whatever the registry holds now.
    void Start() {
        ASSERT_NE(Open(master_.port(), QuickFailingMaster(), true), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
    }
    bool Ticked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

    FakeMaster master_{FakeMaster::Script{{999}, {}, 0}};
};

TEST_F(SettingsStore, AFirstStartUsesTheDefaultsAndTheGamesOwnDirectoryAndExitWritesAll) {
    ASSERT_TRUE(RegistryKey::Create(HKEY_LOCAL_MACHINE, AsWide(kGameKeyPath), KEY_ALL_ACCESS)
                    .Write(AsWide(kInstallDirValue), TextValue(u"C:\\Games\\Skelvane")));
    Start();
    const Settings& settings = State().settings;
    EXPECT_TRUE(Ticked(IDC_SHOWFULL));
    EXPECT_TRUE(Ticked(IDC_SHOWEMPTY));
    EXPECT_EQ(settings.packetsPerSecond, 10);
    EXPECT_EQ(settings.goodPingThreshold, 100);
    EXPECT_EQ(settings.mediumPingThreshold, 200);
    EXPECT_EQ(settings.sortOrder, 5u);
    EXPECT_EQ(GamePathText(settings.gameExecutable), u"skelvane.exe");
    EXPECT_EQ(GamePathText(settings.gameDirectory), u"C:\\Games\\Skelvane") << "no backslash";
    EXPECT_EQ(settings.buddyText, u"");
    Close();

    const auto buddies = Stored(kBuddyListValue);
    ASSERT_TRUE(buddies);
    EXPECT_EQ(buddies->type, StoredType::kText);
    EXPECT_EQ(buddies->bytes, (Bytes{0, 0})) << "an empty list is 2 bytes";
    EXPECT_EQ(Stored(kGameDirectoryValue)->bytes, Utf16(u"C:\\Games\\Skelvane"));
    EXPECT_EQ(Stored(kGameExecutableValue)->bytes, Utf16(u"skelvane.exe"));
    EXPECT_EQ(StoredInt(kVersionValue), 2);
    EXPECT_EQ(StoredInt(kPacketsPerSecondValue), 10);
    EXPECT_EQ(StoredInt(kGoodPingValue), 100);
    EXPECT_EQ(StoredInt(kMediumPingValue), 200);
    EXPECT_EQ(StoredInt(kPlayerViewStyleValue), 0);
    EXPECT_EQ(StoredInt(kSortOrderValue), 5);
    EXPECT_EQ(StoredInt(kShowFullValue), 1);
    EXPECT_EQ(StoredInt(kShowEmptyValue), 1);
    const auto placement = Stored(kWindowPositionValue);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->type, StoredType::kBinary);
    EXPECT_EQ(placement->bytes.size(), 44u);
}

TEST_F(SettingsStore, StoredZerosGiveTheDefaultsAndMissingShowValuesLeaveBothBoxesClear) {
    for (const char16_t* name : {kPacketsPerSecondValue, kGoodPingValue, kMediumPingValue}) {
        Put(name, StoredType::kNumber, NumberValue(0).bytes);
    }
    Start();
    EXPECT_FALSE(Ticked(IDC_SHOWFULL));
    EXPECT_FALSE(Ticked(IDC_SHOWEMPTY));
    EXPECT_EQ(Engine().settings.showFull.load(), 0);
    EXPECT_EQ(Engine().settings.showEmpty.load(), 0);
    EXPECT_EQ(State().settings.packetsPerSecond, 10);
    EXPECT_EQ(Engine().settings.packetsPerSecond.load(), 10);
    EXPECT_EQ(State().settings.goodPingThreshold, 100);
    EXPECT_EQ(State().settings.mediumPingThreshold, 200);
}

// As an older browser may have stored it: 8-bit text, as binary.
TEST_F(SettingsStore, AVersionOneListIsReadAsAnsiTextAndWrittenBackAsVersionTwo) {
    Put(kBuddyListValue, StoredType::kBinary,
        Bytes{'A', 'l', 'i', 'c', 'e', '\r', '\n', 'B', 'o', 0});
    Start();
    EXPECT_EQ(State().settings.buddyText, u"Alice\r\nBo");
    EXPECT_EQ(State().view.buddies.buddyCount, 2);
    EXPECT_TRUE(IsBuddyName(State().view.buddies, u"Alice"));
    Close();
    EXPECT_EQ(StoredInt(kVersionValue), 2);
    EXPECT_EQ(Stored(kBuddyListValue)->bytes, Utf16(u"Alice\r\nBo"));
    Start();
    EXPECT_EQ(State().settings.buddyText, u"Alice\r\nBo") << "converted once only";
}

TEST_F(SettingsStore, ClosedMaximizedItOpensNormallyAtTheStoredNormalPlace) {
    Start();
    SetWindowPos(window_, nullptr, 60, 40, 900, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT normal{};
    GetWindowRect(window_, &normal);
    ShowWindow(window_, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window_));
    Close();

    Start();
    EXPECT_FALSE(IsZoomed(window_));
    EXPECT_TRUE(IsWindowVisible(window_));
    RECT now{};
    GetWindowRect(window_, &now);
    EXPECT_EQ(now.left, normal.left);
    EXPECT_EQ(now.top, normal.top);
    EXPECT_EQ(now.right - now.left, normal.right - normal.left);
    EXPECT_EQ(now.bottom - now.top, normal.bottom - normal.top);
}

// A stored place where nothing of the window could be taken hold of: over the
// screen with the caption beyond its top, as large as coordinates go, or on a
// monitor that has gone. The window opens with its caption on the screen.
TEST_F(SettingsStore, AWindowWhoseStoredCaptionIsOffTheScreenOpensWithItOn) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    for (const RECT& stored : {RECT{-2000, -2000, 400, 300}, RECT{-32767, -32767, 32767, 32767},
                               RECT{5000, 5000, 5600, 5400}}) {
        Put(kWindowPositionValue, StoredType::kBinary, Placement(stored));
        Start();
        RECT now{};
        GetWindowRect(window_, &now);
        POINT client{0, 0};
        ClientToScreen(window_, &client);
        EXPECT_GE(now.top, work.top) << stored.left;
        EXPECT_LE(client.y, work.bottom) << stored.left;
        EXPECT_GE(std::min(now.right, work.right) - std::max(now.left, work.left), 64)
            << stored.left;
        Close();
    }
}

// Numbers and the placement of a wrong type, size or content are not used,
// and are written afresh at exit. The texts are read whatever their type, and
// a start and a close leave each of them exactly as it was stored, used or
// not: the unterminated list of a store whose "Version" is the text "2" (a
// number other than 1, so UTF-16), a directory of several texts, an
// executable too long to use.
TEST_F(SettingsStore, AStartAndACloseKeepEveryStoredTextWhateverItsTypeOrSize) {
    Bytes unterminated = Utf16(u"Alice\r\nBob");
    unterminated.resize(unterminated.size() - 2);
    const StoredValue texts[] = {
        {StoredType::kBinary, unterminated},
        {static_cast<StoredType>(REG_MULTI_SZ), Utf16(std::u16string(u"D:\\Games\0E:\\", 12))},
        {StoredType::kText, Utf16(std::u16string(260, u'e'))},
    };
    const char16_t* const textNames[] = {kBuddyListValue, kGameDirectoryValue,
                                         kGameExecutableValue};
    for (int i = 0; i < 3; ++i) {
        Put(textNames[i], texts[i].type, texts[i].bytes);
    }
    Put(kPacketsPerSecondValue, StoredType::kText, Utf16(u"50"));
    Put(kGoodPingValue, StoredType::kNumber, Bytes{7, 0});
    Put(kMediumPingValue, StoredType::kBinary, Bytes(8, 0xFF));
    Put(kShowFullValue, StoredType::kText, Bytes{1, 0, 0, 0});
    Put(kSortOrderValue, static_cast<StoredType>(REG_QWORD), Bytes{1, 0, 0, 0, 0, 0, 0, 0});
    Put(kVersionValue, StoredType::kText, Utf16(u"2"));
    Put(kWindowPositionValue, StoredType::kBinary, Placement(RECT{500, 400, 100, 50}));
    Start();
    const Settings& settings = State().settings;
    EXPECT_EQ(settings.packetsPerSecond, 10);
    EXPECT_EQ(settings.goodPingThreshold, 100);
    EXPECT_EQ(settings.mediumPingThreshold, 200);
    EXPECT_EQ(settings.showFull, 0);
    EXPECT_EQ(settings.sortOrder, 5u);
    EXPECT_EQ(settings.buddyText, u"Alice\r\nBob");
    EXPECT_EQ(GamePathText(settings.gameDirectory), u"D:\\Games");
    EXPECT_EQ(GamePathText(settings.gameExecutable), u"skelvane.exe");
    RECT window{};
    GetWindowRect(window_, &window);
    EXPECT_GT(window.right - window.left, 600) << "the window kept its own size";
    Close();

    for (int i = 0; i < 3; ++i) {
        const auto stored = Stored(textNames[i]);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, texts[i].type) << i;
        EXPECT_EQ(stored->bytes, texts[i].bytes) << i;
    }
    EXPECT_EQ(StoredInt(kPacketsPerSecondValue), 10);
    EXPECT_EQ(StoredInt(kVersionValue), 2);
}

// A buddy list is used up to 16 MiB; a larger one is not used, and stays.
// Both are stored as binary: the registry itself adds a terminator to a text
// stored without one when the memory behind it happens to hold a zero.
TEST_F(SettingsStore, ABuddyListIsUsedUpToItsBoundAndALargerOneIsKeptUnused) {
    Bytes largest = Utf16(u"Bob\r\n");
    largest.resize(kMaxStoredValueBytes, 0);
    for (std::size_t i = 10; i < largest.size(); i += 2) {
        largest[i] = '\n';
    }
    Bytes larger = largest;
    larger.insert(larger.end(), {'\n', 0});
    Put(kVersionValue, StoredType::kNumber, NumberValue(2).bytes);
    Put(kBuddyListValue, StoredType::kBinary, largest);
    Start();
    EXPECT_EQ(State().settings.buddyText.size(), kMaxStoredValueBytes / 2);
    EXPECT_EQ(State().view.buddies.buddyCount, 1);
    Close();

    Put(kBuddyListValue, StoredType::kBinary, larger);
    Start();
    EXPECT_EQ(State().settings.buddyText, u"");
    EXPECT_EQ(State().view.buddies.buddyCount, 0);
    Close();
    EXPECT_EQ(RawBytes(kBuddyListValue), larger);
}

// Windows may end the session without destroying the window: the settings are
// saved then, once, as closing would save them.
TEST_F(SettingsStore, TheEndOfASessionSavesOnceAsAnExitWould) {
    Start();
    CheckDlgButton(window_, IDC_SHOWFULL, BST_UNCHECKED);
    Click(IDC_SHOWFULL);
    State().settings.packetsPerSecond = 33;
    EXPECT_NE(SendMessageW(window_, WM_QUERYENDSESSION, 0, 0), 0) << "the session may end";
    SendMessageW(window_, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(Stored(kPacketsPerSecondValue)) << "a session that goes on saves nothing";
    SendMessageW(window_, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(StoredInt(kPacketsPerSecondValue), 33);
    EXPECT_EQ(StoredInt(kShowFullValue), 0);
    EXPECT_EQ(StoredInt(kVersionValue), 2);
    EXPECT_TRUE(Stored(kWindowPositionValue));

    ASSERT_TRUE(SettingsKey().Delete(AsWide(kPacketsPerSecondValue)));
    Close();
    EXPECT_FALSE(Stored(kPacketsPerSecondValue)) << "saved a second time";
}

}  // namespace
}  // namespace skelvane::test
