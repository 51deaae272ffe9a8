#include "testnet/master_answer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/master_wire.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::ReadMasterList;

const std::string_view kHeader = "\xFF\xFF\xFF\xFFgetserversResponse\\";

std::vector<Ipv4Endpoint> ListedServers(std::uint32_t count) {
    std::vector<Ipv4Endpoint> servers;
    for (std::uint32_t i = 0; i < count; ++i) {
        servers.push_back(Ipv4Endpoint{LoopbackAddress(0, static_cast<std::uint8_t>(i / 200),
                                                       static_cast<std::uint8_t>(1 + i % 200)),
                                       static_cast<std::uint16_t>(20000 + i)});
    }
    return servers;
}

bool EndsWithMarker(const Datagram& datagram) {
    return datagram.size() >= kMasterEndMarker.size() &&
           std::equal(kMasterEndMarker.begin(), kMasterEndMarker.end(),
                      datagram.end() - kMasterEndMarker.size());
}

bool HoldsMarker(const Datagram& datagram) {
    return std::search(datagram.begin(), datagram.end(), kMasterEndMarker.begin(),
                       kMasterEndMarker.end()) != datagram.end();
}

MasterAnswerShape SplitBy(std::size_t entriesPerDatagram) {
    MasterAnswerShape shape;
    shape.entriesPerDatagram = entriesPerDatagram;
    return shape;
}

std::vector<Datagram> Build(std::uint32_t count, MasterAnswerShape shape) {
    return BuildMasterAnswer(ListedServers(count), shape);
}

TEST(TestnetMasterAnswer, SplitsIntoWholeEntriesWithTheMarkerOnlyAtTheEnd) {
    for (const std::uint32_t count : {0u, 1u, 6u, 7u, 8u, 57u}) {
        for (const std::size_t split : {std::size_t{1}, std::size_t{7}, std::size_t{100}}) {
            SCOPED_TRACE("servers " + std::to_string(count) + ", split " + std::to_string(split));
            const std::vector<Datagram> answer = Build(count, SplitBy(split));
            ASSERT_EQ(answer.size(), std::max<std::size_t>(1, (count + split - 1) / split));
            std::size_t entries = 0;
            for (std::size_t i = 0; i < answer.size(); ++i) {
                const Datagram& datagram = answer[i];
                const bool last = i + 1 == answer.size();
                ASSERT_EQ(std::string_view(reinterpret_cast<const char*>(datagram.data()), 23),
                          kHeader);
                const std::size_t body = datagram.size() - kHeader.size() - (last ? 6 : 0);
                ASSERT_EQ(body % 7, 0u);
                EXPECT_EQ(EndsWithMarker(datagram), last);
                EXPECT_TRUE(last || body / 7 == split);
                entries += body / 7;
            }
            EXPECT_EQ(entries, count);
            const test::MasterList read = ReadMasterList(answer);
            EXPECT_EQ(read.servers, ListedServers(count));
            EXPECT_TRUE(read.endMarker);
        }
    }
}

TEST(TestnetMasterAnswer, DuplicatesRepeatWithinAndAcrossDatagrams) {
    MasterAnswerShape shape = SplitBy(4);
    shape.duplicates = true;
    const std::vector<Datagram> answer = Build(5, shape);
    // a b c d | e e d c | b a
    ASSERT_EQ(answer.size(), 3u);
    const auto entryAt = [&](std::size_t datagram, std::size_t entry) {
        const auto start = answer[datagram].begin() + 23 + 7 * entry;
        return Datagram(start, start + 6);
    };
    EXPECT_EQ(entryAt(1, 0), entryAt(1, 1));
    EXPECT_EQ(entryAt(0, 3), entryAt(1, 2));
    EXPECT_EQ(entryAt(0, 0), entryAt(2, 1));

    EXPECT_EQ(ReadMasterList(answer).servers, ListedServers(5));
}

TEST(TestnetMasterAnswer, MalformedShapesAreWhatTheyClaim) {
    MasterAnswerShape shape = SplitBy(3);

    shape.malformations = MasterMalformations{.shortDatagram = true};
    std::vector<Datagram> answer = Build(6, shape);
    ASSERT_EQ(answer.size(), 3u);
    EXPECT_LT(answer[0].size(), 23u);
    EXPECT_EQ(ReadMasterList(answer).servers, ListedServers(6));

    shape.malformations = MasterMalformations{.raggedLength = true};
    for (const Datagram& datagram : Build(6, shape)) {
        EXPECT_NE((datagram.size() - 23) % 7, 0u);
        EXPECT_FALSE(HoldsMarker(datagram));
    }

    // Entries 0 and 2 keep their backslash; entry 1 is followed at once by entry 2.
    shape.malformations = MasterMalformations{.missingSeparator = true};
    answer = Build(3, shape);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].size(), 23u + 7 + 6 + 7 + 6);
    EXPECT_EQ(answer[0][23 + 6], '\\');
    EXPECT_EQ(answer[0][23 + 7 + 6], 127);
    EXPECT_TRUE(EndsWithMarker(answer[0]));

    shape.malformations = MasterMalformations{.trailingGarbage = true};
    answer = Build(2, shape);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_TRUE(HoldsMarker(answer[0]));
    EXPECT_FALSE(EndsWithMarker(answer[0]));
}

// Whatever the test network sends, cut anywhere, the browser's reader stays
// inside the table it allocated.
TEST(TestnetMasterAnswer, BrowserSurvivesEveryPrefixOfEveryShape) {
    const MasterMalformations all{true, true, true, true};
    for (const MasterMalformations& spoil : {MasterMalformations{}, all}) {
        for (const Datagram& datagram : Build(10, MasterAnswerShape{4, true, spoil})) {
            for (std::size_t size = 0; size <= datagram.size(); ++size) {
                ServerTable table;
                bool endMarker = false;
                ReadMasterDatagram(std::span(datagram).first(size), table, endMarker);
                ASSERT_LE(table.Count(), table.capacity);
            }
        }
    }
}

}  // namespace
}  // namespace skelvane
