// The game launcher's reports and its search of the test prefix's drives.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launch/game_launcher_win32.h"
#include "platform/win32/wide_text.h"
#include "tests/windows/game_drives.h"
#include "tests/windows/message_box_answerer.h"

namespace skelvane::test {
namespace {

class GameLauncher : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(EmptyTestDrives()) << "not the test prefix of scripts/wine-env.sh";
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        join_.owner = owner_;
        join_.gameDirectory = gameDirectory_;
        join_.gameExecutable = u"skelvane.exe";
        join_.showStatus = [this](const char16_t* text) { statuses_.emplace_back(AsWide(text)); };
        join_.serverAddress = [] { return std::optional<std::u16string>(u"127.0.0.1:30710"); };
    }
    void TearDown() override { DestroyWindow(owner_); }

    std::wstring GameDirectory() const { return AsWide(gameDirectory_); }

    HWND owner_ = nullptr;
    char16_t gameDirectory_[260] = {};
    GameJoin join_;
    std::vector<std::wstring> statuses_;
};

TEST_F(GameLauncher, AMissingGameIsReportedWithTheWholePathAndNothingStarts) {
    // Both settings at their limit make a path of 519 characters.
    const std::wstring directory = L"D:\\" + std::wstring(255, L'x') + L"\\";
    const std::wstring executable = std::wstring(255, L'y') + L".exe";
    std::ranges::copy(directory, gameDirectory_);
    join_.gameExecutable = AsUtf16(executable.c_str());
    MessageBoxAnswerer boxes;
    EXPECT_FALSE(LaunchGame(join_));
    EXPECT_EQ(statuses_,
              (std::vector<std::wstring>{L"Starting Skelvane...", L"Couldn't find " + executable +
                                                                      L"! Check your config."}));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].caption, L"Couldn't find Skelvane");
    EXPECT_EQ(boxes.Shown()[0].text, L"Error: Couldn't find a Skelvane executable:\r\n\r\n\t" +
                                         directory + L"\\" + executable + L": File Not Found");
    EXPECT_EQ(boxes.Shown()[0].icon, LoadIconW(nullptr, IDI_WARNING));
    // The user is sent to the settings; the directory stays as it was.
    EXPECT_EQ(GameDirectory(), directory);
}

// A path that is a folder, an empty executable name among them, or a file
// the system cannot start: nothing starts, the browser stays, and the status
// bar says why with the whole path.
TEST_F(GameLauncher, AGameThatCannotStartIsReportedAndNothingElseHappens) {
    const std::wstring directory = L"E:\\Game\\";
    ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((directory + L"folder.exe").c_str(), nullptr));
    HANDLE text = CreateFileW((directory + L"notes.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(text, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(text, "not a program", 13, &written, nullptr);
    CloseHandle(text);
    std::ranges::copy(directory, gameDirectory_);
    const struct {
        const char16_t* executable;
        const wchar_t* reason;
    } cases[] = {
        {u"", L"it is a folder, not a program"},
        {u"folder.exe", L"it is a folder, not a program"},
        {u"notes.exe", nullptr},
    };
    for (const auto& c : cases) {
        statuses_.clear();
        join_.gameExecutable = c.executable;
        MessageBoxAnswerer boxes;
        EXPECT_FALSE(LaunchGame(join_)) << AsWide(c.executable);
        EXPECT_TRUE(boxes.Shown().empty());
        ASSERT_EQ(statuses_.size(), 2u);
        const std::wstring start =
            L"Couldn't start " + directory + L"\\" + AsWide(c.executable) + L": ";
        EXPECT_EQ(statuses_[1].substr(0, start.size()), start);
        EXPECT_GT(statuses_[1].size(), start.size()) << "no reason given";
        if (c.reason != nullptr) {
            EXPECT_EQ(statuses_[1].substr(start.size()), c.reason);
        }
        EXPECT_EQ(GameDirectory(), directory);
    }
}

TEST_F(GameLauncher, SearchesOnlyTheFixedDrivesAndOffersEachFindTheUserMayDecline) {
    // In the first long folder the game's name just fits a path; in the second,
    // one character longer, it is never looked at.
    const std::wstring fits = L"D:\\" + std::wstring(242, L'b') + L"\\";
    const std::vector<std::wstring> offered = {L"D:\\", L"D:\\a\\", fits, L"E:\\games\\"};
    for (const std::wstring& directory : offered) {
        ASSERT_TRUE(
            InstallStandIn(directory, directory == L"D:\\" ? L"SKELVANE.EXE" : L"skelvane.exe"));
    }
    for (const std::wstring& never : {L"D:\\" + std::wstring(243, L'c') + L"\\",
                                      std::wstring(L"F:\\"), std::wstring(L"G:\\")}) {
        ASSERT_TRUE(InstallStandIn(never, L"skelvane.exe"));
    }

    MessageBoxAnswerer boxes;
    EXPECT_FALSE(LaunchGame(join_));
    ASSERT_EQ(boxes.Shown().size(), offered.size() + 1);
    std::vector<std::wstring> asked;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        EXPECT_EQ(boxes.Shown()[i].caption, L"Skelvane Location");
        EXPECT_TRUE(boxes.Shown()[i].asksYesNo);
        EXPECT_EQ(boxes.Shown()[i].icon, LoadIconW(nullptr, IDI_QUESTION));
        asked.push_back(boxes.Shown()[i].text);
    }
    // The order within a drive is the file system's; the drives go in order.
    std::ranges::sort(asked.begin(), asked.begin() + 3);
    std::vector<std::wstring> expected;
    for (const std::wstring& directory : offered) {
        expected.push_back(L"Skelvane Server Browser found 'skelvane.exe' in:\r\n\t" + directory +
                           L"\r\nIs this the one you wish to use?");
    }
    std::ranges::sort(expected.begin(), expected.begin() + 3);
    EXPECT_EQ(asked, expected);

    const ShownMessageBox& notFound = boxes.Shown().back();
    EXPECT_EQ(notFound.caption, L"Can't find Skelvane");
    EXPECT_EQ(notFound.text,
              L"Unable to find your Skelvane executable!\r\n\r\nYou can't join a server until you "
              L"have specified where Skelvane is on your system.\n\nTry setting the executable "
              L"name manually in the config if you have a different executable name.");
    EXPECT_EQ(notFound.icon, LoadIconW(nullptr, IDI_WARNING));
    EXPECT_EQ(statuses_, (std::vector<std::wstring>{L"Trying to find skelvane.exe on C:\\...",
                                                    L"Trying to find skelvane.exe on D:\\...",
                                                    L"Trying to find skelvane.exe on E:\\...",
                                                    L"Couldn't find a Skelvane executable!"}));
    EXPECT_EQ(GameDirectory(), L"");
}

}  // namespace
}  // namespace skelvane::test
