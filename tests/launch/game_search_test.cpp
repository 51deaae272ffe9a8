#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "launch/game_search.h"

namespace skelvane {
namespace {

// A file system of listed directories and a user who answers from a script.
struct FakeSearch {
    struct Entry {
        std::u16string name;
        bool isDirectory;
    };
    std::map<std::u16string, std::vector<Entry>> listings;
    std::set<std::u16string> fixedDrives;
    std::deque<bool> answers;
    std::vector<std::u16string> questions;
    std::vector<std::u16string> statuses;
    std::vector<std::u16string> drivesAsked;

    GameSearchHost Host() {
        GameSearchHost host;
        host.listDirectory = [this](const std::u16string& pattern, const auto& visit) {
            EXPECT_EQ(pattern.back(), u'*');
            const auto found = listings.find(pattern.substr(0, pattern.size() - 1));
            if (found == listings.end()) {
                return false;
            }
            for (const Entry& entry : found->second) {
                if (!visit(ListedEntry{entry.name, entry.isDirectory})) {
                    break;
                }
            }
            return true;
        };
        host.isFixedDrive = [this](const std::u16string& root) {
            drivesAsked.push_back(root);
            return fixedDrives.count(root) != 0;
        };
        host.askYesNo = [this](const char16_t* caption, const char16_t* text) {
            EXPECT_EQ(std::u16string(caption), u"Skelvane Location");
            questions.emplace_back(text);
            const bool yes = !answers.empty() && answers.front();
            if (!answers.empty()) {
                answers.pop_front();
            }
            return yes;
        };
        host.showStatus = [this](const char16_t* text) { statuses.emplace_back(text); };
        return host;
    }
};

std::u16string Question(const std::u16string& directory) {
    return u"Skelvane Server Browser found 'skelvane.exe' in:\r\n\t" + directory +
           u"\r\nIs this the one you wish to use?";
}

TEST(GameSearch, OffersEachMatchDepthFirstAndGoesOnAfterNoToLaterDrives) {
    FakeSearch fs;
    fs.fixedDrives = {u"C:\\", u"F:\\"};
    fs.listings = {
        {u"C:\\",
         {{u".", true},
          {u"..", true},
          {u"games", true},
          {u"SKELVANE.EXE", false},
          {u"tools", true}}},
        // A directory named like the game is searched, never offered.
        {u"C:\\games\\", {{u"skelvane.exe", true}, {u"old", true}}},
        {u"C:\\games\\skelvane.exe\\", {{u"readme.txt", false}, {u"Skelvane.Exe", false}}},
        {u"C:\\games\\old\\", {{u"skelvane.exe", false}}},
        {u"C:\\tools\\", {{u"skelvane.exe", false}}},
        // Not a fixed drive: never listed.
        {u"D:\\", {{u"skelvane.exe", false}}},
        {u"F:\\", {{u"x", true}}},
        {u"F:\\x\\", {{u"skelvane.exe", false}, {u"later", true}}},
    };
    fs.answers = {false, false, false, false, true};
    const auto found = SearchFixedDrives(u"skelvane.exe", fs.Host());

    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, u"F:\\x\\");
    const std::vector<std::u16string> asked = {Question(u"C:\\games\\skelvane.exe\\"),
                                               Question(u"C:\\games\\old\\"), Question(u"C:\\"),
                                               Question(u"C:\\tools\\"), Question(u"F:\\x\\")};
    EXPECT_EQ(fs.questions, asked);
    EXPECT_EQ(fs.statuses,
              (std::vector<std::u16string>{u"Trying to find skelvane.exe on C:\\...",
                                           u"Trying to find skelvane.exe on F:\\..."}));
    // A and B are never looked at, and the search stops at the accepted drive.
    EXPECT_EQ(fs.drivesAsked, (std::vector<std::u16string>{u"C:\\", u"D:\\", u"E:\\", u"F:\\"}));
}

TEST(GameSearch, AnEntryTooLongForAPathEndsItsDirectorysScan) {
    // In a 246-character directory the game's 12-character name just fits:
    // 246 + 12 + 1 = 259. One character more and the scan ends there.
    const std::u16string fits = u"C:\\" + std::u16string(242, u'a') + u"\\";
    const std::u16string tooLong = u"C:\\" + std::u16string(243, u'b') + u"\\";
    ASSERT_EQ(fits.size() + 12 + 1, 259u);
    FakeSearch fs;
    fs.fixedDrives = {u"C:\\"};
    fs.listings = {
        {u"C:\\",
         {{fits.substr(3, 242), true},
          {tooLong.substr(3, 243), true},
          {u"short", true},
          {u"skelvane.exe", false}}},
        {fits, {{u"skelvane.exe", false}}},
        {tooLong, {{u"skelvane.exe", false}}},
        // The long name ends the scan: the game after it is never seen.
        {u"C:\\short\\", {{std::u16string(250, u'n'), false}, {u"skelvane.exe", false}}},
    };
    EXPECT_FALSE(SearchFixedDrives(u"skelvane.exe", fs.Host()).has_value());
    EXPECT_EQ(fs.questions, (std::vector<std::u16string>{Question(fits), Question(u"C:\\")}));
}

}  // namespace
}  // namespace skelvane
