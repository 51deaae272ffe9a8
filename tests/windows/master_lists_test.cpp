// Where the server list comes from when a master is silent: the list kept
// from the last complete answer, sweeping it, and refusing a damaged one.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/kept_list_win32.h"
#include "app/registry_key_win32.h"
#include "engine/refresh_front_end.h"
#include "lists/kept_list.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

// The window's front end with every status text the refresh threads hand it
// written down, in order: the window itself shows only the latest of those
// that come in a burst.
class StatusLog : public RefreshFrontEnd {
  public:
    explicit StatusLog(std::shared_ptr<RefreshFrontEnd> window) : window_(std::move(window)) {}

    std::vector<std::wstring> Texts() const {
        std::lock_guard lock(mutex_);
        return texts_;
    }

    void PutStatus(const char16_t* text) override {
        {
            std::lock_guard lock(mutex_);
            texts_.emplace_back(AsWide(text));
        }
        window_->PutStatus(text);
    }
    void ForgetTable() override { window_->ForgetTable(); }
    void TakeTable() override { window_->TakeTable(); }
    void KeepAnswer(std::int32_t index, std::span<const std::uint8_t> answer) override {
        window_->KeepAnswer(index, answer);
    }
    bool ListServer(std::int32_t index) override { return window_->ListServer(index); }
    void RepaintList() override { window_->RepaintList(); }
    void RefreshEnded() override { window_->RefreshEnded(); }

  private:
    std::shared_ptr<RefreshFrontEnd> window_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> texts_;
};

// Puts a log between the refresh and the window for the refreshes to come.
std::shared_ptr<StatusLog> LogStatus(RefreshState& engine) {
    auto log = std::make_shared<StatusLog>(engine.frontEnd);
    engine.frontEnd = log;
    return log;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.rfind(start, 0) == 0;
}

class MasterLists : public BrowserWindowTest {
  protected:
    MasterLists()
        : games_(
              {{StatusAnswer().Info("sv_hostname", "One").Info("sv_maxclients", "8").Build(), {}},
               {StatusAnswer().Info("sv_hostname", "Two").Info("sv_maxclients", "8").Build(), {}}}),
          master_({{}, {games_.MasterAnswer()}, 0}) {}

    // The next refresh asks a master that never answers, once.
    void RefreshWithSilentMaster() {
        Engine().masters = {MasterServer{"127.0.0.1", silent_.port()}};
        Engine().timing.masterAttempts = 1;
        Click(IDC_UPDATE);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    FakeServers games_;
    FakeMaster master_;
    FakeMaster silent_{FakeMaster::Script{{999}, {}, 0}};
};

TEST_F(MasterLists, AListThatCameWholeIsKeptAndSweptWhenTheMasterIsSilent) {
    // An older list is replaced whole by the next complete answer.
    const std::filesystem::path path = KeptListPath();
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(KeepList(path, std::vector<Ipv4Endpoint>{{LoopbackAddress(), 5}}, 1733580000));
    ASSERT_NE(Open(master_.port(), ShortTiming(), true), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    const Result<CachedList> kept = ReadKeptList(path);
    ASSERT_TRUE(kept) << "no list kept: " << kept.Why();
    EXPECT_EQ(kept->servers.size(), 2u);
    EXPECT_GT(kept->savedAt, 1733580000);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()),
                            std::filesystem::directory_iterator()),
              1)
        << "a new file was left beside the kept list";

    const auto log = LogStatus(Engine());
    RefreshWithSilentMaster();
    const std::vector<std::wstring> texts = log->Texts();
    const auto failure = std::find(texts.begin(), texts.end(), L"No response from 127.0.0.1.");
    ASSERT_NE(failure, texts.end());
    ASSERT_NE(failure + 1, texts.end());
    const std::wstring sweeping = *(failure + 1);
    EXPECT_TRUE(
        StartsWith(sweeping, L"No response from 127.0.0.1. Querying the 2 servers kept from "))
        << std::string(sweeping.begin(), sweeping.end());
    EXPECT_TRUE(sweeping.ends_with(L" ago..."));
    EXPECT_EQ(texts.back(), L"Completed. 2 of 2 servers responded.");
    EXPECT_EQ(Status(), L"Completed. 2 of 2 servers responded.");
    EXPECT_EQ(RowCount(ServerList()), 2);
    EXPECT_EQ(StatusPart(2), L"2 Servers");
    EXPECT_EQ(ReadKeptList(KeptListPath())->savedAt, kept->savedAt)
        << "a failed master phase replaced the kept list";
}

TEST_F(MasterLists, ADamagedKeptListIsNeverSwept) {
    const std::filesystem::path path = KeptListPath();
    std::filesystem::create_directories(path.parent_path());
    std::vector<Ipv4Endpoint> servers{{LoopbackAddress(), games_.port(0)}};
    ASSERT_TRUE(KeepList(path, servers, 1733580000));
    std::ofstream(path, std::ios::app) << "127.0.0.1:5\n";
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
    RefreshTiming timing = ShortTiming();
    timing.masterAttempts = 1;
    ASSERT_NE(Open(silent_.port(), timing, true), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"No response from 127.0.0.1.");
    EXPECT_EQ(RowCount(ServerList()), 0);
    EXPECT_EQ(games_.Queries(0), 0);
}

// A master named in the settings is asked with the command line's, at once:
// the silent one is named while the other's list stands, and the phase takes
// no longer than the silent one alone.
TEST_F(MasterLists, AMasterOfTheSettingsIsAskedWithTheCommandLinesAndASilentOneIsNamed) {
    const std::string text = "127.0.0.1:" + std::to_string(silent_.port());
    const std::u16string line(text.begin(), text.end());
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
    std::filesystem::remove(KeptListPath());
    const RegistryKey key =
        RegistryKey::Create(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_WRITE);
    ASSERT_TRUE(key.Write(AsWide(kMasterServersValue), TextLinesValue({line})));
    // A stored key without this hides the test's empty servers.
    ASSERT_TRUE(key.Write(AsWide(kShowEmptyValue), NumberValue(1)));
    ASSERT_NE(Open(master_.port(), ShortTiming(), true), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    ASSERT_EQ(Engine().masters.size(), 2u);

    const auto log = LogStatus(Engine());
    const DWORD start = GetTickCount();
    Click(IDC_UPDATE);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_LT(GetTickCount() - start, 4 * ShortTiming().masterAnswerWaitMs + 1500)
        << "the masters were asked one after the other";
    const std::vector<std::wstring> texts = log->Texts();
    EXPECT_NE(
        std::find(texts.begin(), texts.end(), L"No response from 127.0.0.1. Querying servers..."),
        texts.end());
    EXPECT_EQ(Status(), L"Completed. 2 of 2 servers responded.");
    EXPECT_EQ(RowCount(ServerList()), 2);
    EXPECT_EQ(silent_.Requests().size(), 6u) << "three requests in each refresh";
}

}  // namespace
}  // namespace skelvane::test
