#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cache_file.h"
#include "cli/query_inputs.h"
#include "cli/servers_file.h"
#include "engine/server_table.h"
#include "lists/server_cache.h"
#include "lists/text_file.h"
#include "tests/cli/query_runner.h"

namespace skelvane {
namespace {

TEST(ServersFile, OneServerALineAndABadLineNamedByNumber) {
    std::string error;
    const auto servers = ParseServersFile("# mine\n\n  alpha.example:27000 \r\n127.0.0.1\nbeta\t\n",
                                          "list.txt", 30720, error);
    ASSERT_TRUE(servers) << error;
    ASSERT_EQ(servers->size(), 3u);
    const struct {
        const char* host;
        std::uint16_t port;
        const char* origin;
    } expected[] = {{"alpha.example", 27000, "list.txt:3"},
                    {"127.0.0.1", 30720, "list.txt:4"},
                    {"beta", 30720, "list.txt:5"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*servers)[i].server.host, expected[i].host);
        EXPECT_EQ((*servers)[i].server.port, expected[i].port);
        EXPECT_EQ((*servers)[i].origin, expected[i].origin);
    }

    for (const char* bad : {"host:0", "host:70000", "a b", "host:12x", ":5", "h:1:2", "\x1b[2J"}) {
        EXPECT_FALSE(ParseServersFile(std::string("ok\n\n") + bad + "\n", "list.txt", 1, error));
        EXPECT_EQ(error.rfind("list.txt:3: ", 0), 0u) << error;
        EXPECT_EQ(error.find('\x1b'), std::string::npos) << "file bytes are quoted printably";
    }
}

TEST(BuddiesFile, NamesFromArgumentsAndFilesInEitherEncoding) {
    const test::TempFile file("\xEF\xBB\xBF Ann\r\nJ\xC3\xB6rg\r\n\r\n");
    const test::TempFile windows1252("M\xFCller\rZo\xEB");
    QueryOptions options;
    options.buddyNames = {"Bob", "Caf\xC3\xA9"};
    options.buddyFiles = {file.path(), windows1252.path()};
    std::string error;
    const auto inputs = LoadQueryInputs(options, error);
    ASSERT_TRUE(inputs && inputs->buddies) << error;
    std::vector<std::u16string> names;
    for (std::int32_t i = 0; i < inputs->buddies->buddyCount; ++i) {
        names.emplace_back(inputs->buddies->buddyNames[static_cast<std::size_t>(i)].text);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Bob", u"Caf\u00e9", u" Ann", u"J\u00f6rg",
                                                  u"M\u00fcller", u"Zo\u00eb"}));

    options.buddyFiles.push_back(file.path() + ".missing");
    EXPECT_FALSE(LoadQueryInputs(options, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

const char kSoundCache[] =
    "# skelvane-query master list, format 1\n"
    "# saved 1700000000\n"
    "127.0.0.1:27960\n"
    "10.1.2.3:1\n"
    "# end 2 servers, checksum a5c65cb1\n";

TEST(ServerCache, ReadsBackWhatItWritesAndRefusesAnyDamage) {
    const CachedList list{{{LoopbackAddress(), 27960}, {0x0302010A, 1}}, 1700000000};
    EXPECT_EQ(FormatServerCache(list), kSoundCache) << "the format stays readable by older builds";
    std::string error;
    const auto read = ParseServerCache(kSoundCache, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->servers, list.servers);
    EXPECT_EQ(read->savedAt, list.savedAt);
    const auto empty = ParseServerCache(FormatServerCache({{}, 5}), error);
    ASSERT_TRUE(empty) << error;
    EXPECT_TRUE(empty->servers.empty());

    const std::string sound = kSoundCache;
    for (std::size_t cut = 0; cut < sound.size(); ++cut) {
        EXPECT_FALSE(ParseServerCache(sound.substr(0, cut), error)) << "cut at " << cut;
    }
    for (std::size_t at = 0; at < sound.size(); ++at) {
        std::string changed = sound;
        changed[at] = changed[at] == '7' ? '8' : '7';
        EXPECT_FALSE(ParseServerCache(changed, error)) << "changed at " << at;
    }
    EXPECT_FALSE(ParseServerCache(sound + "x", error));
    EXPECT_FALSE(ParseServerCache(sound + sound, error));

    const auto asServersFile = ParseServersFile(sound, "cache", 1, error);
    ASSERT_TRUE(asServersFile) << "a cache is also a --servers file: " << error;
    EXPECT_EQ(asServersFile->size(), 2u);
}

// A cache holds at most what a server table holds: one more server, with a
// sound checksum, is a file this program never wrote.
TEST(ServerCache, HoldsAtMostAFullTable) {
    for (const std::int32_t count : {kMaxServerRecords, kMaxServerRecords + 1}) {
        CachedList list{{}, 1700000000};
        for (std::int32_t i = 0; i < count; ++i) {
            list.servers.push_back({LoopbackAddress(), static_cast<std::uint16_t>(1 + i)});
        }
        std::string error;
        EXPECT_EQ(ParseServerCache(FormatServerCache(list), error).has_value(),
                  count == kMaxServerRecords)
            << count << " servers";
    }
}

TEST(CacheFile, AWriteReplacesTheWholeFileAndLeavesNothingBeside) {
    const test::TempFile file("old text");
    ASSERT_EQ(WriteFileWhole(file.path(), kSoundCache), FileProblem::kNone);
    EXPECT_EQ(file.Read(), kSoundCache);
    const auto folder = std::filesystem::path(file.path()).parent_path();
    const auto name = std::filesystem::path(file.path()).filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string other = entry.path().filename().string();
        EXPECT_FALSE(other != name && other.rfind(name, 0) == 0) << other << " left behind";
    }
    EXPECT_EQ(WriteFileWhole(file.path() + ".missing/cache", "x"), FileProblem::kCannotWrite);
}

}  // namespace
}  // namespace skelvane
