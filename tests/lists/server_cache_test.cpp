#include "lists/server_cache.h"

#include <gtest/gtest.h>

#include "cli/servers_file.h"
#include "engine/server_table.h"

namespace skelvane {
namespace {

const char kSoundCache[] =
    "# skelvane-query master list, format 1\n"
    "# saved 1700000000\n"
    "127.0.0.1:27960\n"
    "10.1.2.3:1\n"
    "# end 2 servers, checksum a5c65cb1\n";

TEST(ServerCache, ReadsBackWhatItWritesAndRefusesAnyDamage) {
    const CachedList list{{{LoopbackAddress(), 27960}, {0x0302010A, 1}}, 1700000000};
    EXPECT_EQ(FormatServerCache(list), kSoundCache) << "the format stays readable by older builds";
    const auto read = ParseServerCache(kSoundCache);
    ASSERT_TRUE(read) << read.Why();
    EXPECT_EQ(read->servers, list.servers);
    EXPECT_EQ(read->savedAt, list.savedAt);
    const auto empty = ParseServerCache(FormatServerCache({{}, 5}));
    ASSERT_TRUE(empty) << empty.Why();
    EXPECT_TRUE(empty->servers.empty());

    const std::string sound = kSoundCache;
    for (std::size_t cut = 0; cut < sound.size(); ++cut) {
        EXPECT_FALSE(ParseServerCache(sound.substr(0, cut))) << "cut at " << cut;
    }
    for (std::size_t at = 0; at < sound.size(); ++at) {
        std::string changed = sound;
        changed[at] = changed[at] == '7' ? '8' : '7';
        EXPECT_FALSE(ParseServerCache(changed)) << "changed at " << at;
    }
    EXPECT_FALSE(ParseServerCache(sound + "x"));
    EXPECT_FALSE(ParseServerCache(sound + sound));

    const auto asServersFile = ParseServersFile(sound, "cache", 1);
    ASSERT_TRUE(asServersFile) << "a cache is also a --servers file: " << asServersFile.Why();
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
        EXPECT_EQ(static_cast<bool>(ParseServerCache(FormatServerCache(list))),
                  count == kMaxServerRecords)
            << count << " servers";
    }
}

}  // namespace
}  // namespace skelvane
