// Joining a server with the stand-in game, on the drives of the test prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "launch/game_launcher_win32.h"
#include "tests/windows/game_drives.h"
#include "tests/windows/message_box_answerer.h"
#include "tests/windows/window_driver.h"
#include "ui/wide_text.h"

namespace skelvane::test {
namespace {

constexpr wchar_t kServer[] = L"127.0.0.1:30710";

class GameLauncher : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(EmptyTestDrives()) << "not the test prefix of scripts/wine-env.sh";
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        join_.owner = owner_;
        join_.gameDirectory = gameDirectory_;
        join_.gameExecutable = u"skelvane.exe";
        join_.showStatus = [this](const char16_t* text) {
            statuses_.push_back(reinterpret_cast<const wchar_t*>(text));
        };
        join_.serverAddress = [] { return std::optional<std::u16string>(AsUtf16(kServer)); };
    }

    void TearDown() override {
        // Starting the game made its directory the current one.
        SetCurrentDirectoryW(TestsDirectory().c_str());
        DestroyWindow(owner_);
    }

    void SetGameDirectory(const std::wstring& directory) {
        ASSERT_LT(directory.size(), std::size(gameDirectory_));
        std::ranges::copy(AsUtf16(directory.c_str()),
                          AsUtf16(directory.c_str()) + directory.size() + 1, gameDirectory_);
    }
    std::wstring GameDirectory() const { return AsWide(gameDirectory_); }

    HWND owner_ = nullptr;
    char16_t gameDirectory_[260] = {};
    GameJoin join_;
    std::vector<std::wstring> statuses_;
};

TEST_F(GameLauncher, StartsTheGameInItsDirectoryWithTheServerOnItsCommandLine) {
    struct Case {
        std::wstring directory;
        std::wstring commandLine;
    };
    const Case cases[] = {
        {L"D:\\Games\\Skelvane\\",
         L"\"D:\\Games\\Skelvane\\\\skelvane.exe\" +connect \"127.0.0.1:30710\""},
        {L"E:\\Skelvane", L"\"E:\\Skelvane\\skelvane.exe\" +connect \"127.0.0.1:30710\""},
    };
    for (const Case& c : cases) {
        const std::wstring folder = c.directory.back() == L'\\' ? c.directory : c.directory + L"\\";
        ASSERT_TRUE(InstallStandIn(folder, L"skelvane.exe"));
        SetGameDirectory(c.directory);
        MessageBoxAnswerer boxes;
        statuses_.clear();
        EXPECT_TRUE(LaunchGame(join_));
        const std::vector<std::wstring> record = LaunchRecord(folder);
        ASSERT_EQ(record.size(), 2u) << "the game did not start";
        EXPECT_EQ(record[0], c.commandLine);
        EXPECT_EQ(record[1], folder.substr(0, folder.size() - 1));
        EXPECT_EQ(statuses_, std::vector<std::wstring>{L"Starting Skelvane..."});
        EXPECT_TRUE(boxes.Shown().empty());
    }
}

TEST_F(GameLauncher, AMissingGameIsReportedWithTheWholePathAndNothingStarts) {
    // Both settings at their limit make a path of 519 characters.
    const std::wstring longName = std::wstring(255, L'y') + L".exe";
    const struct {
        std::wstring directory;
        std::wstring executable;
    } cases[] = {{L"D:\\Nowhere\\", L"skelvane.exe"},
                 {L"D:\\" + std::wstring(255, L'x') + L"\\", longName}};
    for (const auto& c : cases) {
        SetGameDirectory(c.directory);
        join_.gameExecutable = AsUtf16(c.executable.c_str());
        MessageBoxAnswerer boxes;
        statuses_.clear();
        EXPECT_FALSE(LaunchGame(join_));
        EXPECT_EQ(statuses_, (std::vector<std::wstring>{
                                 L"Starting Skelvane...",
                                 L"Couldn't find " + c.executable + L"! Check your config."}));
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].caption, L"Couldn't find Skelvane");
        EXPECT_EQ(boxes.Shown()[0].text, L"Error: Couldn't find a Skelvane executable:\r\n\r\n\t" +
                                             c.directory + L"\\" + c.executable +
                                             L": File Not Found");
        EXPECT_EQ(boxes.Shown()[0].icon, LoadIconW(nullptr, IDI_WARNING));
        // The user is sent to the settings; the directory stays as it was.
        EXPECT_EQ(GameDirectory(), c.directory);
    }
}

TEST_F(GameLauncher, WithoutADirectoryItSearchesTheFixedDrivesAskingAtEachFind) {
    ASSERT_TRUE(InstallStandIn(L"D:\\a\\", L"skelvane.exe"));
    ASSERT_TRUE(InstallStandIn(L"D:\\", L"SKELVANE.EXE"));
    // The game's name just fits into a path in the first folder; in the
    // second, one character longer, it is never looked at.
    const std::wstring fits = L"D:\\" + std::wstring(242, L'b') + L"\\";
    ASSERT_TRUE(InstallStandIn(fits, L"skelvane.exe"));
    ASSERT_TRUE(InstallStandIn(L"D:\\" + std::wstring(243, L'c') + L"\\", L"skelvane.exe"));
    ASSERT_TRUE(InstallStandIn(L"E:\\games\\", L"skelvane.exe"));
    // Drives that are not fixed are never searched.
    ASSERT_TRUE(InstallStandIn(L"F:\\", L"skelvane.exe"));
    ASSERT_TRUE(InstallStandIn(L"G:\\", L"skelvane.exe"));
    const auto question = [](const std::wstring& directory) {
        return L"Skelvane Server Browser found 'skelvane.exe' in:\r\n\t" + directory +
               L"\r\nIs this the one you wish to use?";
    };

    // Every find declined: the game cannot be joined.
    {
        MessageBoxAnswerer boxes;
        EXPECT_FALSE(LaunchGame(join_));
        ASSERT_EQ(boxes.Shown().size(), 5u);
        // The order within a drive is the file system's.
        std::vector<std::wstring> onD = {boxes.Shown()[0].text, boxes.Shown()[1].text,
                                         boxes.Shown()[2].text};
        std::vector<std::wstring> expectedOnD = {question(L"D:\\"), question(L"D:\\a\\"),
                                                 question(fits)};
        std::ranges::sort(onD);
        std::ranges::sort(expectedOnD);
        EXPECT_EQ(onD, expectedOnD);
        EXPECT_EQ(boxes.Shown()[3].text, question(L"E:\\games\\"));
        EXPECT_EQ(boxes.Shown()[3].caption, L"Skelvane Location");
        EXPECT_TRUE(boxes.Shown()[3].asksYesNo);
        EXPECT_EQ(boxes.Shown()[3].icon, LoadIconW(nullptr, IDI_QUESTION));
        EXPECT_EQ(boxes.Shown()[4].caption, L"Can't find Skelvane");
        EXPECT_EQ(boxes.Shown()[4].text,
                  L"Unable to find your Skelvane executable!\r\n\r\nYou can't join a server until "
                  L"you have specified where Skelvane is on your system.\n\nTry setting the "
                  L"executable name manually in the config if you have a different executable "
                  L"name.");
        EXPECT_EQ(boxes.Shown()[4].icon, LoadIconW(nullptr, IDI_WARNING));
        EXPECT_EQ(statuses_, (std::vector<std::wstring>{L"Trying to find skelvane.exe on C:\\...",
                                                        L"Trying to find skelvane.exe on D:\\...",
                                                        L"Trying to find skelvane.exe on E:\\...",
                                                        L"Couldn't find a Skelvane executable!"}));
        EXPECT_EQ(GameDirectory(), L"");
    }

    // Accepted on E:, but the server's record went meanwhile: the directory is
    // kept and nothing starts.
    join_.serverAddress = [] { return std::optional<std::u16string>(); };
    {
        MessageBoxAnswerer boxes({false, false, false, true});
        statuses_.clear();
        EXPECT_FALSE(LaunchGame(join_));
        EXPECT_EQ(boxes.Shown().size(), 4u);
        EXPECT_EQ(GameDirectory(), L"E:\\games\\");
        EXPECT_EQ(statuses_.back(), L"The server list has changed. Double-click the server again.");
    }

    // The found directory is used from now on, without a search.
    join_.serverAddress = [] { return std::optional<std::u16string>(AsUtf16(kServer)); };
    MessageBoxAnswerer boxes;
    EXPECT_TRUE(LaunchGame(join_));
    EXPECT_TRUE(boxes.Shown().empty());
    const std::vector<std::wstring> record = LaunchRecord(L"E:\\games\\");
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    EXPECT_EQ(record[0], L"\"E:\\games\\\\skelvane.exe\" +connect \"127.0.0.1:30710\"");
}

}  // namespace
}  // namespace skelvane::test
